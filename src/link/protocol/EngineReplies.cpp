// The receive phases shared by the four exchanges, and what each exchange
// makes of a reply or of its failure.
#include "link/protocol/ProtocolEngine.h"

#include "settings/ValueCoding.h"

namespace pb {

ProtocolEngine::ReplyPhases ProtocolEngine::PhasesOf(Exchange exchange)
{
    switch (exchange) {
    case Exchange::WriteRow: return {State::WriteReplyStart, State::WriteReplyLength, State::WriteReplyData};
    case Exchange::ReadRow: return {State::ReadReplyStart, State::ReadReplyLength, State::ReadReplyData};
    case Exchange::CallNumber:
        return {State::CallNumberReplyStart, State::CallNumberReplyLength, State::CallNumberReplyData};
    case Exchange::Call: break;
    }
    return {State::CallReplyStart, State::CallReplyLength, State::CallReplyData};
}

// One byte per tick; noise before SOH is dropped and counts against the time.
void ProtocolEngine::ReceiveStart(Exchange exchange)
{
    if (reply_.StartByte(parts_.line.ReadByte())) {
        replyTimeout_ = kReplyTicks;
        state_ = PhasesOf(exchange).length;
        return;
    }
    if (replyTimeout_ == 0)
        ReplyFailed(exchange, ExchangeResult::NoStartByte);
}

void ProtocolEngine::ReceiveLength(Exchange exchange)
{
    const int16_t byte = parts_.line.ReadByte();
    if (byte >= 0) {
        reply_.LengthByte(byte);
        replyTimeout_ = kReplyTicks;
        state_ = PhasesOf(exchange).data;
        return;
    }
    if (replyTimeout_ == 0)
        ReplyFailed(exchange, ExchangeResult::NoLengthByte);
}

// Takes what waits, up to the end of the frame; bytes after it stay in the
// port. A reply that stops in mid-frame is given up when the time set at its
// length byte runs out, and reported as a missing length.
void ProtocolEngine::ReceiveData(Exchange exchange)
{
    for (int16_t byte = parts_.line.ReadByte(); byte >= 0; byte = parts_.line.ReadByte()) {
        switch (reply_.DataByte(byte)) {
        case ReplyProgress::Incomplete:
            continue;
        case ReplyProgress::TooLong:
            ReplyFailed(exchange, ExchangeResult::TooLong);
            return;
        case ReplyProgress::BadCheckSum:
            ReplyFailed(exchange, ExchangeResult::Checksum);
            return;
        case ReplyProgress::Complete:
            ReplyComplete(exchange);
            return;
        }
    }
    if (replyTimeout_ == 0)
        ReplyFailed(exchange, ExchangeResult::NoLengthByte);
}

void ProtocolEngine::ReplyComplete(Exchange exchange)
{
    switch (exchange) {
    case Exchange::WriteRow:
        state_ = State::WriteConfirmed;
        break;
    case Exchange::ReadRow:
        state_ = State::ReadReplyStored;
        break;
    case Exchange::CallNumber: {
        // A digit out of range counts as a failure, yet the call goes ahead.
        callDigit_ = int16_t(reply_.ReplyCallDigit() - '0');
        const bool digit = callDigit_ >= 0 && callDigit_ <= 9;
        state_ = State::SendPagerCall;
        Finish({exchange, digit ? ExchangeResult::Done : ExchangeResult::CallDigitOutOfRange, -1, -1, callDigit_});
        break;
    }
    case Exchange::Call: {
        state_ = State::Ready;
        const bool taken = reply_.CallAccepted();
        book_.callEnded(currentOwner_, taken);
        Finish({exchange, taken ? ExchangeResult::Done : ExchangeResult::Refused});
        break;
    }
    }
}

void ProtocolEngine::ReplyFailed(Exchange exchange, ExchangeResult fault)
{
    state_ = State::Ready;
    // No answer at all: the unit may have fallen asleep meanwhile, so the
    // retry wakes it first. Otherwise a write's window (longer than the
    // time-out) would send every retry to a sleeping unit, for ever.
    if (fault == ExchangeResult::NoStartByte)
        wakeWindow_ = 0;
    const bool rowExchange = exchange == Exchange::ReadRow || exchange == Exchange::WriteRow;
    const bool written = exchange == Exchange::WriteRow && currentRow_ >= 0 && currentRow_ < kGridRows;
    if (!rowExchange)
        book_.callEnded(currentOwner_, false);
    Finish({exchange, fault, rowExchange ? currentRow_ : int16_t(-1), -1, written ? currentValue_ : int16_t(-1)});
}

void ProtocolEngine::Finish(const ExchangeReport& report)
{
    book_.note(currentOwner_, report);
    switch (FailureCountEffect(report)) {
    case ErrorEffect::Counts: ++errorCount_; break;
    case ErrorEffect::Clears: errorCount_ = 0; break;
    case ErrorEffect::None: break;
    }
    if (onReport)
        onReport(report);
}

void ProtocolEngine::ConfirmWrite()
{
    state_ = State::Ready;
    const int16_t row = currentRow_;
    if (row < 0 || row >= kGridRows)
        return;
    const ExchangeReport report{Exchange::WriteRow, ExchangeResult::Done, row, row, currentValue_};
    book_.served(row, report, currentOwner_);
    Finish(report);
}

// The row comes from the reply's item, not from the request. A reply that
// names no grid row or carries no value (a line that echoes the request
// hands back one with a right checksum) serves nothing and counts as a
// fault; the request stays and is sent again.
void ProtocolEngine::StoreRead()
{
    state_ = State::Ready;
    const int16_t unitType = parts_.unitType;
    const int16_t row = ItemToRow(unitType, reply_.ReplyItem());
    const int16_t value = reply_.ReplyValue();
    if (row < 0 || row >= kGridRows || value < 0) {
        Finish({Exchange::ReadRow, ExchangeResult::NoRowOrValue, currentRow_, -1, -1});
        return;
    }
    // The value as sent goes with the report: decoding loses what no
    // option names.
    const ExchangeReport report{Exchange::ReadRow, ExchangeResult::Done, currentRow_, row,
                                DecodeValue(unitType, row, value), value};
    book_.served(row, report, currentOwner_);
    Finish(report);
}

} // namespace pb
