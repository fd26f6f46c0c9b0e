#pragma once
// How an exchange with the unit ended, as a value: the engine reports every
// finished exchange so, and the words for it come from one table
// (ExchangeWording.h).
#include <cstdint>

namespace pb {

enum class Exchange { ReadRow, WriteRow, CallNumber, Call };

enum class ExchangeResult {
    Done,                // the unit answered as asked (a call: it took the call)
    NoStartByte,         // no start byte in time
    NoLengthByte,        // no length byte in time, or the reply stopped in mid-frame
    TooLong,             // the reply ran past the longest frame
    Checksum,            // the reply's checksum is wrong
    NoRowOrValue,        // a read's reply names no row of the unit or carries no value
    Refused,             // the unit answered the call, but did not take it
    CallDigitOutOfRange, // the call number is no digit; the call goes ahead
    NotCodable,          // nothing could be sent for the row; it is dropped
};

struct ExchangeReport {
    Exchange exchange = Exchange::ReadRow;
    ExchangeResult result = ExchangeResult::Done;
    int16_t row = -1;       // the row asked for; -1 for the call exchanges
    int16_t storedRow = -1; // a read: the row the reply named, which took the value
    int16_t value = -1;     // the grid position read or written; the call digit
    int16_t unitValue = -1; // a read: the value as the unit sent it, before decoding
};

// How a report moves the count of failed exchanges that the failure limit
// looks at: an answered row clears it; a silent or garbled reply counts,
// except a reply too long to be a frame, and the replies to a call that
// came but said no more than that the call failed.
enum class ErrorEffect { None, Counts, Clears };

inline ErrorEffect FailureCountEffect(const ExchangeReport& report)
{
    const bool row = report.exchange == Exchange::ReadRow || report.exchange == Exchange::WriteRow;
    switch (report.result) {
    case ExchangeResult::Done: return row ? ErrorEffect::Clears : ErrorEffect::None;
    case ExchangeResult::NoStartByte:
    case ExchangeResult::CallDigitOutOfRange: return ErrorEffect::Counts;
    case ExchangeResult::NoLengthByte:
    case ExchangeResult::Checksum:
    case ExchangeResult::NoRowOrValue: return row ? ErrorEffect::Counts : ErrorEffect::None;
    case ExchangeResult::TooLong:
    case ExchangeResult::Refused:
    case ExchangeResult::NotCodable: return ErrorEffect::None;
    }
    return ErrorEffect::None;
}

// The reply did not come as it should: time-outs, a reply too long or
// garbled, a call the unit did not take.
inline bool IsReplyFault(ExchangeResult result)
{
    switch (result) {
    case ExchangeResult::NoStartByte:
    case ExchangeResult::NoLengthByte:
    case ExchangeResult::TooLong:
    case ExchangeResult::Checksum:
    case ExchangeResult::NoRowOrValue:
    case ExchangeResult::Refused:
        return true;
    case ExchangeResult::Done:
    case ExchangeResult::CallDigitOutOfRange:
    case ExchangeResult::NotCodable:
        return false;
    }
    return false;
}

} // namespace pb
