#pragma once
// The engine of the program on a port of its own, run by a 25 ms timer in a
// local event loop: the same wake-up, time-outs, retries and failure limit.
// The session stands in for the main window: it shows one tab for the
// engine to serve and holds the test call's fields.
#include "CliOutput.h"

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

class UnitSession : public EngineView, public LogSink {
public:
    UnitSession(CoreParts& parts, const CliOutput& output);

    // Opens the device at 19200,N,8,1 and starts the engine; false when it
    // cannot be opened.
    bool open(const QString& device);

    // Each true when the unit confirmed every shown row, or took the call.
    bool readAll();
    bool writeAll();
    bool testCall(const QString& address, const QString& message, int16_t bleepCode);
    // Prints what the unit sends outside frames until the time is up
    // (negative: until Ctrl-C).
    void monitor(int milliseconds);

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
    void tick();
    // Ticks until `done`; false when Ctrl-C came first.
    bool runUntil(const std::function<bool()>& done, int milliseconds = -1);
    bool rowsServed() const;
    bool shownRowsConfirmed(bool written) const;
    void countAttempt();

    CoreParts& parts_;
    const CliOutput& output_;
    LampFlags lamps_;
    Datacom port_;
    ProtocolEngine engine_;
    UnitOperations operations_;
    int16_t tab_ = StatusTab;
    QString address_;
    QString message_;
    int16_t bleepCode_ = -1;

    QString progressLine_;    // progress text since the last line end
    QString tickProgress_;    // what the engine said during the current tick
    QStringList tickLog_;
    bool monitoring_ = false; // log lines are the result, not progress
    bool callTaken_ = false;
    std::array<int, kGridRows> attempts_{};
    int16_t attemptRow_ = -1;
};

} // namespace pb::cli
