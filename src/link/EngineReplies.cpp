// The receive phases shared by the four exchanges, and what each exchange
// makes of a reply or of its failure.
#include "link/ProtocolEngine.h"

#include "link/RowDescription.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "texts/TextNumbers.h"

namespace pb {

namespace {

using State = ProtocolEngine::State;

constexpr QLatin1String kCrLf("\r\n");

} // namespace

ProtocolEngine::ReplyPhases ProtocolEngine::PhasesOf(Exchange exchange)
{
    switch (exchange) {
    case Exchange::Write: return {State::WriteReplyStart, State::WriteReplyLength, State::WriteReplyData};
    case Exchange::Read: return {State::ReadReplyStart, State::ReadReplyLength, State::ReadReplyData};
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
        ReplyFailed(exchange, ReplyFault::NoStart);
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
        ReplyFailed(exchange, ReplyFault::NoLength);
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
            ReplyFailed(exchange, ReplyFault::TooLong);
            return;
        case ReplyProgress::BadCheckSum:
            ReplyFailed(exchange, ReplyFault::BadCheckSum);
            return;
        case ReplyProgress::Complete:
            ReplyComplete(exchange);
            return;
        }
    }
    if (ReplyTimeout_ == 0)
        ReplyFailed(exchange, ReplyFault::NoLength);
}

void ProtocolEngine::ReplyComplete(Exchange exchange)
{
    switch (exchange) {
    case Exchange::Write:
        EngineState_ = State::WriteConfirmed;
        break;
    case Exchange::Read:
        EngineState_ = State::ReadReplyStored;
        break;
    case Exchange::CallNumber:
        // A digit out of range counts as a failure, yet the call goes ahead.
        CallDigit_ = int16_t(reply_.ReplyCallDigit() - '0');
        if (CallDigit_ < 0 || CallDigit_ > 9)
            ++ErrorCount_;
        EngineState_ = State::SendPagerCall;
        break;
    case Exchange::Call:
        EngineState_ = State::Ready;
        if (reply_.ReplyResult() == kACK)
            Log(Tekst()[TxtCallSucceeded] + u'.');
        else
            Log(Tekst()[TxtCallFailed] + u'.');
        break;
    }
}

void ProtocolEngine::ReplyFailed(Exchange exchange, ReplyFault fault)
{
    EngineState_ = State::Ready;
    // No answer at all: the unit may have fallen asleep meanwhile, so the
    // retry wakes it first. Otherwise a write's window (longer than the
    // time-out) would send every retry to a sleeping unit, for ever.
    if (fault == ReplyFault::NoStart)
        WakeWindow_ = 0;
    switch (exchange) {
    case Exchange::Write: WriteFailed(fault); break;
    case Exchange::Read: ReadFailed(fault); break;
    case Exchange::CallNumber: CallNumberFailed(fault); break;
    case Exchange::Call: CallFailed(fault); break;
    }
}

void ProtocolEngine::WriteFailed(ReplyFault fault)
{
    const QString arrow = QStringLiteral(" -> ");
    switch (fault) {
    case ReplyFault::NoStart:
        Progress(arrow + Tekst()[TxtErrorTimeout] + QStringLiteral("[SOH].") + kCrLf);
        ++ErrorCount_;
        break;
    case ReplyFault::NoLength:
        Progress(arrow + Tekst()[TxtErrorTimeout] + QStringLiteral("[LEN].") + kCrLf);
        ++ErrorCount_;
        break;
    case ReplyFault::TooLong:
        Progress(arrow + Tekst()[TxtError] + QStringLiteral(" > InfoMaxLen.") + kCrLf);
        break;
    case ReplyFault::BadCheckSum:
        Progress(arrow + Tekst()[TxtError] + QStringLiteral(" checksum.") + kCrLf);
        ++ErrorCount_;
        break;
    }
}

void ProtocolEngine::ReadFailed(ReplyFault fault)
{
    const QString desc = RowDescription(Grid(), Tekst(), CurrentRow_);
    QString error;
    switch (fault) {
    case ReplyFault::NoStart: error = desc + Tekst()[TxtErrorTimeout] + QStringLiteral(" [SOH]. "); break;
    case ReplyFault::NoLength: error = desc + Tekst()[TxtErrorTimeout] + QStringLiteral(" [LEN]. "); break;
    case ReplyFault::TooLong: error = desc + u' ' + Tekst()[TxtError] + QStringLiteral(" Len > Max. "); break;
    case ReplyFault::BadCheckSum: error = desc + Tekst()[TxtError] + QStringLiteral(" [checksum]. "); break;
    }
    Progress(error + kCrLf);
    Log(Tekst()[TxtError] + u' ' + Tekst()[TxtReadingOf] + QStringLiteral(": ") + error);
    if (fault != ReplyFault::TooLong)
        ++ErrorCount_;
}

// The call exchanges report in the log only. A garbled reply too long to be
// a frame still means the call did not go through, so it says so rather than
// leaving the user waiting for a result that never comes.
void ProtocolEngine::CallNumberFailed(ReplyFault fault)
{
    switch (fault) {
    case ReplyFault::NoStart:
        Log(Tekst()[TxtCallTimedOut] + QStringLiteral(". (SOH req BufPos)"));
        ++ErrorCount_;
        break;
    case ReplyFault::NoLength:
        Log(Tekst()[TxtCallTimedOut] + QStringLiteral(". (Len BufPos)"));
        break;
    case ReplyFault::BadCheckSum:
        Log(Tekst()[TxtCallChecksumError] + QStringLiteral(". (CheckSumn req BufPos)"));
        break;
    case ReplyFault::TooLong:
        Log(Tekst()[TxtCallFailed] + u'.');
        break;
    }
}

void ProtocolEngine::CallFailed(ReplyFault fault)
{
    switch (fault) {
    case ReplyFault::NoStart:
        Log(Tekst()[TxtCallTimedOut] + QStringLiteral(". (SOH snd call)"));
        ++ErrorCount_;
        break;
    case ReplyFault::NoLength:
        Log(Tekst()[TxtCallTimedOut] + QStringLiteral(". (Len send Call)"));
        break;
    case ReplyFault::BadCheckSum:
        Log(Tekst()[TxtCallTimedOut] + QStringLiteral(". (Data send Call)"));
        break;
    case ReplyFault::TooLong:
        Log(Tekst()[TxtCallFailed] + u'.');
        break;
    }
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
    Progress(QStringLiteral(" -> ") + Tekst()[TxtSaved] + u'.' + kCrLf);
    Log(Tekst()[TxtWritingOf] + u' ' + ComboText(row) + Tekst()[TxtSaved]);
    ErrorCount_ = 0;
}

// The row comes from the reply's item, not from the request. A reply that
// names no grid row or carries no value is dropped; the request stays and
// is sent again.
void ProtocolEngine::StoreRead()
{
    EngineState_ = State::Ready;
    const int16_t unitType = parts_.unitType;
    const int16_t item = reply_.ReplyItem();
    const int16_t row = ItemToRow(unitType, item);
    if (row < 0 || row >= kGridRows)
        return;
    const int16_t value = reply_.ReplyValue();
    if (value < 0)
        return;
    const int16_t gridValue = DecodeValue(unitType, row, value);

    RowValues& rows = parts_.rows;
    requests_.served(row);
    rows.ValueFromUnit[row] = value; // as sent, before decoding loses what no option names
    rows.SettingsInUnit[row] = gridValue;
    rows.UnitSettings[row] = gridValue;
    SettingToGrid(Grid(), rows, row);

    const QString itemValue = ItemValueText(CurrentRow_, gridValue);
    const QString combo = ComboText(row);
    Progress(QStringLiteral(" -> ") + itemValue + u' ' + combo + QStringLiteral(" OK. ") + kCrLf);
    Log(Tekst()[TxtReadingOf] + itemValue + u' ' + combo);
    ErrorCount_ = 0;
}

} // namespace pb
