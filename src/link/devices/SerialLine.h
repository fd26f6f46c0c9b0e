#pragma once
// The three byte operations the protocol rests on. The engine sees the line
// only through them, so a test can drive it with a scripted line.
#include <cstdint>

namespace pb {

class SerialLine {
public:
    virtual ~SerialLine() = default;
    // The next received byte 0..255, or -1 when none waits or the line fails.
    virtual int16_t ReadByte() = 0;
    // 0 when the byte was handed to the port; -1 for a value outside 0..255
    // (nothing sent) or when the port refused it.
    virtual int16_t SendByte(int16_t value) = 0;
    // Discards every byte waiting in the receive buffer.
    virtual void FlushInput() = 0;
};

} // namespace pb
