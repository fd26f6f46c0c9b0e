#pragma once
// How a virtual unit behaves: its type, and the one fault it shows, if any.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pb::unitsim {

// Milliseconds on whatever clock the caller runs the unit by.
using Millis = std::int64_t;

// Byte strings on the line; every value 0..255 is a char here.
using Bytes = std::string;

enum class Fault {
    None,
    Noise,       // noise bytes before the SOH of every reply
    BadCheckSum, // every reply carries a wrong checksum
    Stall,       // every reply stops in mid-frame
    TooLong,     // every reply runs past 98 bytes
    Silent,      // requests get no answer at all
    Late,        // every reply comes lateByMs after the request
    RefuseCall,  // pager calls are refused (NAK at position 4)
    BadDigit,    // the call number is not an ASCII digit
    Hangup,      // the line closes after hangupAfterFrames frames
    Echo,        // a loopback plug: every byte comes straight back, no unit behind it
    Garbled,     // all it sends is scrambled, as a line at another speed hears it
    DeepSleep,   // starts asleep; ignores every frame until woken twice since it fell asleep
    TextOnly,    // hears nothing but prints its diagnose text, a status line soon after the line opens
};

// "noise", "bad-checksum", "stall", "too-long", "silent", "late",
// "refuse-call", "bad-digit", "hangup", "echo", "garbled", "deep-sleep",
// "text-only"; nothing for any other name.
std::optional<Fault> FaultFromName(std::string_view name);

// The fault's name as above; "none" for Fault::None.
std::string_view FaultName(Fault fault);

struct UnitOptions {
    int16_t unitType = 1;
    Fault fault = Fault::None;
    int hangupAfterFrames = 3;
    Millis lateByMs = 4000;     // beyond the 3 s the program waits for a start byte
    bool quiet = false;         // no diagnose text at all
    Millis statusEveryMs = 5000; // 0: no status lines
};

} // namespace pb::unitsim
