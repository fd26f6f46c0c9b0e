#pragma once
// The engine with a scripted line, a fake window and a grid model, stepped
// one tick at a time.
#include "FrameBytes.h"
#include "support/CoreState.h"
#include "LinkTexts.h"
#include "QtPrinting.h"
#include "link/EngineView.h"
#include "link/ProtocolEngine.h"
#include "support/GridFixture.h"
#include "support/ScriptedLine.h"

#include <QStringList>
#include <QTemporaryDir>
#include <vector>
#include <gtest/gtest.h>

namespace pbtest {

class FakeView : public pb::EngineView {
public:
    int16_t VisibleTab() const override { return tab; }
    void AppendProgress(const QString& text, bool moveCaret) override
    {
        progress += text;
        caretMoved = moveCaret;
    }
    void ClearProgress() override { progress.clear(); }
    QString PagerAddress() const override { return address; }
    QString PagerMessage() const override { return message; }
    int16_t BleepCodePosition() const override { return bleepCode; }

    int16_t tab = pb::SettingsTab;
    QString progress;
    bool caretMoved = false; // by the last append
    QString address;
    QString message;
    int16_t bleepCode = -1;
};

class EngineTest : public ::testing::Test {
protected:
    using State = pb::ProtocolEngine::State;

    EngineTest()
    {
        state.config.UnitType = 3; // every row coded as its list position
        state.config.LogfileAan = 1;
        state.folder.path = logDir.path();
        state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };
        state.Tekst = EnglishLinkTexts();
        grid.allRows(4);
        engine.onReport = [this](const pb::ExchangeReport& report) { reports.push_back(report); };
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            line.AdvanceTick();
            engine.ProtocolTick(0);
        }
    }

    // Ticks until the engine is in `target`; the number of ticks taken, or
    // -1 when it does not get there within `limit`.
    int tickUntil(State target, int limit = 2000)
    {
        for (int i = 1; i <= limit; ++i) {
            tick();
            if (engine.EngineState() == target)
                return i;
        }
        return -1;
    }

    // Starts the engine and waits out the start delay on a tab that serves
    // nothing, then shows `tab`.
    void start(int16_t tab)
    {
        view.tab = pb::FileTab;
        engine.ProtocolTick(pb::kStartCommand);
        tick(pb::kWakeUpTicks);
        ASSERT_EQ(engine.EngineState(), State::Ready);
        ASSERT_EQ(engine.SendDelay(), 0);
        view.tab = tab;
    }

    // The trace lines without their time of day.
    QStringList logged() const
    {
        QStringList lines;
        for (int i = 0; i < state.log.LogLineCount; ++i)
            lines << state.log.LogLines[i].mid(9);
        return lines;
    }

    pb::UnitRequests& requests() { return engine.Requests(); }

    // Failed exchanges, as many as asked: reads of row 0 on the Settings tab
    // (which has no failure limit) that the unit never answers. The tab,
    // the line and the progress text are left as they were.
    void failReads(int count)
    {
        const int16_t tab = view.tab;
        view.tab = pb::SettingsTab;
        for (int i = 0; i < count; ++i) {
            requests().read(0);
            ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
            ASSERT_GT(tickUntil(State::Ready), 0);
            requests().cancelRows();
        }
        line.sent.clear();
        view.progress.clear();
        view.tab = tab;
    }

    QTemporaryDir logDir;
    pbtest::CoreState state;
    GridFixture grid;
    ScriptedLine line;
    FakeView view;
    pb::ProtocolEngine engine{{line, state.rows, grid.grid, state.Tekst, state.logfile, state.config.UnitType, view}};
    std::vector<pb::ExchangeReport> reports; // every finished exchange, in order
};

} // namespace pbtest
