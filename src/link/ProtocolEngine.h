#pragma once
// The state machine behind every exchange with the unit. The main window's
// 25 ms timer calls ProtocolTick; each call does at most one step of one
// exchange: pick a request by the visible tab, wake the unit, send a frame,
// take the reply byte by byte, report. Time is counted in ticks only, so a
// test steps the engine with a scripted line and no timer.
#include "link/EngineView.h"
#include "link/ExchangeReport.h"
#include "link/FrameSender.h"
#include "link/ReplyReader.h"
#include "link/SerialLine.h"
#include "link/UnitRequests.h"
#include "log/LogSink.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace pb {

// The command that start-up passes once the port is open.
constexpr int16_t kStartCommand = 10;

constexpr int16_t kReplyTicks = 120;     // for the start byte, the length byte, the rest
constexpr int16_t kWakeUpTicks = 10;     // after the wake-up sequence and at start
constexpr int16_t kAwakeAfterRead = 80;  // the unit stays awake this long after a read
constexpr int16_t kAwakeAfterWrite = 200; // and after a write or a call frame

// What the engine works with. Each part belongs to the program and outlives
// the engine; the unit type is read on every tick, so a change applies at
// once.
struct EngineParts {
    SerialLine& line;
    RowValues& rows;
    GridModel& grid;
    const TextTable& texts;
    LogSink& log;
    const int16_t& unitType;
    EngineView& view;
};

class ProtocolEngine {
public:
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

    explicit ProtocolEngine(const EngineParts& parts);

    // Told every finished exchange, after its words went to the progress
    // text and the log.
    std::function<void(const ExchangeReport& report)> onReport;

    // One step. The timer passes 0; only kStartCommand leaves NotStarted.
    void ProtocolTick(int16_t command);

    // Drops every pending row and says so in the progress text. ErrorCount
    // keeps its value.
    void CancelRequests();

    // Drops the pending rows and the read all, write all and test call
    // requests, and gives up the exchange under way, the engine going on
    // ready for new ones; says so in the progress text when there was any.
    void DropAllRequests();

    // What is asked of the unit; the engine takes it up tick by tick.
    UnitRequests& Requests() { return requests_; }
    const UnitRequests& Requests() const { return requests_; }
    // Row of the exchange in progress, -1 for none.
    int16_t CurrentRow() const { return CurrentRow_; }
    // Failed exchanges since the last good one.
    int16_t ErrorCount() const { return ErrorCount_; }
    // From the reply to the call-number request.
    int16_t CallDigit() const { return CallDigit_; }

    State EngineState() const { return EngineState_; }
    int16_t SendDelay() const { return SendDelay_; }
    int16_t ReplyTimeout() const { return ReplyTimeout_; }
    int16_t WakeWindow() const { return WakeWindow_; }
    const QString& MonitorLine() const { return MonitorLine_; }
    const ReplyReader& Reply() const { return reply_; }

private:
    // The four exchanges share the receive phases; they differ in their
    // states and in what a good reply leads to.
    struct ReplyPhases {
        State start;
        State length;
        State data;
    };
    static ReplyPhases PhasesOf(Exchange exchange);

    // Row serving and sending (ProtocolEngine.cpp)
    void NotStarted(int16_t command);
    void Ready();
    void ServeRows(bool unitTab);
    void StartUnitOperation();
    void SendWakeUp();
    void SendRowRequest(Exchange exchange);
    void SendCallNumber();
    void SendCall();
    void AwaitReply(Exchange exchange);

    // Replies and their messages (EngineReplies.cpp)
    void ReceiveStart(Exchange exchange);
    void ReceiveLength(Exchange exchange);
    void ReceiveData(Exchange exchange);
    void ReplyComplete(Exchange exchange);
    void ReplyFailed(Exchange exchange, ExchangeResult fault);
    void ConfirmWrite();
    void StoreRead();
    // Words the report, counts it toward the failure limit and passes it on.
    void Finish(const ExchangeReport& report);

    bool DelayRuns() const { return SendDelay_ > 0; }
    // A frame sent or about to be, its reply not yet taken.
    bool ExchangeUnderWay() const;
    GridModel& Grid() const { return parts_.grid; }
    const TextTable& Tekst() const { return parts_.texts; }
    void Progress(const QString& text);
    void Log(const QString& text);

    EngineParts parts_;
    FrameSender sender_;
    ReplyReader reply_;
    UnitRequests requests_;
    int16_t CurrentRow_ = -1;
    int16_t ErrorCount_ = 0;
    int16_t CallDigit_ = 0;

    State EngineState_ = State::NotStarted;
    int16_t SendDelay_ = 0;
    int16_t ReplyTimeout_ = 0;
    int16_t WakeWindow_ = 0;
    QString MonitorLine_;
    int16_t lastRow_ = 0; // highest row of the unit type, taken every tick
};

} // namespace pb
