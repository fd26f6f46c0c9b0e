#include "link/protocol/ProtocolEngine.h"

#include "link/protocol/MonitorInput.h"
#include "link/protocol/ReplyReader.h"
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
    book_.onOutcome = [this](const RequestOutcome& outcome) {
        if (onOutcome)
            onOutcome(outcome);
    };
}

void ProtocolEngine::start()
{
    step(true, ServingMode::Hold);
}

bool ProtocolEngine::started() const
{
    return state_ != State::NotStarted;
}

void ProtocolEngine::tick(ServingMode mode)
{
    step(false, mode);
}

void ProtocolEngine::step(bool starting, ServingMode mode)
{
    CountDown(wakeWindow_);
    CountDown(sendDelay_);
    CountDown(replyTimeout_);
    lastRow_ = std::min<int16_t>(HighestRow(parts_.unitType), kGridRows - 1);

    switch (state_) {
    case State::NotStarted: NotStarted(starting); break;
    case State::Ready: Ready(mode); break;

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
    }
    book_.settle(ExchangeUnderWay() ? currentOwner_ : 0);
}

void ProtocolEngine::NotStarted(bool starting)
{
    if (starting)
        state_ = State::Ready;
    monitorLine_.clear();
    sendDelay_ = kWakeUpTicks;
}

void ProtocolEngine::Ready(ServingMode mode)
{
    currentRow_ = -1;
    currentOwner_ = 0;
    if (DelayRuns())
        return;
    switch (mode) {
    case ServingMode::Monitor:
        MonitorInput(parts_.line, monitorLine_, parts_.log);
        break;
    case ServingMode::Rows:
        state_ = State::ServeSettingsTab;
        break;
    case ServingMode::RowsAndBulk:
        state_ = State::ServeUnitTab;
        break;
    case ServingMode::Call:
        currentOwner_ = book_.takeTestCall();
        if (currentOwner_ != 0)
            state_ = State::SendCallNumberRequest;
        break;
    case ServingMode::Hold:
        // Received bytes wait in the port.
        break;
    }
}

void ProtocolEngine::ServeRows(bool withBulk)
{
    const int16_t row = int16_t(book_.firstPending(lastRow_));
    if (row >= 0) {
        if (withBulk && errorCount_ >= kErrorLimit) {
            DropRowsAtLimit();
            return;
        }
        currentRow_ = row;
        currentOwner_ = book_.ownerOf(row);
        currentValue_ = book_.writeValue(row).value_or(-1);
        if (wakeWindow_ > 0)
            sendDelay_ = 0;
        else
            SendWakeUp();
        state_ = book_.codeOf(row) == RowRequestCode::Write ? State::SendWrite : State::SendRead;
        return;
    }

    MonitorInput(parts_.line, monitorLine_, parts_.log);
    if (withBulk)
        StartBulk();
    else
        state_ = State::Ready;
}

// Read all and write all become row requests of their own; the engine then
// serves them like single ones, from row 0 upward.
void ProtocolEngine::StartBulk()
{
    if (book_.expandBulk())
        errorCount_ = 0;
    else
        state_ = State::Ready;
}

void ProtocolEngine::SendWakeUp()
{
    sender_.SendWakeUpSequence();
    sendDelay_ = kWakeUpTicks;
}

void ProtocolEngine::SendRowRequest(Exchange exchange)
{
    if (DelayRuns())
        return;
    const bool write = exchange == Exchange::WriteRow;
    wakeWindow_ = write ? kAwakeAfterWrite : kAwakeAfterRead;
    const int16_t row = currentRow_;
    if (row < 0 || row >= kGridRows) {
        state_ = State::Ready;
        return;
    }
    // A newer write of the row while the unit woke up sends the newer value.
    if (write)
        currentValue_ = book_.writeValue(row).value_or(currentValue_);
    if (onExchangeStart)
        onExchangeStart({exchange, row, write ? currentValue_ : int16_t(-1)});

    parts_.line.FlushInput();
    reply_.Begin();
    const int16_t unitType = parts_.unitType;
    const int16_t sent = write ? sender_.SendWriteRequest(unitType, row, currentValue_)
                               : sender_.SendReadRequest(unitType, row);
    if (sent < 0) {
        // Nothing can be sent for this row; retrying would not change that.
        book_.failRow(row);
        state_ = State::Ready;
        Finish({exchange, ExchangeResult::NotCodable, row, -1, write ? currentValue_ : int16_t(-1)});
        return;
    }
    AwaitReply(exchange);
}

// No wake-up sequence precedes the call: the unit is awake enough for it.
void ProtocolEngine::SendCallNumber()
{
    if (DelayRuns())
        return;
    wakeWindow_ = kAwakeAfterWrite;
    parts_.line.FlushInput();
    sender_.SendCallNumberRequest();
    AwaitReply(Exchange::CallNumber);
}

void ProtocolEngine::SendCall()
{
    const CallFields fields = book_.callFields(currentOwner_);
    PagerCall call;
    call.callDigit = callDigit_;
    call.address = fields.address;
    call.message = fields.message;
    call.bleepCode = fields.bleepCode;
    wakeWindow_ = kAwakeAfterWrite;
    parts_.line.FlushInput();
    sender_.SendPagerCall(call);
    AwaitReply(Exchange::Call);
}

void ProtocolEngine::AwaitReply(Exchange exchange)
{
    state_ = PhasesOf(exchange).start;
    reply_.Begin();
    replyTimeout_ = kReplyTicks;
}

RequestId ProtocolEngine::request(UnitRequest request)
{
    return book_.add(std::move(request));
}

void ProtocolEngine::cancelRows()
{
    book_.dropRows(OutcomeStatus::Cancelled);
    book_.settle(ExchangeUnderWay() ? currentOwner_ : 0);
}

void ProtocolEngine::DropRowsAtLimit()
{
    book_.dropRows(OutcomeStatus::Failed);
    if (onRowsDropped)
        onRowsDropped();
}

bool ProtocolEngine::ExchangeUnderWay() const
{
    switch (state_) {
    case State::NotStarted:
    case State::Ready:
    case State::ServeSettingsTab:
    case State::ServeUnitTab:
        return false;
    default:
        return true;
    }
}

bool ProtocolEngine::withinBounds() const
{
    return currentRow_ >= -1 && currentRow_ < kGridRows && sendDelay_ >= 0 && sendDelay_ <= kWakeUpTicks
        && replyTimeout_ >= 0 && replyTimeout_ <= kReplyTicks && wakeWindow_ >= 0 && wakeWindow_ <= kAwakeAfterWrite
        && reply_.Count() >= 0 && reply_.Count() <= kMaxReplyLength + 1 && monitorLine_.size() <= kMonitorLineLimit;
}

bool ProtocolEngine::dropAll()
{
    if (!book_.anyPending() && !ExchangeUnderWay()) {
        book_.settle(0); // a request for no row of the grid ends here too
        return false;
    }
    book_.dropAll();
    // A reply still to come would be stored over values loaded since.
    if (ExchangeUnderWay()) {
        state_ = State::Ready;
        currentRow_ = -1;
        currentOwner_ = 0;
        replyTimeout_ = 0;
    }
    if (onRowsDropped)
        onRowsDropped();
    book_.settle(0);
    return true;
}

} // namespace pb
