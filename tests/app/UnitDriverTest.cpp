// The unit driver's rules, one click each on the engine over a scripted
// line: which tab serves what, which request a button makes, and what a
// report does to the row values, the grid, the progress text and the log.
#include "app/UnitDriver.h"
#include "link/EngineRig.h"
#include "link/FrameBytes.h"
#include "link/LinkTexts.h"
#include "support/CoreState.h"
#include "support/GridFixture.h"
#include "ui/MainTabs.h"

#include <utility>
#include <gtest/gtest.h>

namespace {

using pb::ServingMode;

class FakeWindow : public pb::UnitWindow {
public:
    int16_t visibleTab() const override { return tab; }
    void appendProgress(const QString& text, bool moveCaret) override
    {
        progress += text;
        caretMoved = moveCaret;
    }
    void clearProgress() override { progress.clear(); }
    pb::CallFields callFields() const override { return {address, {}, -1}; }

    int16_t tab = pb::FileTab;
    QString progress = "earlier lines\r\n";
    bool caretMoved = false; // by the last append
    QString address = "1234";
};

enum class Button { Read, Write, ReadAll, WriteAll, Call, CallNoAddress, Cancel, CancelWhileOut, ClearProgress };

struct DriverCase {
    int16_t tab;
    ServingMode mode; // the tab's
    Button button;    // on `row`
    int16_t row;
    bool answers; // the unit, a read with the value 2; otherwise it is silent
    int frames;   // that went out within 420 ticks
    int16_t fromUnit, inUnit, settings, shown; // of `row` at the end: ValueFromUnit,
                                               // SettingsInUnit, UnitSettings, the grid's
    bool caret;            // the last progress text moved the caret
    const char* progress;  // the whole progress text, or its ends either side of "…"
    const char* log;       // the log lines joined by '|', likewise
};

// Every row is shown at position 2 but row 4 at 1 and row 1, hidden, at -1
// with the value 3; the unit type's rows are coded as their positions. The
// unit says "Unit ready" first.
const DriverCase kCases[] = {
    {pb::SettingsTab, ServingMode::Rows, Button::Read, 4, true, 1, 2, 2, 2, 2, true,
     "earlier lines\r\nReading of 4/1 ->  [Item: 4 Value: 2]  4/2 OK. \r\n",
     "Reading of 4/1|Reading of [Item: 4 Value: 2]  4/2"},
    {pb::SettingsTab, ServingMode::Rows, Button::Write, 4, true, 1, -1, 1, 1, 1, true,
     "earlier lines\r\nWriting of 4/1  [Item: 4 Value: 1]  -> Saved.\r\n",
     "Writing of 4/1  [Item: 4 Value: 1] |Writing of 4/1Saved"},
    {pb::SettingsTab, ServingMode::Rows, Button::Write, 1, true, 1, -1, 0, 0, -1, true,
     "…Saved.\r\n", "…Saved"}, // a hidden row sends 0
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::Read, 4, false, 3, -1, -1, 0, 1, false,
     "…Reading of 4/1[4/1: 4 Value: 1] ERROR: Time-out [SOH]. \r\n\r\nCancelled!\r\n",
     "…ERROR Reading of: [4/1: 4 Value: 1] ERROR: Time-out [SOH]. "},
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::Write, 4, false, 3, -1, -1, 1, 1, false,
     "earlier lines\r\nWriting of 4/1  [Item: 4 Value: 1]  -> ERROR: Time-out[SOH].\r\n…\r\nCancelled!\r\n",
     "Writing of 4/1  [Item: 4 Value: 1] …"},
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::ReadAll, 4, true, 25, 2, 2, 2, 2, true,
     "…Reading of 25/2 ->  [Item: 25 Value: 2]  25/2 OK. \r\n", "…Reading of [Item: 25 Value: 2]  25/2"},
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::ReadAll, 4, false, 3, -1, -1, 0, 1, false,
     "… \r\n\r\nCancelled!\r\n", "…ERROR Reading of: [0/2: 0 Value: 2] ERROR: Time-out [SOH]. "},
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::WriteAll, 4, true, 25, -1, 1, 1, 1, true,
     "Writing of 0/2  [Item: 0 Value: 2]  -> Saved.\r\n…Writing of 25/2  [Item: 25 Value: 2]  -> Saved.\r\n",
     "…Writing of 25/2Saved"}, // the progress text cleared first
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::WriteAll, 1, true, 25, -1, -1, 3, -1, true, "…Saved.\r\n",
     "…Saved"}, // a hidden row is left alone
    {pb::UnitTab, ServingMode::RowsAndBulk, Button::CancelWhileOut, 0, true, 1, 2, 2, 2, 2, true,
     "…\r\nCancelled!\r\n ->  [Item: 0 Value: 2]  0/2 OK. \r\n",
     "Unit ready|Reading of 0/2|Reading of [Item: 0 Value: 2]  0/2"},
    {pb::FileTab, ServingMode::Hold, Button::Cancel, 4, true, 0, -1, -1, 0, 1, true,
     "earlier lines\r\n\r\nCancelled!\r\n", ""},
    {pb::FileTab, ServingMode::Hold, Button::ClearProgress, 4, true, 0, -1, -1, 0, 1, false, "", ""},
    {pb::ServiceTab, ServingMode::Call, Button::Call, 4, true, 2, -1, -1, 0, 1, false, "earlier lines\r\n",
     "STATUS: Call Pager via Pagerbench succeeded."},
    {pb::ServiceTab, ServingMode::Call, Button::CallNoAddress, 4, true, 0, -1, -1, 0, 1, false, "earlier lines\r\n", ""},
    {pb::ServiceTab, ServingMode::Call, Button::Read, 4, true, 0, -1, -1, 0, 1, false, "earlier lines\r\n", ""},
    {pb::FileTab, ServingMode::Hold, Button::Call, 4, true, 0, -1, -1, 0, 1, false, "earlier lines\r\n", ""},
    {pb::StatusTab, ServingMode::Monitor, Button::Read, 4, true, 0, -1, -1, 0, 1, false, "earlier lines\r\n",
     "Unit ready"},
    {pb::kTabCount, ServingMode::Hold, Button::Read, 4, true, 0, -1, -1, 0, 1, false, "earlier lines\r\n", ""},
};

// The whole text, or its start and its end either side of "…".
void ExpectText(const QString& text, const QString& expected)
{
    const QStringList ends = expected.split(u'…');
    if (ends.size() == 1)
        EXPECT_EQ(text, expected);
    else
        EXPECT_TRUE(text.startsWith(ends[0]) && text.endsWith(ends[1])) << qPrintable(text);
}

TEST(UnitDriver, TabsServeButtonsAskAndReportsFillTheValuesGridAndWords)
{
    for (const DriverCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "tab " << c.tab << " button " << int(c.button) << " row " << c.row);
        pbtest::CoreState state;
        state.texts = pbtest::EnglishLinkTexts();
        pbtest::GridFixture grid;
        grid.allRows(4);
        for (int r = 0; r < pb::kGridRows; ++r)
            grid.combo(r)->setCurrentIndex(r == 4 ? 1 : 2);
        grid.row(1, 4, false);
        state.rows.UnitSettings[1] = 3;
        pbtest::EngineRig rig;
        FakeWindow window;
        window.tab = c.tab;
        pb::UnitDriver driver({rig.engine, state.rows, grid.grid, state.texts, rig.log, rig.unitType, window});
        int frames = 0;
        rig.line.answer = [&](const QByteArray& frame) {
            ++frames;
            return c.answers ? pbtest::GoodReply(frame, 2) : QByteArray();
        };
        rig.line.Arrive("Unit ready\r\n");
        rig.engine.start();

        switch (c.button) {
        case Button::Read: driver.ReadSingleSetting(c.row); break;
        case Button::Write: driver.WriteSingleSetting(c.row); break;
        case Button::ReadAll:
        case Button::CancelWhileOut: driver.ReadAll(); break;
        case Button::WriteAll:
            EXPECT_EQ(driver.WriteAllQuestion(), "Write all settings to Unit!\r\nAre you sure?");
            driver.WriteAll();
            break;
        case Button::Call: EXPECT_TRUE(driver.TestCall()); break;
        case Button::CallNoAddress:
            window.address.clear();
            EXPECT_FALSE(driver.TestCall());
            break;
        case Button::Cancel: driver.Cancel(); break;
        case Button::ClearProgress: driver.ClearProgress(); break;
        }
        bool cancelled = false;
        for (int tick = 0; tick < 420; ++tick) {
            if (c.button == Button::CancelWhileOut && frames == 1 && !std::exchange(cancelled, true))
                driver.Cancel();
            rig.line.AdvanceTick();
            driver.tick();
        }

        EXPECT_EQ(pb::UnitDriver::ModeOfTab(c.tab), c.mode);
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(state.rows.ValueFromUnit[c.row], c.fromUnit);
        EXPECT_EQ(state.rows.SettingsInUnit[c.row], c.inUnit);
        EXPECT_EQ(state.rows.UnitSettings[c.row], c.settings);
        EXPECT_EQ(grid.combo(c.row)->currentIndex(), c.shown);
        EXPECT_EQ(window.caretMoved, c.caret);
        ExpectText(window.progress, QString::fromUtf8(c.progress));
        ExpectText(rig.log.lines.join(u'|'), QString::fromUtf8(c.log));
    }
}

} // namespace
