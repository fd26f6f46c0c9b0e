#pragma once
// The engine of the program on a port of its own, run by a 25 ms timer in a
// local event loop: the same wake-up, time-outs, retries and failure limit.
// Each command is one request; the session ticks until its outcome.
#include "CliOutput.h"
#include "Interruption.h"

#include "files/ProgramFolder.h"
#include "link/devices/Datacom.h"
#include "link/devices/LampFlags.h"
#include "link/protocol/ProtocolEngine.h"
#include "log/LogSink.h"
#include "settings/RowsShown.h"
#include "settings/UnitCatalogue.h"
#include "settings/RowValues.h"
#include "texts/ExchangeNarration.h"
#include "texts/TextTable.h"

#include <QStringList>
#include <array>
#include <functional>

namespace pb::cli {

// What the commands share: the texts, the rows of the unit type and the row
// values. A shown row shows UnitSettings, as the window's grid would.
struct CoreParts : RowsShown {
    ProgramFolder folder; // the program's, for its configuration and ports.ini
    TextTable texts;
    GridDefinition layout;
    RowValues rows;
    int16_t unitType = 1;
    int16_t language = 0; // of the texts

    bool rowShown(int row) const override { return layout[row].state == RowState::Shown; }
    int shownPosition(int row) const override { return rowShown(row) ? rows.UnitSettings[row] : -1; }
    QString shownText(int row) const override { return layout[row].options.value(shownPosition(row)); }
    int optionCount(int row) const { return int(layout[row].options.size()); }
};

// The rows read all and write all serve: those the unit type shows, up to
// its highest row.
QList<int16_t> ShownRowNumbers(const CoreParts& parts);

// The row's value as a shown row can hold it: a position the row has no
// option for becomes 0, as it does in the window's grid.
void ShowValue(CoreParts& parts, int16_t row);


class UnitSession : public LogSink {
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
    // Asks the engine and ticks until the request ended.
    void runRequest(UnitRequest request);
    void noteReport(const ExchangeReport& report);
    QList<int16_t> unconfirmedRows() const;
    void countAttempt(int16_t row);
    void appendProgress(const QString& text);

    CoreParts& parts_;
    const CliOutput& output_;
    const Interruption& interruption_;
    PortLog portLog_{*this};
    LampFlags lamps_;
    Datacom port_;
    ProtocolEngine engine_;
    ExchangeNarration narration_;
    ServingMode mode_ = ServingMode::Monitor;
    RequestId waitingFor_ = 0; // the request the session ticks for

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
};

} // namespace pb::cli
