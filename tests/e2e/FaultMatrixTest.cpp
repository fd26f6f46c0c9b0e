// Every fault the virtual unit can show, against every operation a user can
// start: the program reports the failure in its own words, keeps every value
// in the grid and in its files as they were, and afterwards serves the next
// request once the unit behaves again.
#include "ProgramOnUnit.h"

#include "files/SettingsFile.h"
#include "link/RowDescription.h"
#include "settings/UnitTypes.h"
#include "support/ModalAnswer.h"

#include <QDirIterator>
#include <algorithm>
#include <map>

namespace {

using namespace pbtest;
using pb::unitsim::Fault;

enum class Operation { ReadOne, WriteOne, ReadAll, WriteAll, PagerCall };

// How an exchange ends under a fault.
enum class Outcome { Succeeds, NoStart, NoLength, TooLong, BadCheckSum, LineLost, CallRefused, BadCallDigit };

Outcome OutcomeOf(Fault fault, Operation operation)
{
    switch (fault) {
    case Fault::None:
    case Fault::Noise: return Outcome::Succeeds;
    case Fault::BadCheckSum: return Outcome::BadCheckSum;
    case Fault::Stall: return Outcome::NoLength;
    case Fault::TooLong: return Outcome::TooLong;
    case Fault::Silent:
    case Fault::Late: return Outcome::NoStart;
    case Fault::Hangup: return Outcome::LineLost;
    case Fault::RefuseCall:
        return operation == Operation::PagerCall ? Outcome::CallRefused : Outcome::Succeeds;
    case Fault::BadDigit:
        return operation == Operation::PagerCall ? Outcome::BadCallDigit : Outcome::Succeeds;
    }
    return Outcome::Succeeds;
}

// A test name may hold letters, digits and underscores only.
std::string TestNameOf(Fault fault)
{
    std::string name(pb::unitsim::FaultName(fault));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

const char* OperationName(Operation operation)
{
    switch (operation) {
    case Operation::ReadOne: return "ReadOne";
    case Operation::WriteOne: return "WriteOne";
    case Operation::ReadAll: return "ReadAll";
    case Operation::WriteAll: return "WriteAll";
    case Operation::PagerCall: return "PagerCall";
    }
    return "?";
}

// What a failed exchange must not touch.
struct Snapshot {
    std::vector<int> shownPositions;
    pb::RowArray unitSettings{};
    pb::RowArray settingsInUnit{};
    pb::RowArray fileSettings{};
    std::map<QString, QByteArray> files;
};

const QString kTimeOut = QStringLiteral("ERROR: Time-out");
const QString kCallTimeOut = QStringLiteral("ERROR: Time-out sent call to Pager via Pagerbench");
const QString kCallFailed = QStringLiteral("ERROR: Call Pager via Pagerbench not succeeded.");
const QString kCallOk = QStringLiteral("STATUS: Call Pager via Pagerbench succeeded.");
const QString kCancelled = QStringLiteral("\r\nCancelled!\r\n");

class FaultMatrix : public ProgramOnUnit,
                    public ::testing::WithParamInterface<std::tuple<Fault, Operation>> {
protected:
    // The type with the pager test call; its grid has rows of every kind.
    static constexpr int16_t kType = pb::kUnitTypeWithTestCall;

    Fault fault() const { return std::get<0>(GetParam()); }
    Operation operation() const { return std::get<1>(GetParam()); }
    Outcome outcome() const { return OutcomeOf(fault(), operation()); }

    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
        options.fault = fault();
        // The line goes after the wake-up sequence: the request finds it gone.
        options.hangupAfterFrames = 1;
        options.statusEveryMs = 0;
        options.quiet = true;
        ASSERT_NO_FATAL_FAILURE(start(kType, options));
        shown = shownRows();
        ASSERT_GE(shown.size(), 3u);
        row = shown[1];
        // Something in the settings files that a failed exchange could spoil.
        pb::SchrijfDefault(state.folder, state.grid, state.rows);
    }

    Snapshot snapshot()
    {
        Snapshot s;
        for (int r : shown)
            s.shownPositions.push_back(state.grid.position(r));
        s.unitSettings = rows().UnitSettings;
        s.settingsInUnit = rows().SettingsInUnit;
        s.fileSettings = rows().FileSettings;
        QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.contains(QStringLiteral("/Log/"))) {
                QFile file(path);
                EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
                s.files[path] = file.readAll();
            }
        }
        return s;
    }

    void expectUntouched(const Snapshot& before)
    {
        const Snapshot now = snapshot();
        EXPECT_EQ(now.shownPositions, before.shownPositions) << "grid";
        EXPECT_EQ(now.unitSettings, before.unitSettings);
        EXPECT_EQ(now.settingsInUnit, before.settingsInUnit);
        EXPECT_EQ(now.fileSettings, before.fileSettings);
        EXPECT_EQ(now.files, before.files);
        for (int r : shown)
            EXPECT_FALSE(shownAsConfirmed(r)) << "row " << r;
    }

    // Starts the operation as the user would.
    void begin()
    {
        switch (operation()) {
        case Operation::ReadOne:
            showTab(SettingsTab);
            window().CmdReadSingleSetting[row]->click();
            break;
        case Operation::WriteOne:
            showTab(SettingsTab);
            window().ComboInstellingen[row]->setCurrentIndex(otherPosition(row));
            window().CmdWriteSingleSetting[row]->click();
            break;
        case Operation::ReadAll:
            showTab(UnitTab);
            window().CmdLeesAlles->click();
            break;
        case Operation::WriteAll:
            showTab(SettingsTab);
            for (int r : shown)
                window().ComboInstellingen[r]->setCurrentIndex(otherPosition(r));
            showTab(UnitTab);
            pressInMessageBox(QMessageBox::Ok);
            window().CmdSchrijfAlles->click();
            break;
        case Operation::PagerCall:
            showTab(ServiceTab);
            window().TxtTestPagerAdres->setText(QStringLiteral("4711"));
            window().TxtTestPagerDisplayInfo->setText(QStringLiteral("fault test"));
            window().CmdTestOproepPager->click();
            break;
        }
    }

    int otherPosition(int r)
    {
        const pb::GridModel::Row& row = state.grid.row(r);
        return (row.position + 1) % int(row.options.size());
    }

    bool isWrite() const { return operation() == Operation::WriteOne || operation() == Operation::WriteAll; }

    // The first failure report of this operation under this fault, in the
    // progress text or the log, letter for letter.
    bool failureReported(int firstRow)
    {
        const QString desc = pb::RowDescription(state.grid, state.Tekst, int16_t(firstRow));
        if (operation() == Operation::PagerCall) {
            switch (outcome()) {
            case Outcome::NoStart: return logHas(kCallTimeOut + QStringLiteral(". (SOH req BufPos)"));
            case Outcome::NoLength: return logHas(kCallTimeOut + QStringLiteral(". (Len BufPos)"));
            case Outcome::BadCheckSum:
                return logHas(QStringLiteral("ERROR: ChecksumError sending Paging Call via Pagerbench. (CheckSumn req BufPos)"));
            case Outcome::TooLong:
            case Outcome::CallRefused: return logHas(kCallFailed);
            default: break;
            }
        } else if (isWrite()) {
            switch (outcome()) {
            case Outcome::NoStart: return progressHas(QStringLiteral(" -> ERROR: Time-out[SOH].\r\n"));
            case Outcome::NoLength: return progressHas(QStringLiteral(" -> ERROR: Time-out[LEN].\r\n"));
            case Outcome::TooLong: return progressHas(QStringLiteral(" -> ERROR > InfoMaxLen.\r\n"));
            case Outcome::BadCheckSum: return progressHas(QStringLiteral(" -> ERROR checksum.\r\n"));
            default: break;
            }
        } else {
            QString error;
            switch (outcome()) {
            case Outcome::NoStart: error = desc + kTimeOut + QStringLiteral(" [SOH]. "); break;
            case Outcome::NoLength: error = desc + kTimeOut + QStringLiteral(" [LEN]. "); break;
            case Outcome::TooLong: error = desc + QStringLiteral(" ERROR Len > Max. "); break;
            case Outcome::BadCheckSum: error = desc + QStringLiteral("ERROR [checksum]. "); break;
            default: break;
            }
            if (!error.isEmpty())
                return progressHas(error + QStringLiteral("\r\n"))
                    && logHas(QStringLiteral("ERROR Reading of: ") + error);
        }
        return outcome() == Outcome::LineLost && logHas(QStringLiteral("Comport lost: "));
    }

    // The unit healed (or plugged in again): a read on the "Settings" tab
    // must go through and show the unit's value.
    void expectNextRequestServed()
    {
        if (outcome() == Outcome::LineLost) {
            ASSERT_FALSE(program->port.isOpen());
            ASSERT_NO_FATAL_FAILURE(replug());
        }
        unit->setFault(Fault::None);
        window().CmdCancelReadWrite->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400)) << "engine state " << int(engine().EngineState());

        const int probe = shown[2];
        const int position = otherPosition(probe);
        unit->setValue(probe, uint8_t(position));
        showTab(SettingsTab);
        // Off the "Unit" tab first: there the failure count still cancels every request.
        ASSERT_TRUE(tickUntil([this] { return engine().EngineState() != pb::ProtocolEngine::State::ServeUnitTab; }, 10));
        window().CmdReadSingleSetting[probe]->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400));
        EXPECT_EQ(rows().SettingsInUnit[probe], position);
        EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[probe]), position);
        EXPECT_TRUE(shownAsConfirmed(probe));
    }

    std::vector<int> shown;
    int row = 0;
};

TEST_P(FaultMatrix, FailureIsReportedNothingIsLostAndTheNextRequestIsServed)
{
    const bool all = operation() == Operation::ReadAll || operation() == Operation::WriteAll;
    const int firstRow = all ? shown.front() : row;

    switch (outcome()) {
    case Outcome::Succeeds: {
        begin();
        ASSERT_TRUE(tickUntil([this] {
            return allServed() && (operation() != Operation::PagerCall || logHas(kCallOk));
        }));
        if (operation() == Operation::PagerCall) {
            EXPECT_TRUE(logHas(kCallOk));
            EXPECT_EQ(unit->calls().size(), 1u);
        } else {
            EXPECT_FALSE(progressText().contains(QStringLiteral("ERROR")));
            EXPECT_TRUE(shownAsConfirmed(row));
        }
        break;
    }
    case Outcome::CallRefused:
    case Outcome::BadCallDigit: {
        const Snapshot before = snapshot();
        begin();
        ASSERT_TRUE(tickUntil([this] { return allServed() && unit->counters().served >= 2; }));
        if (outcome() == Outcome::CallRefused) {
            EXPECT_TRUE(logHas(kCallFailed));
            EXPECT_TRUE(unit->calls().empty());
        } else {
            // The call number is no digit: counted as a failure, yet the call goes out.
            EXPECT_EQ(engine().ErrorCount(), 1);
            EXPECT_TRUE(logHas(kCallOk));
            EXPECT_EQ(unit->calls().size(), 1u);
        }
        expectUntouched(before);
        break;
    }
    default: {
        begin();
        const Snapshot before = snapshot(); // with the user's new choices in the grid
        ASSERT_TRUE(tickUntil([&] { return failureReported(firstRow); }, 400))
            << "progress: " << progressText().toStdString();
        expectUntouched(before);
        if (operation() == Operation::PagerCall) {
            EXPECT_TRUE(unit->calls().empty());
        }
        if (outcome() == Outcome::LineLost) {
            ticks(200);
            EXPECT_EQ(linesWith(QStringLiteral("Comport lost: ")), 1);
            expectUntouched(before);
        } else if (all && outcome() != Outcome::TooLong && fault() != Fault::Late) {
            // Three failures in a row give up on the "Unit" tab. (A reply too
            // long is not counted; a late reply is taken by the retry.)
            ASSERT_TRUE(tickUntil([this] { return progressEndsWith(kCancelled); }, 1000));
            EXPECT_GE(engine().ErrorCount(), 3);
            expectUntouched(before);
        }
        break;
    }
    }
    ASSERT_NO_FATAL_FAILURE(expectNextRequestServed());
}

INSTANTIATE_TEST_SUITE_P(
    EveryFaultAndOperation, FaultMatrix,
    ::testing::Combine(::testing::Values(Fault::Noise, Fault::BadCheckSum, Fault::Stall, Fault::TooLong,
                                         Fault::Silent, Fault::Late, Fault::RefuseCall, Fault::BadDigit,
                                         Fault::Hangup),
                       ::testing::Values(Operation::ReadOne, Operation::WriteOne, Operation::ReadAll,
                                         Operation::WriteAll, Operation::PagerCall)),
    [](const ::testing::TestParamInfo<std::tuple<Fault, Operation>>& info) {
        return TestNameOf(std::get<0>(info.param)) + "_" + OperationName(std::get<1>(info.param));
    });

} // namespace
