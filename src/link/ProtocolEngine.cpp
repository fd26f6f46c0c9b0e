#include "link/ProtocolEngine.h"

#include "link/ExchangeWording.h"
#include "link/MonitorInput.h"
#include "link/Flags.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"

#include <algorithm>

namespace pb {

namespace {

void CountDown(int16_t& ticks)
{
    if (ticks > 0)
        --ticks;
}

} // namespace

ProtocolEngine::ProtocolEngine(const EngineParts& parts) : parts_(parts), sender_(parts.line)
{
}

void ProtocolEngine::ProtocolTick(int16_t command)
{
    CountDown(WakeWindow_);
    CountDown(SendDelay_);
    CountDown(ReplyTimeout_);
    lastRow_ = std::min<int16_t>(HighestRow(parts_.unitType), kGridRows - 1);

    switch (EngineState_) {
    case State::NotStarted: NotStarted(command); break;
    case State::Ready: Ready(); break;

    case State::ServeSettingsTab: ServeRows(false); break;
    case State::ServeUnitTab: ServeRows(true); break;

    case State::SendWrite: SendRowRequest(Exchange::WriteRow); break;
    case State::WriteReplyStart: ReceiveStart(Exchange::WriteRow); break;
    case State::WriteReplyLength: ReceiveLength(Exchange::WriteRow); break;
    case State::WriteReplyData: ReceiveData(Exchange::WriteRow); break;
    case State::WriteConfirmed: ConfirmWrite(); break;

    case State::SendRead: SendRowRequest(Exchange::ReadRow); break;
    case State::ReadReplyStart: ReceiveStart(Exchange::ReadRow); break;
    case State::ReadReplyLength: ReceiveLength(Exchange::ReadRow); break;
    case State::ReadReplyData: ReceiveData(Exchange::ReadRow); break;
    case State::ReadReplyStored: StoreRead(); break;

    case State::SendCallNumberRequest: SendCallNumber(); break;
    case State::CallNumberReplyStart: ReceiveStart(Exchange::CallNumber); break;
    case State::CallNumberReplyLength: ReceiveLength(Exchange::CallNumber); break;
    case State::CallNumberReplyData: ReceiveData(Exchange::CallNumber); break;

    case State::SendPagerCall: SendCall(); break;
    case State::CallReplyStart: ReceiveStart(Exchange::Call); break;
    case State::CallReplyLength: ReceiveLength(Exchange::Call); break;
    case State::CallReplyData: ReceiveData(Exchange::Call); break;

    default: EngineState_ = State::Ready; break;
    }
}

void ProtocolEngine::NotStarted(int16_t command)
{
    if (command == kStartCommand)
        EngineState_ = State::Ready;
    MonitorLine_.clear();
    SendDelay_ = kWakeUpTicks;
}

void ProtocolEngine::Ready()
{
    CurrentRow_ = -1;
    if (DelayRuns())
        return;
    switch (parts_.view.VisibleTab()) {
    case StatusTab:
        MonitorInput(parts_.line, MonitorLine_, parts_.log);
        break;
    case SettingsTab:
        EngineState_ = State::ServeSettingsTab;
        break;
    case UnitTab:
        EngineState_ = State::ServeUnitTab;
        break;
    case ServiceTab:
        if (requests_.takeTestCall())
            EngineState_ = State::SendCallNumberRequest;
        break;
    default:
        // The file tab: received bytes wait in the port.
        break;
    }
}

void ProtocolEngine::ServeRows(bool unitTab)
{
    const int16_t row = int16_t(requests_.firstPending(lastRow_));
    if (row >= 0) {
        if (unitTab && ErrorCount_ >= kErrorLimit) {
            CancelRequests();
            return;
        }
        CurrentRow_ = row;
        if (WakeWindow_ > 0)
            SendDelay_ = 0;
        else
            SendWakeUp();
        EngineState_ = requests_.of(row) == WriteRequest ? State::SendWrite : State::SendRead;
        return;
    }

    MonitorInput(parts_.line, MonitorLine_, parts_.log);
    if (unitTab)
        StartUnitOperation();
    else
        EngineState_ = State::Ready;
}

// Read all and write all become row requests for the visible rows; the
// engine then serves them like single ones, from row 0 upward.
void ProtocolEngine::StartUnitOperation()
{
    RowValues& rows = parts_.rows;
    if (requests_.takeReadAll()) {
        ErrorCount_ = 0;
        for (int16_t r = 0; r <= lastRow_; ++r) {
            if (Grid().shown(r))
                requests_.read(r);
        }
    } else if (requests_.takeWriteAll()) {
        ErrorCount_ = 0;
        for (int16_t r = 0; r <= lastRow_; ++r) {
            if (Grid().shown(r)) {
                GridToSetting(Grid(), rows, r);
                requests_.write(r);
            }
        }
    } else {
        EngineState_ = State::Ready;
    }
}

void ProtocolEngine::SendWakeUp()
{
    sender_.SendWakeUpSequence();
    SendDelay_ = kWakeUpTicks;
}

void ProtocolEngine::SendRowRequest(Exchange exchange)
{
    if (DelayRuns())
        return;
    const bool write = exchange == Exchange::WriteRow;
    WakeWindow_ = write ? kAwakeAfterWrite : kAwakeAfterRead;
    const int16_t row = CurrentRow_;
    if (row < 0 || row >= kGridRows) {
        EngineState_ = State::Ready;
        return;
    }

    RowValues& rows = parts_.rows;
    const int16_t unitType = parts_.unitType;
    const QString start = ExchangeStartText(exchange, row, rows.UnitSettings[row], Grid(), Tekst());
    Progress(start);
    Log(start);

    parts_.line.FlushInput();
    reply_.Begin();
    const int16_t sent = write ? sender_.SendWriteRequest(unitType, row, rows.UnitSettings[row])
                               : sender_.SendReadRequest(unitType, row);
    if (sent < 0) {
        // Nothing can be sent for this row; retrying would not change that.
        requests_.served(row);
        EngineState_ = State::Ready;
        Finish({exchange, ExchangeResult::NotCodable, row, -1, write ? rows.UnitSettings[row] : int16_t(-1)});
        return;
    }
    AwaitReply(exchange);
}

// No wake-up sequence precedes the call: the unit is awake enough for it.
void ProtocolEngine::SendCallNumber()
{
    if (DelayRuns())
        return;
    WakeWindow_ = kAwakeAfterWrite;
    parts_.line.FlushInput();
    sender_.SendCallNumberRequest();
    AwaitReply(Exchange::CallNumber);
}

void ProtocolEngine::SendCall()
{
    PagerCall call;
    call.callDigit = CallDigit_;
    call.address = parts_.view.PagerAddress();
    call.message = parts_.view.PagerMessage();
    call.bleepCode = parts_.view.BleepCodePosition();
    WakeWindow_ = kAwakeAfterWrite;
    parts_.line.FlushInput();
    sender_.SendPagerCall(call);
    AwaitReply(Exchange::Call);
}

void ProtocolEngine::AwaitReply(Exchange exchange)
{
    EngineState_ = PhasesOf(exchange).start;
    reply_.Begin();
    ReplyTimeout_ = kReplyTicks;
}

void ProtocolEngine::CancelRequests()
{
    requests_.cancelRows();
    parts_.view.AppendProgress(DroppedText(), false);
}

bool ProtocolEngine::ExchangeUnderWay() const
{
    switch (EngineState_) {
    case State::NotStarted:
    case State::Ready:
    case State::ServeSettingsTab:
    case State::ServeUnitTab:
        return false;
    default:
        return true;
    }
}

void ProtocolEngine::DropAllRequests()
{
    if (!requests_.anyPending() && !ExchangeUnderWay())
        return;
    requests_.dropAll();
    // A reply still to come would be stored over values loaded since.
    if (ExchangeUnderWay()) {
        EngineState_ = State::Ready;
        CurrentRow_ = -1;
        ReplyTimeout_ = 0;
    }
    CancelRequests();
}

void ProtocolEngine::Progress(const QString& text)
{
    parts_.view.AppendProgress(text, true);
}

void ProtocolEngine::Log(const QString& text)
{
    parts_.log.WriteLog(text);
}

} // namespace pb
