// Every fault the virtual unit can show, against every operation a user can
// start: the engine reports the exchange as the fault makes it end, every
// value in the grid and in the files stays as it was, the request is kept
// and tried again as the tab's rules say, and once the unit behaves again
// the next request is served. The words of the reports are tested once, in
// tests/link/ExchangeWordingTest.cpp.
#include "ProgramOnUnit.h"

#include "files/SettingsFile.h"
#include "settings/UnitTypes.h"
#include "support/ModalAnswer.h"

#include <QDirIterator>
#include <algorithm>
#include <map>

namespace {

using namespace pbtest;
using pb::Exchange;
using pb::unitsim::Fault;
using Result = pb::ExchangeResult;

enum class Operation { ReadOne, WriteOne, ReadAll, WriteAll, PagerCall };

// The exchange the fault shows in first, and how it ends: a call meets most
// faults in its call number already. A hang-up leaves the request
// unanswered.
struct Expected {
    Exchange exchange;
    Result result;
};

Expected ExpectedReport(Fault fault, Operation operation)
{
    const bool call = operation == Operation::PagerCall;
    const bool write = operation == Operation::WriteOne || operation == Operation::WriteAll;
    const Exchange first = call ? Exchange::CallNumber : write ? Exchange::WriteRow : Exchange::ReadRow;
    switch (fault) {
    case Fault::None:
    case Fault::Noise: break;
    case Fault::BadCheckSum: return {first, Result::Checksum};
    case Fault::Stall: return {first, Result::NoLengthByte};
    case Fault::TooLong: return {first, Result::TooLong};
    case Fault::Silent:
    case Fault::Late:
    case Fault::Hangup: return {first, Result::NoStartByte};
    case Fault::RefuseCall: return call ? Expected{Exchange::Call, Result::Refused} : Expected{first, Result::Done};
    case Fault::BadDigit: return {first, call ? Result::CallDigitOutOfRange : Result::Done};
    case Fault::Echo: // the connection check's causes, not in this matrix
    case Fault::Garbled:
    case Fault::DeepSleep:
    case Fault::TextOnly: break;
    }
    return {call ? Exchange::Call : first, Result::Done};
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

class FaultMatrix : public ProgramOnUnit,
                    public ::testing::WithParamInterface<std::tuple<Fault, Operation>> {
protected:
    // The type with the pager test call; its grid has rows of every kind.
    static constexpr int16_t kType = pb::kUnitTypeWithTestCall;

    Fault fault() const { return std::get<0>(GetParam()); }
    Operation operation() const { return std::get<1>(GetParam()); }
    Expected expected() const { return ExpectedReport(fault(), operation()); }
    bool rowOperation() const { return operation() != Operation::PagerCall; }

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
        pb::WriteDefaultSettings(state.folder, state.grid, state.rows);
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

    // The n-th report (from 0) of the exchange, or nullptr.
    const pb::ExchangeReport* reportOf(Exchange exchange, size_t n = 0) const
    {
        for (const pb::ExchangeReport& report : reports) {
            if (report.exchange == exchange && n-- == 0)
                return &report;
        }
        return nullptr;
    }

    // The unit healed (or plugged in again): a read on the "Settings" tab
    // must go through and show the unit's value.
    void expectNextRequestServed()
    {
        if (fault() == Fault::Hangup) {
            ASSERT_FALSE(program->port.isOpen());
            ASSERT_NO_FATAL_FAILURE(replug());
        }
        unit->setFault(Fault::None);
        window().CmdCancelReadWrite->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400));

        const int probe = shown[2];
        const int position = otherPosition(probe);
        unit->setValue(probe, uint8_t(position));
        showTab(SettingsTab);
        // Off the "Unit" tab first: there the failure count still cancels every request.
        ticks(2);
        window().CmdReadSingleSetting[probe]->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400));
        EXPECT_EQ(rows().SettingsInUnit[probe], position);
        EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[probe]), position);
        EXPECT_TRUE(shownAsConfirmed(probe));
    }

    std::vector<int> shown;
    int row = 0;
};

TEST_P(FaultMatrix, TheExchangeIsReportedNothingIsLostAndTheNextRequestIsServed)
{
    const Expected want = expected();
    const bool all = operation() == Operation::ReadAll || operation() == Operation::WriteAll;
    const int16_t firstRow = int16_t(!rowOperation() ? -1 : all ? shown.front() : row);

    begin();
    const Snapshot before = snapshot(); // with the user's new choices in the grid
    ASSERT_TRUE(tickUntil([&] { return reportOf(want.exchange) != nullptr; }, 400))
        << "reports: " << reports.size();
    const pb::ExchangeReport first = *reportOf(want.exchange);
    EXPECT_EQ(first.result, want.result);
    EXPECT_EQ(first.row, firstRow);

    if (want.result == Result::Done) {
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
        for (const pb::ExchangeReport& report : reports)
            EXPECT_EQ(report.result, Result::Done) << int(report.exchange) << " row " << report.row;
        if (rowOperation())
            EXPECT_TRUE(shownAsConfirmed(row));
        else
            EXPECT_EQ(unit->calls().size(), 1u);
        ASSERT_NO_FATAL_FAILURE(expectNextRequestServed());
        return;
    }

    expectUntouched(before);
    if (rowOperation()) {
        EXPECT_TRUE(engine().rowPending(firstRow)) << "the row is kept";
    } else if (fault() != Fault::BadDigit) { // the call itself goes on then
        EXPECT_FALSE(engine().busyWith(pb::RequestKind::TestCall)) << "a call is not tried again";
    }
    if (fault() == Fault::Hangup) {
        ticks(200);
        EXPECT_EQ(linesWith(QStringLiteral("Comport lost: ")), 1);
        expectUntouched(before);
    } else if (!rowOperation()) {
        // A call number that is no digit still leads to the call, with that number.
        if (fault() == Fault::BadDigit) {
            ASSERT_TRUE(tickUntil([this] { return reportOf(Exchange::Call) != nullptr; }));
            EXPECT_EQ(reportOf(Exchange::Call)->result, Result::Done);
            ASSERT_EQ(unit->calls().size(), 1u);
            EXPECT_EQ(unit->calls()[0].callNumber, std::to_string(first.value));
            EXPECT_FALSE(engine().busyWith(pb::RequestKind::TestCall)) << "a call is not tried again";
        }
        expectUntouched(before);
    } else {
        // Tried again: a late reply is taken then, any other fault shows again.
        ASSERT_TRUE(tickUntil([&] { return reportOf(want.exchange, 1) != nullptr; }, 400));
        const pb::ExchangeReport retry = *reportOf(want.exchange, 1);
        EXPECT_EQ(retry.row, firstRow);
        EXPECT_EQ(retry.result, fault() == Fault::Late ? Result::Done : want.result);
        if (all && fault() != Fault::Late && want.result != Result::TooLong) {
            // The "Unit" tab gives up after three counted failures of its
            // first row, and drops every row left.
            ASSERT_TRUE(tickUntil([this] { return allServed(); }, 1000));
            EXPECT_EQ(reports.size(), size_t(pb::kErrorLimit));
            for (const pb::ExchangeReport& report : reports)
                EXPECT_EQ(report.row, firstRow);
            expectUntouched(before);
        }
    }
    if (!rowOperation() && fault() != Fault::BadDigit) {
        EXPECT_TRUE(unit->calls().empty());
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
