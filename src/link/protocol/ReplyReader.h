#pragma once
// Collects one reply from the byte stream: the start byte, the length byte,
// then the rest up to the checksum. The caller feeds the bytes and decides
// how many per tick; the reader only judges them and tells what the reply
// means, keeping its bytes to itself.
#include "link/protocol/Frame.h"

#include <array>
#include <cstdint>

namespace pb {

constexpr int kRxSlots = 101;      // positions 0..100
constexpr int kRxClearedSlots = 100; // 0..99 are cleared before each request
constexpr int kMaxReplyLength = 98;  // bytes from SOH, checksum included

// Where a reply carries its fields, counted from SOH.
constexpr int kReplyResultPosition = 4; // ACK or NAK of a pager call
constexpr int kReplyItemPosition = 7;   // the item of a read reply
constexpr int kCallDigitPosition = 7;   // the digit of a call-number reply
constexpr int kReplyValuePosition = 11; // the value of a read reply

enum class ReplyProgress {
    Incomplete,  // more bytes are needed
    TooLong,     // the reply ran past kMaxReplyLength
    Complete,    // LEN + 1 bytes with a sum of 0
    BadCheckSum, // LEN + 1 bytes, but the sum is not 0
};

class ReplyReader {
public:
    // Positions 0..99 to -1 and the count to 0, so a position the reply
    // does not reach reads as -1.
    void Begin();

    // Start phase: true when the byte is SOH and the frame has begun; any
    // other byte, or -1 for none, is dropped.
    bool StartByte(int16_t byte);
    // Length phase: the LEN byte.
    void LengthByte(int16_t byte);
    // Data phase, one byte at a time; stop feeding at anything but Incomplete.
    ReplyProgress DataByte(int16_t byte);

    // The byte at a position of the reply, -1 where it did not reach.
    int16_t At(int position) const;
    // What a reply means: the item and value of a read, the digit of a
    // call-number reply, whether the unit took a call.
    int16_t ReplyItem() const { return At(kReplyItemPosition); }
    int16_t ReplyValue() const { return At(kReplyValuePosition); }
    int16_t ReplyCallDigit() const { return At(kCallDigitPosition); }
    bool CallAccepted() const { return At(kReplyResultPosition) == kACK; }
    // Bytes taken so far, counted from SOH.
    int16_t Count() const { return RxCount; }

private:
    void Store(int16_t byte);

    std::array<int16_t, kRxSlots> RxBuffer{};
    int16_t RxCount = 0;  // bytes stored, counted from SOH
    int16_t RxLength = 0; // the reply's LEN byte
    RunningCheckSum sum;
};

} // namespace pb
