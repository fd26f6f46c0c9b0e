// The receive phases shared by the four exchanges, and what each exchange
// makes of a reply or of its failure.
#include "link/ProtocolEngine.h"

#include "link/ExchangeWording.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"

namespace pb {

namespace {

using State = ProtocolEngine::State;

} // namespace

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
        ReplyTimeout_ = kReplyTicks;
        EngineState_ = PhasesOf(exchange).length;
        return;
    }
    if (ReplyTimeout_ == 0)
        ReplyFailed(exchange, ExchangeResult::NoStartByte);
}

void ProtocolEngine::ReceiveLength(Exchange exchange)
{
    const int16_t byte = parts_.line.ReadByte();
    if (byte >= 0) {
        reply_.LengthByte(byte);
        ReplyTimeout_ = kReplyTicks;
        EngineState_ = PhasesOf(exchange).data;
        return;
    }
    if (ReplyTimeout_ == 0)
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
    if (ReplyTimeout_ == 0)
        ReplyFailed(exchange, ExchangeResult::NoLengthByte);
}

void ProtocolEngine::ReplyComplete(Exchange exchange)
{
    switch (exchange) {
    case Exchange::WriteRow:
        EngineState_ = State::WriteConfirmed;
        break;
    case Exchange::ReadRow:
        EngineState_ = State::ReadReplyStored;
        break;
    case Exchange::CallNumber: {
        // A digit out of range counts as a failure, yet the call goes ahead.
        CallDigit_ = int16_t(reply_.ReplyCallDigit() - '0');
        const bool digit = CallDigit_ >= 0 && CallDigit_ <= 9;
        EngineState_ = State::SendPagerCall;
        Finish({exchange, digit ? ExchangeResult::Done : ExchangeResult::CallDigitOutOfRange, -1, -1, CallDigit_});
        break;
    }
    case Exchange::Call:
        EngineState_ = State::Ready;
        Finish({exchange, reply_.CallAccepted() ? ExchangeResult::Done : ExchangeResult::Refused});
        break;
    }
}

void ProtocolEngine::ReplyFailed(Exchange exchange, ExchangeResult fault)
{
    EngineState_ = State::Ready;
    // No answer at all: the unit may have fallen asleep meanwhile, so the
    // retry wakes it first. Otherwise a write's window (longer than the
    // time-out) would send every retry to a sleeping unit, for ever.
    if (fault == ExchangeResult::NoStartByte)
        WakeWindow_ = 0;
    const bool rowExchange = exchange == Exchange::ReadRow || exchange == Exchange::WriteRow;
    const bool written = exchange == Exchange::WriteRow && CurrentRow_ >= 0 && CurrentRow_ < kGridRows;
    Finish({exchange, fault, rowExchange ? CurrentRow_ : int16_t(-1), -1,
            written ? parts_.rows.UnitSettings[CurrentRow_] : int16_t(-1)});
}

void ProtocolEngine::Finish(const ExchangeReport& report)
{
    const ReportWording words = WordReport(report, Grid(), Tekst());
    if (!words.progress.isEmpty())
        Progress(words.progress);
    if (!words.log.isEmpty())
        Log(words.log);
    switch (words.effect) {
    case ErrorEffect::Counts: ++ErrorCount_; break;
    case ErrorEffect::Clears: ErrorCount_ = 0; break;
    case ErrorEffect::None: break;
    }
    if (onReport)
        onReport(report);
}

void ProtocolEngine::ConfirmWrite()
{
    EngineState_ = State::Ready;
    const int16_t row = CurrentRow_;
    if (row < 0 || row >= kGridRows)
        return;
    RowValues& rows = parts_.rows;
    requests_.served(row);
    rows.SettingsInUnit[row] = rows.UnitSettings[row];
    SettingToGrid(Grid(), rows, row);
    Finish({Exchange::WriteRow, ExchangeResult::Done, row, row, rows.UnitSettings[row]});
}

// The row comes from the reply's item, not from the request. A reply that
// names no grid row or carries no value (a line that echoes the request
// hands back one with a right checksum) stores nothing and counts as a
// fault; the request stays and is sent again.
void ProtocolEngine::StoreRead()
{
    EngineState_ = State::Ready;
    const int16_t unitType = parts_.unitType;
    const int16_t item = reply_.ReplyItem();
    const int16_t row = ItemToRow(unitType, item);
    const int16_t value = reply_.ReplyValue();
    if (row < 0 || row >= kGridRows || value < 0) {
        Finish({Exchange::ReadRow, ExchangeResult::NoRowOrValue, CurrentRow_, -1, -1});
        return;
    }
    const int16_t gridValue = DecodeValue(unitType, row, value);

    RowValues& rows = parts_.rows;
    requests_.served(row);
    rows.ValueFromUnit[row] = value; // as sent, before decoding loses what no option names
    rows.SettingsInUnit[row] = gridValue;
    rows.UnitSettings[row] = gridValue;
    SettingToGrid(Grid(), rows, row);
    Finish({Exchange::ReadRow, ExchangeResult::Done, CurrentRow_, row, gridValue});
}

} // namespace pb
