#pragma once
// Requests as the program puts them on the line, written out by hand for the
// tests of the virtual unit alone.
#include "unitsim/UnitOptions.h"

#include <string>

namespace pbtest {

using pb::unitsim::Bytes;

inline Bytes Framed(Bytes bytes)
{
    unsigned sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    return bytes + char((256 - sum % 256) % 256);
}

inline Bytes ReadRequest(int item)
{
    return Framed(Bytes{0x01, 0x09, 0x01, 0x00, 0x02, 'w', 0x1F, char(item), 0x1E});
}

inline Bytes WriteRequest(int item, int value)
{
    return Framed(Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 'W', 0x1F, char(item), 0x1E, 'w', 0x1F, char(value), 0x1E});
}

inline Bytes CallNumberRequest()
{
    return Framed(Bytes{0x01, 0x06, 0x01, 0x00, 0x02, '2'});
}

inline Bytes Field(char id, const Bytes& text)
{
    return Bytes{id, 0x1F} + text + char(0x1E);
}

// An empty message leaves its field out, as the program does.
inline Bytes PagerCall(const Bytes& digit, const Bytes& address, const Bytes& message, const Bytes& bleep)
{
    Bytes record = Field('A', digit) + Field('1', address);
    if (!message.empty())
        record += Field('2', message);
    record += Field('3', bleep);
    Bytes frame = Bytes{0x01, 0x00, 0x01, 0x00, 0x02} + record;
    frame[1] = char(frame.size());
    return Framed(frame);
}

inline const Bytes kWakeUp{0x01, 0x01, char(0x80), 0x7F};

inline unsigned char At(const Bytes& bytes, size_t position)
{
    return static_cast<unsigned char>(bytes.at(position));
}

inline bool SumsToZero(const Bytes& frame)
{
    unsigned sum = 0;
    for (char b : frame)
        sum += static_cast<unsigned char>(b);
    return sum % 256 == 0;
}

} // namespace pbtest
