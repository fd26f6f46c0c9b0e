#pragma once
// Files no program of ours writes, for the tests of the readers.
#include <QByteArray>
#include <cstdint>

namespace pbtest {

// Bytes that look like nothing, the same on every run. Without '>' no line
// can hold the arrow, so such a file names no key.
inline QByteArray Garbage(int size, bool arrows)
{
    QByteArray bytes(size, '\0');
    uint32_t x = 2463534242u;
    for (char& b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = char(x & 0xFF);
        if (!arrows && b == '>')
            b = '<';
    }
    return bytes;
}

// A UTF-8 byte-order mark, as editors put before "UTF-8" files.
inline const QByteArray kBom("\xEF\xBB\xBF");

} // namespace pbtest
