#pragma once
// The words of a commissioning report and of the window's report fields.
#include <QString>

namespace pb {

// The phrase `key` in the program's language (0 English, 1 Nederlands,
// 2 Deutsch, 3 Française); %1.. are for the caller to fill in. An unknown
// key comes back as it is.
QString ReportWords(const char* key, int language);

} // namespace pb
