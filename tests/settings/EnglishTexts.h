#pragma once
// The English texts of the numbers the settings grid uses, copied by hand so
// the grid tests do not depend on the language module.
#include "texts/TextTable.h"

namespace pbtest {

inline pb::TextTable EnglishGridTexts()
{
    pb::TextTable t{};
    t[26] = "Diagnostic Serial Info";
    t[31] = "None";
    t[33] = "Diagnostic";
    t[34] = "Debug";
    t[35] = "Protocol";
    t[42] = "Address";
    t[48] = "ESPA serial speed";
    t[49] = "ESPA nr of bits";
    t[50] = "ESPA nr of stopbits";
    t[51] = "ESPA parity";
    t[54] = "Length";
    t[59] = "ESPA handshake";
    t[60] = "Not limited";
    t[61] = "No";
    t[62] = "Even";
    t[63] = "Odd";
    t[64] = "Parity";
    t[66] = "RTS active";
    t[67] = "Request for status";
    t[68] = "No request for status. Mark as PAGED";
    t[69] = "Fixed Info";
    t[70] = "None";
    t[71] = "Not used";
    t[77] = "Fixed num info and variable textinfo";
    t[78] = "Variable textinfo only";
    t[79] = "Variable num info and textinfo";
    t[80] = "Num info only";
    t[138] = "starts at pos";
    t[139] = "MaxLength of Buffer";
    t[140] = "digits";
    t[141] = "Info data";
    t[142] = "Leading";
    t[143] = "No Leading";
    t[144] = "TAP serial speed";
    t[145] = "TAP nr of bits";
    t[146] = "TAP nr of stopbits";
    t[147] = "TAP parity";
    t[149] = "TAP handshake";
    t[151] = "Write Status in message";
    t[152] = "No Status in message";
    t[153] = "Write Source in message";
    t[154] = "No Source in message";
    t[155] = "Write Num-Info in message";
    t[156] = "No Num-Info in message";
    t[157] = "Accept Invalid WSA calls";
    t[158] = "Reject Invalid WSA calls";
    t[159] = "No Fixed Bleepcode, use DP6000 input";
    t[160] = "Fixed Bleepcode";
    t[162] = "Use # as final digit";
    return t;
}

} // namespace pbtest
