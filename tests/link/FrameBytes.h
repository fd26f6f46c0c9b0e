#pragma once
// Byte strings for the link tests, written the way the protocol notes them.
#include "QtPrinting.h"

#include <QByteArray>

namespace pbtest {

// "01 09 01 00" and the like; blanks are ignored.
inline QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text));
}

// The bytes followed by the byte that brings their sum to 0 modulo 256.
inline QByteArray Framed(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    return bytes + char((256 - sum % 256) % 256);
}

// Replies as the unit sends them: the read reply carries the item at
// position 7 and the value at 11; the call reply its verdict at position 4.
inline QByteArray ReadReply(int item, int value)
{
    QByteArray body = Hex("01 0D 01 00 02 57 1F");
    body += char(item);
    body += Hex("1E 77 1F");
    body += char(value);
    body += Hex("1E");
    return Framed(body);
}

inline QByteArray WriteReply()
{
    return Framed(Hex("01 05 01 00 06"));
}

inline QByteArray CallNumberReply(int position7)
{
    return Framed(Hex("01 09 01 00 02 32 1F") + char(position7) + Hex("1E"));
}

inline QByteArray CallReply(int position4)
{
    return Framed(Hex("01 05 01 00") + char(position4));
}

// The frame of a request as the engine sends it, checksum included.
inline QByteArray ReadRequestFrame(int item)
{
    return Framed(Hex("01 09 01 00 02 77 1F") + char(item) + Hex("1E"));
}

// The unit's good answer to a request frame; a read gives `readValue`.
inline QByteArray GoodReply(const QByteArray& frame, int readValue)
{
    switch (frame[5]) {
    case 'w': return ReadReply(uint8_t(frame[7]), readValue);
    case 'W': return WriteReply();
    case '2': return CallNumberReply('5');
    }
    return CallReply(0x06);
}

} // namespace pbtest
