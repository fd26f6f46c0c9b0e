#include "unitsim/VirtualUnit.h"

#include "settings/UnitTypes.h"
#include "unitsim/ReplyFrames.h"

#include <algorithm>

namespace pb::unitsim {

namespace {

constexpr Millis kNever = INT64_MAX;
constexpr char kFirstDigit = '0';
constexpr char kNotADigit = '?';
// Deep asleep, the unit wakes on the second wake-up sequence, not the first.
constexpr int kWakeUpsOutOfDeepSleep = 2;

// Positions in a request frame.
constexpr int kLengthAt = 1;
constexpr int kCommandAt = 5;
constexpr int kItemAt = 7;
constexpr int kValueAt = 11;
constexpr int kReadLength = 9;
constexpr int kWriteLength = 13;
constexpr int kCallNumberLength = 6;

uint8_t At(const Bytes& frame, int position)
{
    return static_cast<uint8_t>(frame[position]);
}

bool IsRead(const Bytes& f)
{
    return At(f, kLengthAt) == kReadLength && f[kCommandAt] == 'w' && At(f, 6) == kUs && At(f, 8) == kRs;
}

bool IsWrite(const Bytes& f)
{
    return At(f, kLengthAt) == kWriteLength && f[kCommandAt] == 'W' && At(f, 6) == kUs && At(f, 8) == kRs
        && f[9] == 'w' && At(f, 10) == kUs && At(f, 12) == kRs;
}

bool IsCallNumberRequest(const Bytes& f)
{
    return At(f, kLengthAt) == kCallNumberLength && f[kCommandAt] == '2';
}

Bytes Number(long long n)
{
    return std::to_string(n);
}

Bytes Hex(uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return Bytes{'0', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

// The call record: fields of an identifier, US, text, RS, up to the checksum.
bool ReadCallRecord(const Bytes& frame, ReceivedCall& call)
{
    const size_t end = frame.size() - 1;
    bool hasAddress = false;
    for (size_t i = kCommandAt; i < end;) {
        if (i + 1 >= end || At(frame, int(i + 1)) != kUs)
            return false;
        const size_t rs = frame.find(char(kRs), i + 2);
        if (rs == Bytes::npos || rs >= end)
            return false;
        const Bytes text = frame.substr(i + 2, rs - i - 2);
        switch (frame[i]) {
        case 'A': call.callNumber = text; break;
        case '1': call.address = text; hasAddress = true; break;
        case '2': call.message = text; break;
        case '3': call.bleepCode = text; break;
        default: return false;
        }
        i = rs + 1;
    }
    return hasAddress && !call.callNumber.empty();
}

} // namespace

VirtualUnit::VirtualUnit(const UnitOptions& options, Millis now)
    : options_(options),
      memory_(StartValues(options.unitType)),
      startedAt_(now),
      lastActivity_(now),
      nextStatus_(now + options.statusEveryMs),
      awake_(options.fault != Fault::DeepSleep)
{
    lineOpened(now);
}

void VirtualUnit::receive(const Bytes& bytes, Millis now)
{
    switch (options_.fault) {
    case Fault::Echo: // a loopback plug: back at once, and no unit behind it to hear them
        output_.push_back({now, bytes});
        return;
    case Fault::TextOnly: // its receiver is deaf
        return;
    default:
        break;
    }
    for (char byte : bytes) {
        if (hungUp_)
            return;
        advance(now);
        switch (parser_.take(static_cast<uint8_t>(byte), now)) {
        case ParseEvent::Frame:
            frameArrived(parser_.frame(), now);
            break;
        case ParseEvent::WakeUp:
            wakeUp(now);
            break;
        case ParseEvent::Malformed:
            say("FRAME ERROR", now);
            break;
        case ParseEvent::None:
            break;
        }
    }
}

Bytes VirtualUnit::transmit(Millis now)
{
    advance(now);
    if (options_.statusEveryMs > 0 && now >= nextStatus_ && !parser_.midFrame() && output_.empty()) {
        say(statusLine(now), now);
        nextStatus_ = now + options_.statusEveryMs;
    }
    Bytes due;
    while (!output_.empty() && output_.front().due <= now) {
        due += output_.front().bytes;
        output_.pop_front();
    }
    return options_.fault == Fault::Garbled ? AtAnotherSpeed(due) : due;
}

Millis VirtualUnit::nextEventAt(Millis now) const
{
    Millis next = kNever;
    if (!output_.empty())
        next = output_.front().due;
    if (options_.statusEveryMs > 0 && talks())
        next = std::min(next, nextStatus_);
    if (awake_)
        next = std::min(next, lastActivity_ + kSleepAfterMs);
    if (parser_.midFrame())
        next = std::min(next, now + FrameParser::kByteGapMs);
    return std::max(next, now);
}

void VirtualUnit::lineOpened(Millis now)
{
    if (options_.fault == Fault::TextOnly && options_.statusEveryMs > 0)
        nextStatus_ = std::min(nextStatus_, now + kGreetingAfterMs);
}

void VirtualUnit::advance(Millis now)
{
    parser_.expire(now);
    if (awake_ && now - lastActivity_ >= kSleepAfterMs) {
        awake_ = false;
        wakeUpsAsleep_ = 0;
        ++counters_.fellAsleep;
        say("SLEEP", now);
    }
}

void VirtualUnit::frameArrived(const Bytes& frame, Millis now)
{
    ++counters_.frames;
    frameSinceWakeUp_ = true;
    if (options_.fault == Fault::DeepSleep && asleep(now)) {
        ++counters_.ignoredAsleep;
    } else if (!SumsToZero(frame)) {
        ++counters_.checkSumErrors;
        say("CHECKSUM ERROR", now);
    } else if (At(frame, 2) != 0x01 || At(frame, 3) != 0x00 || At(frame, 4) != kStx) {
        say("FRAME ERROR", now);
    } else if (IsRead(frame) || IsWrite(frame)) {
        if (asleep(now)) {
            ++counters_.ignoredAsleep;
        } else if (IsRead(frame)) {
            serveRead(At(frame, kItemAt), now);
        } else {
            serveWrite(At(frame, kItemAt), At(frame, kValueAt), now);
        }
    } else if (IsCallNumberRequest(frame)) {
        serveCallNumber(now);
    } else if (frame[kCommandAt] == 'A') {
        serveCall(frame, now);
    } else {
        say("UNKNOWN COMMAND " + Hex(At(frame, kCommandAt)), now);
    }
    if (options_.fault == Fault::Hangup && counters_.frames >= options_.hangupAfterFrames)
        hungUp_ = true;
}

void VirtualUnit::wakeUp(Millis now)
{
    ++counters_.wakeUps;
    lastActivity_ = now;
    if (awake_)
        return;
    if (options_.fault == Fault::DeepSleep) {
        // A wake-up that no frame followed before the next one is forgotten:
        // it takes two tries of the program, not a probe and a try.
        if (frameSinceWakeUp_ || wakeUpsAsleep_ == 0)
            ++wakeUpsAsleep_;
        frameSinceWakeUp_ = false;
        if (wakeUpsAsleep_ < kWakeUpsOutOfDeepSleep)
            return;
    }
    awake_ = true;
    say("WAKE", now);
}

void VirtualUnit::serveRead(uint8_t item, Millis now)
{
    reply(ReadReply(item, memory_[item]), now);
    say("READ " + Number(item) + " = " + Number(memory_[item]), now);
}

void VirtualUnit::serveWrite(uint8_t item, uint8_t value, Millis now)
{
    memory_[item] = value;
    reply(WriteReply(item, value), now);
    say("WRITE " + Number(item) + " = " + Number(value), now);
}

void VirtualUnit::serveCallNumber(Millis now)
{
    const char digit = options_.fault == Fault::BadDigit ? kNotADigit : char(kFirstDigit + nextCallDigit_);
    nextCallDigit_ = nextCallDigit_ % 9 + 1;
    reply(CallNumberReply(digit), now);
    say(Bytes("CALL NUMBER ") + digit, now);
}

void VirtualUnit::serveCall(const Bytes& frame, Millis now)
{
    ReceivedCall call;
    const bool wellFormed = ReadCallRecord(frame, call);
    const bool accepted = wellFormed && options_.fault != Fault::RefuseCall
        && options_.unitType == kUnitTypeWithTestCall;
    reply(CallReply(accepted, call.callNumber.empty() ? kFirstDigit : call.callNumber[0]), now);
    if (!accepted) {
        say("CALL REFUSED " + call.address, now);
        return;
    }
    say("CALL " + call.address + " '" + call.message + "' bleep " + call.bleepCode, now);
    ++counters_.callsTaken;
    if (calls_.size() == kKeptCalls)
        calls_.erase(calls_.begin());
    calls_.push_back(std::move(call));
}

void VirtualUnit::reply(const Bytes& frame, Millis now)
{
    ++counters_.served;
    lastActivity_ = now;
    Millis due = now;
    Bytes bytes = frame;
    switch (options_.fault) {
    case Fault::Silent: return;
    case Fault::Noise: bytes = WithNoise(frame); break;
    case Fault::BadCheckSum: bytes = WithWrongCheckSum(frame); break;
    case Fault::Stall: bytes = Stalled(frame); break;
    case Fault::TooLong: bytes = Overlong(frame); break;
    case Fault::Late: due = now + options_.lateByMs; break;
    default: break;
    }
    output_.push_back({due, std::move(bytes)});
}

// Diagnose text never overtakes a reply that is still to come.
void VirtualUnit::say(const Bytes& line, Millis now)
{
    if (!talks())
        return;
    const Millis due = output_.empty() ? now : std::max(now, output_.back().due);
    output_.push_back({due, line + "\r\n"});
}

Bytes VirtualUnit::statusLine(Millis now) const
{
    return "STATUS type " + Number(options_.unitType) + " up " + Number((now - startedAt_) / 1000) + " s frames "
        + Number(counters_.frames) + " calls " + Number(counters_.callsTaken) + (awake_ ? " awake" : " asleep");
}

} // namespace pb::unitsim
