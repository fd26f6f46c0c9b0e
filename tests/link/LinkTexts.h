#pragma once
// The English texts the link messages use, copied by hand so the tests do
// not depend on the language module.
#include "texts/TextTable.h"

namespace pbtest {

inline pb::TextTable EnglishLinkTexts()
{
    pb::TextTable t{};
    t[89] = "Are you sure";
    t[95] = "Write all settings to Unit";
    t[112] = "ERROR: Time-out sent call to Pager via Pagerbench";
    t[113] = "ERROR: ChecksumError sending Paging Call via Pagerbench";
    t[114] = "STATUS: Call Pager via Pagerbench succeeded";
    t[115] = "ERROR: Call Pager via Pagerbench not succeeded";
    t[116] = "Writing of";
    t[117] = "Reading of";
    t[118] = "Item";
    t[119] = "Value";
    t[121] = "ERROR: Time-out";
    t[122] = "ERROR";
    t[123] = "Saved";
    t[125] = "Cancelled";
    return t;
}

} // namespace pbtest
