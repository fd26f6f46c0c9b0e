#pragma once
// The state machine behind every exchange with the unit. Its user calls
// tick every 25 ms with what to serve; each tick does at most one step of
// one exchange: take up a request, wake the unit, send a frame, take the
// reply byte by byte, report. Requests go in through request(); each ends
// with one outcome. Time is counted in ticks only, so a test steps the
// engine with a scripted line and no timer.
#include "link/ExchangeReport.h"
#include "link/FrameSender.h"
#include "link/ReplyReader.h"
#include "link/RequestBook.h"
#include "link/SerialLine.h"
#include "link/UnitRequest.h"
#include "log/LogSink.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace pb {

constexpr int16_t kReplyTicks = 120;     // for the start byte, the length byte, the rest
constexpr int16_t kWakeUpTicks = 10;     // after the wake-up sequence and at start
constexpr int16_t kAwakeAfterRead = 80;  // the unit stays awake this long after a read
constexpr int16_t kAwakeAfterWrite = 200; // and after a write or a call frame

// At this many failed exchanges in a row, read all and write all give up
// every pending row.
constexpr int16_t kErrorLimit = 3;

// What the engine works with; each part outlives it. The unit type is read
// on every tick, so a change applies at once. The unit's own text, received
// while monitoring, goes to the log.
struct EngineParts {
    SerialLine& line;
    LogSink& log;
    const int16_t& unitType;
};

// A read or a write about to go out: what its words need.
struct ExchangeStart {
    Exchange exchange = Exchange::ReadRow;
    int16_t row = -1;
    int16_t value = -1; // the grid position a write sends
};

class ProtocolEngine {
public:
    explicit ProtocolEngine(const EngineParts& parts);

    // Told of each read or write just before its frame goes out.
    std::function<void(const ExchangeStart& start)> onExchangeStart;
    // Told every finished exchange.
    std::function<void(const ExchangeReport& report)> onReport;
    // Told when the engine gave up the pending rows by itself (the failure
    // limit), or dropAll dropped something.
    std::function<void()> onRowsDropped;
    // Told how each request ended, once nothing of it is pending or on the
    // wire.
    std::function<void(const RequestOutcome& outcome)> onOutcome;

    // The port is open: after the wake-up delay the engine serves requests.
    // Until then ticks only keep it waiting.
    void start();
    bool started() const;

    // One step, serving what `mode` says when the engine is ready for new work.
    void tick(ServingMode mode);

    RequestId request(UnitRequest request);
    // The user's cancel: drops every pending row, each request ending
    // cancelled; an exchange under way still finishes and reports.
    void cancelRows();
    // Drops every request and gives up the exchange under way, the engine
    // going on ready for new ones. False when there was nothing to drop;
    // otherwise onRowsDropped hears of it.
    bool dropAll();

    // A read or a write of the row waits to be served.
    bool rowPending(int row) const { return book_.rowPending(row); }
    // A request has not ended yet; one of this kind.
    bool busy() const { return book_.anyOpen(); }
    bool busyWith(RequestKind kind) const { return book_.anyOpen(kind); }

    // Every counter and the row under way within its range, the reply no
    // longer than a frame: what a fuzzer checks after each tick.
    bool withinBounds() const;

private:
    // The numbers belong to the design of the exchanges; keep them.
    enum class State : int16_t {
        NotStarted = 0,
        Ready = 10,
        ServeUnitTab = 50,
        SendCallNumberRequest = 150,
        CallNumberReplyStart = 151,
        CallNumberReplyLength = 152,
        CallNumberReplyData = 153,
        SendPagerCall = 161,
        CallReplyStart = 162,
        CallReplyLength = 163,
        CallReplyData = 164,
        ServeSettingsTab = 300,
        SendWrite = 310,
        WriteReplyStart = 311,
        WriteReplyLength = 312,
        WriteReplyData = 313,
        WriteConfirmed = 314,
        SendRead = 350,
        ReadReplyStart = 351,
        ReadReplyLength = 352,
        ReadReplyData = 353,
        ReadReplyStored = 354,
    };

    // The four exchanges share the receive phases; they differ in their
    // states and in what a good reply leads to.
    struct ReplyPhases {
        State start;
        State length;
        State data;
    };
    static ReplyPhases PhasesOf(Exchange exchange);

    // Row serving and sending (ProtocolEngine.cpp)
    void step(bool starting, ServingMode mode);
    void NotStarted(bool starting);
    void Ready(ServingMode mode);
    void ServeRows(bool withBulk);
    void StartBulk();
    void SendWakeUp();
    void SendRowRequest(Exchange exchange);
    void SendCallNumber();
    void SendCall();
    void AwaitReply(Exchange exchange);
    void DropRowsAtLimit();

    // Replies and their reports (EngineReplies.cpp)
    void ReceiveStart(Exchange exchange);
    void ReceiveLength(Exchange exchange);
    void ReceiveData(Exchange exchange);
    void ReplyComplete(Exchange exchange);
    void ReplyFailed(Exchange exchange, ExchangeResult fault);
    void ConfirmWrite();
    void StoreRead();
    // Counts the report toward the failure limit and passes it on.
    void Finish(const ExchangeReport& report);
    // The exchange under way is over; the engine is ready again.
    void EndExchange();

    bool DelayRuns() const { return sendDelay_ > 0; }
    // A frame sent or about to be, its reply not yet taken.
    bool ExchangeUnderWay() const;

    EngineParts parts_;
    FrameSender sender_;
    ReplyReader reply_;
    RequestBook book_;
    int16_t currentRow_ = -1;     // row of the exchange under way, -1 for none
    int16_t currentValue_ = -1;   // the grid position it writes
    RequestId currentOwner_ = 0;  // the request it serves
    int16_t errorCount_ = 0;      // failed exchanges since the last good one
    int16_t callDigit_ = 0;       // from the reply to the call-number request

    State state_ = State::NotStarted;
    int16_t sendDelay_ = 0;
    int16_t replyTimeout_ = 0;
    int16_t wakeWindow_ = 0;
    QString monitorLine_;
    int16_t lastRow_ = 0; // highest row of the unit type, taken every tick
};

} // namespace pb
