// The protocol engine fed arbitrary bytes at arbitrary tick boundaries, with
// requests and tab changes in between. Input:
//
//   byte 0      unit type (modulo 8, so one code without settings)
//   byte 1      visible tab (modulo 8: 5 to 7 are no tab)
//   byte 2      bleep-code position (modulo 17, 16 for none)
//   then steps, one byte each, by its top two bits:
//     00nnnnnn  the next n bytes arrive, then one tick
//     01kkkkkk  k + 1 ticks with nothing arriving
//     10cbaTTT  tab TTT; a: read all, b: write all, c: test call; one tick
//     11wrrrrr  a request for row r (0..31): write when w, else read
//
// The input decides how long the engine runs; no step starts once
// kTickBudget ticks have passed. After every tick the engine's state must
// stay within its bounds.
#include "FuzzInput.h"
#include "support/CoreState.h"
#include "link/EngineView.h"
#include "link/MonitorInput.h"
#include "link/ProtocolEngine.h"
#include "settings/SetupUnitType.h"
#include "support/GridFixture.h"

#include <array>
#include <deque>
#include <memory>

namespace {

using State = pb::ProtocolEngine::State;

class FuzzLine : public pb::SerialLine {
public:
    int16_t ReadByte() override
    {
        if (waiting.empty())
            return -1;
        const int16_t byte = waiting.front();
        waiting.pop_front();
        return byte;
    }
    int16_t SendByte(int16_t value) override
    {
        FUZZ_CHECK(value >= 0 && value <= 0xFF);
        return 0;
    }
    void FlushInput() override { waiting.clear(); }

    std::deque<uint8_t> waiting;
};

class FuzzView : public pb::EngineView {
public:
    int16_t VisibleTab() const override { return tab; }
    void AppendProgress(const QString& text, bool) override
    {
        if (progress.size() > 4096)
            progress.clear();
        progress += text;
    }
    void ClearProgress() override { progress.clear(); }
    // Longer than the call record takes, with letters the code page lacks.
    QString PagerAddress() const override { return QStringLiteral("0123456789\u20AC\u0100"); }
    QString PagerMessage() const override { return QString(45, QChar(0x263A)); }
    int16_t BleepCodePosition() const override { return bleepCode; }

    int16_t tab = 0;
    int16_t bleepCode = -1;
    QString progress;
};

constexpr int16_t kUnitTypes = 8;
// Room for three time-outs in a row (120 ticks each), which the "Unit" tab
// takes as its failure limit; more only makes each run slower.
constexpr int kTickBudget = 400;

// What lives across inputs: the texts and one grid per unit type, built
// once.
struct World {
    World()
    {
        pb::LaadTeksten(Tekst, language);
        for (int16_t type = 0; type < kUnitTypes; ++type) {
            grids[type] = std::make_unique<pbtest::GridFixture>();
            pb::SetupUnitType(grids[type]->grid, Tekst, type);
        }
    }
    int16_t language = 0;
    pb::TextTable Tekst;
    std::array<std::unique_ptr<pbtest::GridFixture>, kUnitTypes> grids;
};

// Built at the first input.
World& TheWorld()
{
    static World world;
    return world;
}

bool KnownState(State s)
{
    switch (s) {
    case State::NotStarted: case State::Ready: case State::ServeUnitTab:
    case State::SendCallNumberRequest: case State::CallNumberReplyStart:
    case State::CallNumberReplyLength: case State::CallNumberReplyData:
    case State::SendPagerCall: case State::CallReplyStart: case State::CallReplyLength:
    case State::CallReplyData: case State::ServeSettingsTab: case State::SendWrite:
    case State::WriteReplyStart: case State::WriteReplyLength: case State::WriteReplyData:
    case State::WriteConfirmed: case State::SendRead: case State::ReadReplyStart:
    case State::ReadReplyLength: case State::ReadReplyData: case State::ReadReplyStored:
        return true;
    }
    return false;
}

void CheckBounds(const pb::ProtocolEngine& engine, const pbtest::CoreState& state)
{
    for (int row = 0; row < pb::kGridRows; ++row) {
        const pb::RowRequestCode request = engine.Requests().of(row);
        FUZZ_CHECK(request == pb::NoRequest || request == pb::ReadRequest || request == pb::WriteRequest);
    }
    const pb::ReplyReader& reply = engine.Reply();
    FUZZ_CHECK(reply.Count() >= 0 && reply.Count() <= pb::kMaxReplyLength + 1);
    FUZZ_CHECK(KnownState(engine.EngineState()));
    FUZZ_CHECK(engine.CurrentRow() >= -1 && engine.CurrentRow() < pb::kGridRows);
    FUZZ_CHECK(engine.SendDelay() >= 0 && engine.SendDelay() <= pb::kWakeUpTicks);
    FUZZ_CHECK(engine.ReplyTimeout() >= 0 && engine.ReplyTimeout() <= pb::kReplyTicks);
    FUZZ_CHECK(engine.WakeWindow() >= 0 && engine.WakeWindow() <= pb::kAwakeAfterWrite);
    FUZZ_CHECK(engine.MonitorLine().size() <= pb::kMonitorLineLimit);
    FUZZ_CHECK(state.log.LogLineCount >= 0 && state.log.LogLineCount <= pb::kLogWindowLines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    World& world = TheWorld();
    pbfuzz::FuzzInput input(data, size);
    const int16_t unitType = input.next() % kUnitTypes;

    pbtest::CoreState state;
    state.Tekst = world.Tekst;
    state.config.UnitType = unitType;
    state.config.LogfileAan = 2;
    state.folder.path = QStringLiteral("/dev/null"); // no Log folder can be made there
    state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };

    pb::GridModel& grid = world.grids[unitType]->grid;
    for (int r = 0; r < pb::kGridRows; ++r)
        grid.select(r, -1); // what an earlier input left is no part of this one

    FuzzLine line;
    FuzzView view;
    view.tab = input.next() % 8;
    const int bleep = input.next() % 17;
    view.bleepCode = int16_t(bleep == 16 ? -1 : bleep);

    pb::ProtocolEngine engine({line, state.rows, grid, state.Tekst, state.logfile, state.config.UnitType, view});
    int ticks = 0;
    auto tick = [&] {
        ++ticks;
        engine.ProtocolTick(0);
        CheckBounds(engine, state);
    };
    engine.ProtocolTick(pb::kStartCommand);
    CheckBounds(engine, state);

    while (!input.empty() && ticks < kTickBudget) {
        const uint8_t step = input.next();
        const uint8_t low = step & 0x3F;
        switch (step >> 6) {
        case 0:
            for (char c : input.take(low))
                line.waiting.push_back(uint8_t(c));
            tick();
            break;
        case 1:
            for (int i = 0; i <= low; ++i)
                tick();
            break;
        case 2: {
            pb::UnitRequests& requests = engine.Requests();
            view.tab = low & 0x07;
            if (low & 0x08)
                requests.readAll();
            if (low & 0x10)
                requests.writeAll();
            if (low & 0x20)
                requests.testCall();
            tick();
            break;
        }
        default:
            if (low & 0x20)
                engine.Requests().write(low & 0x1F);
            else
                engine.Requests().read(low & 0x1F);
            break;
        }
    }
    return 0;
}
