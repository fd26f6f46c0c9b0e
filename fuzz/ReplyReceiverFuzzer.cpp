// The protocol engine fed arbitrary bytes at arbitrary tick boundaries, with
// requests and changes of what it serves in between. Input:
//
//   byte 0      unit type (modulo 8, so one code without settings)
//   byte 1      serving mode (modulo 8: 5 to 7 hold)
//   byte 2      bleep-code position (modulo 17, 16 for none)
//   then steps, one byte each, by its top two bits:
//     00nnnnnn  the next n bytes arrive, then one tick
//     01kkkkkk  k + 1 ticks with nothing arriving
//     10cbaMMM  mode MMM; a: read all, b: write all, c: test call; one tick
//     11wrrrrr  a request for row r (0..31): write when w, else read
//
// The input decides how long the engine runs; no step starts once
// kTickBudget ticks have passed. After every tick the engine must stay
// within its bounds, and each request ends at most once; once everything
// is dropped at the end, every request has ended.
#include "FuzzInput.h"
#include "support/CoreState.h"
#include "link/protocol/ProtocolEngine.h"
#include "link/protocol/ReplyReader.h"
#include "settings/UnitCatalogue.h"

#include <deque>
#include <set>

namespace {

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

constexpr int16_t kUnitTypes = 8;
// Room for three time-outs in a row (120 ticks each), which read all and
// write all take as their failure limit; more only makes each run slower.
constexpr int kTickBudget = 400;

pb::ServingMode ModeOf(int code)
{
    constexpr pb::ServingMode kModes[] = {pb::ServingMode::Monitor, pb::ServingMode::Rows, pb::ServingMode::Hold,
                                          pb::ServingMode::RowsAndBulk, pb::ServingMode::Call};
    return code < 5 ? kModes[code] : pb::ServingMode::Hold;
}

// A value for each row, some without a code (-1 among them).
int16_t ValueFor(int row)
{
    return int16_t((row * 7) % 5 - 1);
}

// The requests asked and the outcomes told: one each, for a request asked.
class Ledger {
public:
    void asked(pb::RequestId id) { FUZZ_CHECK(asked_.insert(id).second); }
    void told(const pb::RequestOutcome& outcome)
    {
        FUZZ_CHECK(asked_.count(outcome.id) == 1);
        FUZZ_CHECK(ended_.insert(outcome.id).second);
        for (const pb::ExchangeReport& report : outcome.reports) {
            FUZZ_CHECK(report.row >= -1 && report.row < pb::kGridRows);
            FUZZ_CHECK(report.storedRow >= -1 && report.storedRow < pb::kGridRows);
        }
    }
    bool allEnded() const { return asked_.size() == ended_.size(); }

private:
    std::set<pb::RequestId> asked_;
    std::set<pb::RequestId> ended_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pbfuzz::FuzzInput input(data, size);
    const int16_t unitType = input.next() % kUnitTypes;

    pbtest::CoreState state;
    state.config.unitType = unitType;
    state.config.logging = 2;
    state.folder.path = QStringLiteral("/dev/null"); // no Log folder can be made there
    state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };

    // The rows read all and write all ask for: those the unit type shows.
    QList<pb::RowValue> shown;
    const pb::GridDefinition layout = pb::GridLayout(unitType);
    for (int16_t r = 0; r < pb::kGridRows; ++r) {
        if (layout[r].state == pb::RowState::Shown)
            shown.append({r, ValueFor(r)});
    }

    FuzzLine line;
    pb::ServingMode mode = ModeOf(input.next() % 8);
    const int bleep = input.next() % 17;
    // Longer than the call record takes, with letters the code page lacks.
    const pb::CallFields call{QStringLiteral("0123456789\u20AC\u0100"), QString(45, QChar(0x263A)),
                              int16_t(bleep == 16 ? -1 : bleep)};

    pb::ProtocolEngine engine({line, state.logfile, state.config.unitType});
    Ledger ledger;
    engine.onOutcome = [&](const pb::RequestOutcome& outcome) { ledger.told(outcome); };
    auto ask = [&](pb::UnitRequest request) { ledger.asked(engine.request(std::move(request))); };
    auto checkBounds = [&] {
        FUZZ_CHECK(engine.withinBounds());
        FUZZ_CHECK(state.log.lineCount >= 0 && state.log.lineCount <= pb::kLogWindowLines);
    };
    int ticks = 0;
    auto tick = [&] {
        ++ticks;
        engine.tick(mode);
        checkBounds();
    };
    engine.start();
    checkBounds();

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
        case 2:
            mode = ModeOf(low & 0x07);
            if (low & 0x08)
                ask(pb::UnitRequest::ReadAll([shown] { return shown; }));
            if (low & 0x10)
                ask(pb::UnitRequest::WriteAll([shown] { return shown; }));
            if (low & 0x20)
                ask(pb::UnitRequest::TestCall([call] { return call; }));
            tick();
            break;
        default: {
            const int16_t row = low & 0x1F;
            ask(low & 0x20 ? pb::UnitRequest::WriteRow(row, ValueFor(row)) : pb::UnitRequest::ReadRow(row));
            break;
        }
        }
    }
    engine.dropAll();
    FUZZ_CHECK(ledger.allEnded());
    return 0;
}
