#include "unitsim/FrameParser.h"

namespace pb::unitsim {

namespace {
// The wake-up sequence is 01 01 80 7F: SOH, a LEN of 1 that no frame has, then these.
constexpr uint8_t kWakeUpLength = 0x01;
constexpr uint8_t kWakeUpThird = 0x80;
constexpr uint8_t kWakeUpFourth = 0x7F;
} // namespace

ParseEvent FrameParser::take(uint8_t byte, Millis now)
{
    expire(now);
    lastByte_ = now;
    switch (phase_) {
    case Phase::Idle:
        if (byte == kSoh) {
            frame_.assign(1, char(byte));
            phase_ = Phase::Length;
        }
        return ParseEvent::None;
    case Phase::Length:
        if (byte == kWakeUpLength) {
            phase_ = Phase::WakeUpThird;
            return ParseEvent::None;
        }
        if (byte < kMinFrameLength || byte > kMaxFrameLength) {
            phase_ = Phase::Idle;
            return ParseEvent::Malformed;
        }
        frame_ += char(byte);
        phase_ = Phase::Body;
        return ParseEvent::None;
    case Phase::Body:
        frame_ += char(byte);
        // LEN counts the bytes before the checksum; the checksum ends the frame.
        if (frame_.size() < static_cast<uint8_t>(frame_[1]) + 1u)
            return ParseEvent::None;
        phase_ = Phase::Idle;
        return ParseEvent::Frame;
    case Phase::WakeUpThird:
        phase_ = byte == kWakeUpThird ? Phase::WakeUpFourth : Phase::Idle;
        if (phase_ == Phase::Idle && byte == kSoh)
            return take(byte, now);
        return ParseEvent::None;
    case Phase::WakeUpFourth:
        phase_ = Phase::Idle;
        if (byte == kWakeUpFourth)
            return ParseEvent::WakeUp;
        return byte == kSoh ? take(byte, now) : ParseEvent::None;
    }
    return ParseEvent::None;
}

void FrameParser::expire(Millis now)
{
    if (phase_ != Phase::Idle && now - lastByte_ > kByteGapMs)
        phase_ = Phase::Idle;
}

bool SumsToZero(const Bytes& frame)
{
    unsigned sum = 0;
    for (char byte : frame)
        sum += static_cast<uint8_t>(byte);
    return sum % 256 == 0;
}

} // namespace pb::unitsim
