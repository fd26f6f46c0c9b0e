#pragma once
// The frames the unit answers with: SOH, LEN, 01, 00, STX (ACK or NAK in a
// call reply), the data record, and the byte that makes the sum 0 modulo 256.
// The read reply holds the item at position 7 and the value at 11; the
// call-number reply its digit at 7.
#include "unitsim/UnitOptions.h"

#include <cstdint>

namespace pb::unitsim {

// Header and record as given, with LEN filled in and the checksum added.
Bytes Framed(Bytes header, const Bytes& record);

Bytes ReadReply(uint8_t item, uint8_t value);
// The write reply repeats the item and the value now stored.
Bytes WriteReply(uint8_t item, uint8_t value);
Bytes CallNumberReply(char digit);
Bytes CallReply(bool accepted, char digit);

// Faulty forms of a good reply, for the fault modes.
Bytes WithWrongCheckSum(Bytes reply);
// The first bytes only: SOH, LEN and the header, then nothing.
Bytes Stalled(const Bytes& reply);
// The reply stretched to LEN 120 with filler bytes, its checksum right.
Bytes Overlong(const Bytes& reply);
// Line noise before the reply; none of it is an SOH.
Bytes WithNoise(const Bytes& reply);
// What a line at another speed makes of the bytes: a byte for each, every one
// with its top bit set, so it holds neither an SOH nor readable text.
Bytes AtAnotherSpeed(const Bytes& bytes);

} // namespace pb::unitsim
