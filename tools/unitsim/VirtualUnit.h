#pragma once
// A stand-in for the unit's firmware behind its diagnose port. Bytes go in,
// bytes come out, and time is whatever the caller says it is, so a test can
// make seconds pass in an instant.
//
// It keeps one value byte per item, answers read and write requests, hands
// out call numbers and takes pager calls. After six seconds without a frame
// it falls asleep and then ignores reads and writes until the wake-up
// sequence comes; calls are taken asleep too. Between exchanges it prints
// diagnose lines ending in CR LF: a status line now and then, and one line
// for every request served and every call placed.
#include "unitsim/FrameParser.h"
#include "unitsim/StartValues.h"
#include "unitsim/UnitOptions.h"

#include <deque>
#include <vector>

namespace pb::unitsim {

struct ReceivedCall {
    Bytes callNumber; // the "A" field as sent
    Bytes address;
    Bytes message;    // empty when the call carried none
    Bytes bleepCode;  // hexadecimal text, "FFFF" for none
};

struct UnitCounters {
    int frames = 0;        // complete frames, good or bad
    int served = 0;        // frames answered (or, with a fault, meant to be)
    int checkSumErrors = 0;
    int ignoredAsleep = 0; // reads and writes that came while asleep
    int wakeUps = 0;       // wake-up sequences seen
    int fellAsleep = 0;
    int callsTaken = 0;
};

// A unit left running for days keeps only the latest calls it took.
constexpr std::size_t kKeptCalls = 1000;

class VirtualUnit {
public:
    static constexpr Millis kSleepAfterMs = 6000;
    static constexpr Millis kGreetingAfterMs = 300;

    VirtualUnit(const UnitOptions& options, Millis now);

    // Bytes from the line.
    void receive(const Bytes& bytes, Millis now);
    // Everything due on the line by now: replies, then diagnose text.
    Bytes transmit(Millis now);
    // The next moment transmit may have something new to say; a caller
    // that waits on the line need not wake before it.
    Millis nextEventAt(Millis now) const;
    // Somebody has opened the line: a text-only unit greets them with a
    // status line within kGreetingAfterMs, so that a short listen hears it.
    void lineOpened(Millis now);

    // The hang-up fault has struck: the line is to be closed now.
    bool lineClosed() const { return hungUp_ && output_.empty(); }
    bool asleep(Millis now) const { return !awake_ || now - lastActivity_ >= kSleepAfterMs; }
    // A frame has begun and not yet ended; the unit says nothing meanwhile.
    bool midFrame() const { return parser_.midFrame(); }

    uint8_t value(int item) const { return memory_[static_cast<uint8_t>(item)]; }
    void setValue(int item, uint8_t value) { memory_[static_cast<uint8_t>(item)] = value; }
    // The latest calls taken, at most kKeptCalls, the oldest first.
    const std::vector<ReceivedCall>& calls() const { return calls_; }
    const UnitCounters& counters() const { return counters_; }
    const UnitOptions& options() const { return options_; }
    // The fault shown from now on; Fault::None heals the unit. A unit that
    // hung up its line talks again on the next line it is given.
    void setFault(Fault fault)
    {
        options_.fault = fault;
        hungUp_ = false;
    }

private:
    struct Output {
        Millis due;
        Bytes bytes;
    };

    void advance(Millis now);
    void frameArrived(const Bytes& frame, Millis now);
    void wakeUp(Millis now);
    void serveRead(uint8_t item, Millis now);
    void serveWrite(uint8_t item, uint8_t value, Millis now);
    void serveCallNumber(Millis now);
    void serveCall(const Bytes& frame, Millis now);
    void reply(const Bytes& frame, Millis now);
    void say(const Bytes& line, Millis now);
    // A loopback plug has no unit behind it to print anything.
    bool talks() const { return !options_.quiet && options_.fault != Fault::Echo; }
    Bytes statusLine(Millis now) const;

    UnitOptions options_;
    UnitMemory memory_;
    FrameParser parser_;
    std::deque<Output> output_;
    std::vector<ReceivedCall> calls_;
    UnitCounters counters_;
    Millis startedAt_;
    Millis lastActivity_;
    Millis nextStatus_;
    bool awake_ = true;
    int wakeUpsAsleep_ = 0; // wake-up sequences since it last fell asleep
    bool frameSinceWakeUp_ = false;
    bool hungUp_ = false;
    int nextCallDigit_ = 1;
};

} // namespace pb::unitsim
