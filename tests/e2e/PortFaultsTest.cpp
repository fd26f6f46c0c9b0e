// The serial device itself failing: missing, busy or forbidden at start-up,
// or vanishing while a reply is awaited. The program says so once, keeps
// every value, does not spin on the dead port, and works again once the
// device is back.
#include "ProgramOnUnit.h"
#include "support/ModalAnswer.h"
#include "ui/SettingsDialog.h"

#include <QProcess>
#include <QTest>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace pbtest;

const QString kOpenFailed = QStringLiteral("Error opening Comport:  1");
const QString kLost = QStringLiteral("Comport lost: ");

double ProcessCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

class PortFaults : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        options.statusEveryMs = 0;
        options.quiet = true;
    }


    // With the port shut, the engine never starts: requests wait and the
    // unit hears nothing.
    void expectNothingServed()
    {
        EXPECT_FALSE(program->port.isOpen());
        // Logging starts at the end of start-up; the frame's caption shows
        // no port.
        EXPECT_EQ(window().FrmCommunicatie->title(), QStringLiteral("ComPort: "));
        showTab(UnitTab);
        window().CmdLeesAlles->click();
        ticks(200);
        EXPECT_FALSE(engine().started());
        EXPECT_TRUE(engine().busyWith(pb::RequestKind::ReadAll));
        EXPECT_EQ(unit->counters().frames, 0);
    }

    // Once the port opens (as the settings dialog's Save does), the engine
    // starts. The read all that waited is dropped; one asked for now is
    // served.
    void expectServedAfterReopen()
    {
        ASSERT_NO_FATAL_FAILURE(reopen());
        EXPECT_TRUE(engine().started());
        EXPECT_FALSE(engine().busyWith(pb::RequestKind::ReadAll));
        EXPECT_TRUE(progressEndsWith(QStringLiteral("\r\nCancelled!\r\n")));
        ticks(100);
        EXPECT_EQ(unit->counters().frames, 0);

        unit->setValue(shownRows().front(), 1);
        window().CmdLeesAlles->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
        for (int row : shownRows())
            EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
        EXPECT_EQ(rows().SettingsInUnit[shownRows().front()], 1);
    }

    // CPU time of this process over `ms` of real time with the real engine
    // timer running.
    double cpuShareWithTimers(int ms)
    {
        window().TmrAfhandel->start();
        const double before = ProcessCpuSeconds();
        QTest::qWait(ms);
        const double used = ProcessCpuSeconds() - before;
        window().TmrAfhandel->stop();
        return used / (ms / 1000.0);
    }

    pb::unitsim::UnitOptions options;
};

TEST_F(PortFaults, MissingDeviceAtStartUpIsReportedAndServedOncePluggedIn)
{
    ASSERT_NO_FATAL_FAILURE(launch(3, options, {}, folder.filePath(QStringLiteral("no-such-device"))));
    ASSERT_NO_FATAL_FAILURE(expectNothingServed());
    ASSERT_NO_FATAL_FAILURE(expectServedAfterReopen());
}

// Writes, a single write and a test call asked for while the device was
// missing must not reach the unit once the settings dialog's Save opens the
// port: Save loads the default settings into the grid first, so they would
// write values nobody chose.
TEST_F(PortFaults, RequestsMadeWithoutAPortNeverReachTheUnitOnceItOpens)
{
    ASSERT_NO_FATAL_FAILURE(launch(3, options, QStringLiteral("/DEBUG"), folder.filePath(QStringLiteral("later"))));
    const int row = shownRows().at(1);
    const uint8_t inUnit = unit->value(row);
    showTab(SettingsTab);
    window().ComboInstellingen[row]->setCurrentIndex(2);
    window().CmdWriteSingleSetting[row]->click();
    showTab(UnitTab);
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window().CmdSchrijfAlles->click();
    showTab(ServiceTab);
    window().TxtTestPagerAdres->setText(QStringLiteral("123"));
    window().CmdTestOproepPager->click();
    ticks(20);
    ASSERT_TRUE(engine().busyWith(pb::RequestKind::WriteAll));
    ASSERT_TRUE(engine().busyWith(pb::RequestKind::TestCall));

    pointPortAt(*line);
    program->ShowSettingsDialog();
    auto* dialog = window().findChild<pb::SettingsDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->CmdWijzigen->click();
    dialog->CmdSave->click();
    dialog->close();
    ASSERT_TRUE(program->port.isOpen());
    for (Tab tab : {ServiceTab, SettingsTab, UnitTab}) {
        showTab(tab);
        ticks(150);
    }
    EXPECT_EQ(unit->counters().frames, 0) << "nothing asked for before the port opened goes out";
    EXPECT_EQ(unit->value(row), inUnit);

    window().CmdLeesAlles->click();
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_GE(unit->counters().served, int(shownRows().size()));
    EXPECT_EQ(unit->value(row), inUnit);
    EXPECT_NE(rows().SettingsInUnit[row], -1) << "the read was served";
}

TEST_F(PortFaults, PortHeldByAnotherProgramIsBusy)
{
    QProcess holder;
    holder.start(QStringLiteral(PAGERBENCH_HOLDPORT), {line->slavePath()});
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "held");

    ASSERT_NO_FATAL_FAILURE(launch(3, options));
    ASSERT_NO_FATAL_FAILURE(expectNothingServed());

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_NO_FATAL_FAILURE(expectServedAfterReopen());
}

TEST_F(PortFaults, DeviceWithoutPermissionIsReported)
{
    // Found missing at start-up, then chosen again once it is there but
    // forbidden, as from the settings dialog.
    ASSERT_NO_FATAL_FAILURE(launch(3, options, {}, folder.filePath(QStringLiteral("not-yet"))));
    pointPortAt(*line);
    ASSERT_EQ(::chmod(line->slavePath().toLocal8Bit().constData(), 0), 0);
    // Root opens any device; a plain user's rights are what the test needs.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    const int16_t opened = program->OpenConfiguredPort();
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    EXPECT_EQ(opened, -1);
    EXPECT_EQ(linesWith(kOpenFailed), 1);
    ASSERT_NO_FATAL_FAILURE(expectNothingServed());

    ASSERT_EQ(::chmod(line->slavePath().toLocal8Bit().constData(), 0620), 0);
    ASSERT_NO_FATAL_FAILURE(expectServedAfterReopen());
}

TEST_F(PortFaults, DeviceVanishingWhileAReplyIsAwaitedLosesNothingAndDoesNotSpin)
{
    options.fault = pb::unitsim::Fault::Silent;
    ASSERT_NO_FATAL_FAILURE(start(3, options));
    const int row = shownRows().at(1);
    showTab(SettingsTab);
    window().ComboInstellingen[row]->setCurrentIndex(1);
    window().CmdWriteSingleSetting[row]->click();
    ASSERT_TRUE(tickUntil([this] { return writeSent(); }, 40));
    const pb::RowValues before = rows();

    line->closeMaster();
    ASSERT_TRUE(tickUntil([this] { return !program->port.isOpen(); }, 40));
    // The exchange runs out as a time-out; the retries find no port.
    ASSERT_TRUE(tickUntil(
        [this] { return !reports.empty() && reports.back().result == pb::ExchangeResult::NoStartByte; }, 200));
    ticks(400);
    EXPECT_EQ(linesWith(kLost), 1);
    EXPECT_EQ(rows().SettingsInUnit, before.SettingsInUnit);
    EXPECT_EQ(rows().UnitSettings, before.UnitSettings);
    EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[row]), 1);
    EXPECT_TRUE(engine().rowPending(row)); // still wanted

    // A spinning engine would take a whole core.
    EXPECT_LT(cpuShareWithTimers(1000), 0.5);
    EXPECT_EQ(linesWith(kLost), 1);

    // Plugged in again, the write still waiting goes out.
    unit->setFault(pb::unitsim::Fault::None);
    ASSERT_NO_FATAL_FAILURE(replug());
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_TRUE(shownAsConfirmed(row));
    EXPECT_EQ(unit->value(row), 1);
}

TEST_F(PortFaults, AUnitBehindALinkThatComesBackIsReopenedByItself)
{
    const QString link = folder.filePath(QStringLiteral("unit"));
    ASSERT_TRUE(QFile::link(line->slavePath(), link));
    ASSERT_NO_FATAL_FAILURE(launch(3, options, {}, link));
    ASSERT_TRUE(program->port.isOpen());
    noteReopened();

    line->closeMaster();
    ASSERT_TRUE(tickUntil([this] { return !program->port.isOpen(); }, 40));
    // Asked for while the cable is out, the write waits for the unit.
    const int row = shownRows().front();
    showTab(SettingsTab);
    window().ComboInstellingen[row]->setCurrentIndex(1);
    window().CmdWriteSingleSetting[row]->click();
    ASSERT_NO_FATAL_FAILURE(relink(link));
    ASSERT_TRUE(QTest::qWaitFor([this] { tick(); return program->port.isOpen(); }, 5000));
    noteReopened();
    EXPECT_EQ(linesWith(kLost), 1);
    EXPECT_EQ(linesWith(QStringLiteral("Comport back: ")), 1);
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_EQ(unit->value(row), 1);
}

} // namespace
