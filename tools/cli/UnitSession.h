#pragma once
// The engine of the program on a port of its own, run by a 25 ms timer in a
// local event loop: the same wake-up, time-outs, retries and failure limit.
// The session stands in for the main window: it shows one tab for the
// engine to serve and holds the test call's fields.
#include "CliOutput.h"
#include "Interruption.h"

#include "files/ProgramFolder.h"
#include "link/Datacom.h"
#include "link/EngineView.h"
#include "link/LampFlags.h"
#include "link/ProtocolEngine.h"
#include "link/UnitOperations.h"
#include "log/LogSink.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QStringList>
#include <array>
#include <functional>

namespace pb::cli {

// What the commands share: the texts, the grid and the row values, for one
// unit type.
struct CoreParts {
    ProgramFolder folder; // the program's, for its configuration and ports.ini
    TextTable texts;
    GridModel grid;
    RowValues rows;
    int16_t unitType = 1;
};

// The rows read all and write all serve: those the unit type shows, up to
// its highest row.
QList<int16_t> ShownRowNumbers(const CoreParts& parts);


class UnitSession : public EngineView, public LogSink {
public:
    UnitSession(CoreParts& parts, const CliOutput& output, const Interruption& interruption);

    // Opens the device at 19200,N,8,1 and starts the engine; false when it
    // cannot be opened.
    bool open(const DeviceIdentity& device);
    // After a failed open: what the device said of it, if anything (a
    // device server that hung up).
    const QString& whyNotOpened() const { return whyNotOpened_; }
    // After a failed open: the error the device gave.
    const DeviceError& openError() const { return port_.lastError(); }

    // Each gives the shown rows the unit did not confirm, by the engine's
    // reports: a read row is one whose reply came, a written one one whose
    // write the unit took. A row the engine could not send is among them.
    QList<int16_t> readAll();
    QList<int16_t> writeAll();
    // True when the unit took the call.
    bool testCall(const QString& address, const QString& message, int16_t bleepCode);
    // Prints what the unit sends outside frames until the time is up
    // (negative: until Ctrl-C), or until standard output fails.
    void monitor(int milliseconds);
    // Ctrl-C or SIGTERM ended the last of the above.
    bool interrupted() const { return interrupted_; }

    // EngineView
    int16_t VisibleTab() const override { return tab_; }
    void AppendProgress(const QString& text, bool moveCaret) override;
    void ClearProgress() override { progressLine_.clear(); }
    QString PagerAddress() const override { return address_; }
    QString PagerMessage() const override { return message_; }
    int16_t BleepCodePosition() const override { return bleepCode_; }

    // LogSink
    void WriteLog(const QString& message) override;

private:
    // What the port says about itself ("Comport lost: ..."): while
    // monitoring it goes to standard error, apart from the unit's text.
    class PortLog : public LogSink {
    public:
        explicit PortLog(UnitSession& session) : session_(session) {}
        void WriteLog(const QString& message) override;

    private:
        UnitSession& session_;
    };

    void tick();
    // Ticks until `done`, the time is up or Ctrl-C came.
    void runUntil(const std::function<bool()>& done, int milliseconds = -1);
    bool rowsServed() const;
    void noteReport(const ExchangeReport& report);
    QList<int16_t> unconfirmedRows() const;
    void countAttempt();

    CoreParts& parts_;
    const CliOutput& output_;
    const Interruption& interruption_;
    PortLog portLog_{*this};
    LampFlags lamps_;
    Datacom port_;
    ProtocolEngine engine_;
    UnitOperations operations_;
    int16_t tab_ = StatusTab;
    QString address_;
    QString message_;
    int16_t bleepCode_ = -1;

    QString whyNotOpened_;
    QString progressLine_;    // progress text since the last line end
    QString tickProgress_;    // what the engine said during the current tick
    QStringList tickLog_;
    bool monitoring_ = false; // log lines are the result, not progress
    bool callTaken_ = false;
    QList<ExchangeReport> tickReports_;          // the exchanges the current tick finished
    std::array<bool, kGridRows> confirmed_{};   // by a report of the unit's answer
    bool interrupted_ = false;
    std::array<int, kGridRows> attempts_{};
    int16_t attemptRow_ = -1;
};

} // namespace pb::cli
