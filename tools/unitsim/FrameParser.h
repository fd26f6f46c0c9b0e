#pragma once
// The unit's receiver: picks request frames and the wake-up sequence out of
// the byte stream. Bytes before an SOH are skipped; a frame is as long as its
// LEN byte says plus the checksum, whatever bytes it carries.
#include "unitsim/UnitOptions.h"

#include <cstdint>

namespace pb::unitsim {

constexpr uint8_t kSoh = 0x01;
constexpr uint8_t kStx = 0x02;
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr uint8_t kRs = 0x1E;
constexpr uint8_t kUs = 0x1F;

// Bytes 0..LEN-1 of the longest frame either side accepts, checksum not counted.
constexpr int kMaxFrameLength = 97;
// The shortest request, the call-number request, has LEN 6.
constexpr int kMinFrameLength = 6;

enum class ParseEvent {
    None,      // nothing complete yet
    Frame,     // frame() holds a whole frame, checksum included (not yet judged)
    WakeUp,    // 01 01 80 7F
    Malformed, // a LEN byte no request can have; the frame was dropped
};

class FrameParser {
public:
    // A frame whose next byte is this late is given up.
    static constexpr Millis kByteGapMs = 500;

    ParseEvent take(uint8_t byte, Millis now);
    // Drops a frame that stopped arriving.
    void expire(Millis now);

    bool midFrame() const { return phase_ != Phase::Idle; }
    const Bytes& frame() const { return frame_; }

private:
    enum class Phase { Idle, Length, Body, WakeUpThird, WakeUpFourth };

    Phase phase_ = Phase::Idle;
    Bytes frame_;
    Millis lastByte_ = 0;
};

// True when all bytes, checksum included, add up to 0 modulo 256.
bool SumsToZero(const Bytes& frame);

} // namespace pb::unitsim
