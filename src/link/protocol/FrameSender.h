#pragma once
// Puts frames on the line byte by byte. Nothing is buffered: each byte is
// its own SendByte call, and the checksum byte sums only what the port took.
#include "link/protocol/Frame.h"
#include "link/devices/SerialLine.h"

#include <cstdint>

namespace pb {

class FrameSender {
public:
    explicit FrameSender(SerialLine& line) : line_(line) {}

    // Sends the byte and, only when the port took it, adds it to the sum.
    // 0, or -1 when the byte was not sent.
    int16_t SendSummed(int16_t byte);

    // Discards what was received so far, then sends the frame and its
    // checksum byte.
    void SendFrame(const QByteArray& frame);

    // 01 01 80 7F; the caller starts the wake-up delay.
    void SendWakeUpSequence();

    // 1 when sent; -1 when the row has no item number, or (write) the value
    // no unit code: then nothing is sent.
    int16_t SendReadRequest(int16_t unitType, int16_t row);
    int16_t SendWriteRequest(int16_t unitType, int16_t row, int16_t gridValue);

    void SendCallNumberRequest();
    void SendPagerCall(const PagerCall& call);

    int16_t CheckSum() const { return sum_.CheckSum; }

private:
    SerialLine& line_;
    RunningCheckSum sum_;
};

} // namespace pb
