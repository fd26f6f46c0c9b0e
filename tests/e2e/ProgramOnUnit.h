#pragma once
// The whole program against a virtual unit: the main window offscreen, its
// port on a real pseudo-terminal, the unit on the other end. The test steps
// the engine itself and serves the unit between the steps, each step being
// 25 ms on the unit's clock; it waits on the line only while bytes are on
// their way, and never longer than a bound.
#include "files/ConfigFile.h"
#include "app/Program.h"
#include "link/ports/PortName.h"
#include "ui/GridColouring.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "support/ModalAnswer.h"
#include "support/PseudoTerminal.h"
#include "unitsim/TcpUnitLine.h"
#include "unitsim/VirtualUnit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/ioctl.h>

namespace pbtest {

using pb::unitsim::Millis;

class ProgramOnUnit : public ::testing::Test {
protected:
    static constexpr Millis kTickMs = 25;
    static constexpr int kLineWaitMs = 2000; // bytes on a pseudo-terminal take microseconds
    // The test's clock runs faster than the engine's time-outs assume: a tick
    // that sent waits, up to this, for the bytes to cross. A device server is
    // another process, which a busy machine may leave waiting for seconds.
    int lineWaitMs = kLineWaitMs;
    static constexpr int kTickLimit = 4000;

    enum Tab { StatusTab = 0, SettingsTab = 1, FileTab = 2, UnitTab = 3, ServiceTab = 4 };

    void TearDown() override { qunsetenv(pb::PortEnvironmentVariable(1).toLatin1().constData()); }

    // A unit of the type and a program configured for it, loaded and shown.
    // Service level 2 ("/DEBUG") shows the per-row buttons.
    void start(int16_t unitType, pb::unitsim::UnitOptions unitOptions = {}, const QString& commandLine = {})
    {
        ASSERT_NO_FATAL_FAILURE(launch(unitType, unitOptions, commandLine));
        ASSERT_TRUE(program->port.isOpen());
        portFd_ = DescriptorOf(line->slavePath());
    }

    // The same, but the port is left as it came out: the configured port
    // may point at `portPath` instead of the unit's line.
    void launch(int16_t unitType, pb::unitsim::UnitOptions unitOptions = {}, const QString& commandLine = {},
                const QString& portPath = {})
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(line->isValid());
        unitOptions.unitType = unitType;
        unit = std::make_unique<pb::unitsim::VirtualUnit>(unitOptions, clock);

        pb::ProgramConfig config;
        config.unitType = unitType;
        config.hideHousingGuide = 1;
        pb::WriteConfig(config, folder.path() + QStringLiteral("/Pagerbench.set"));
        if (portPath.isEmpty())
            pointPortAt(*line);
        else
            qputenv(pb::PortEnvironmentVariable(1).toLatin1().constData(), portPath.toLocal8Bit());
        state.folder.path = folder.path();
        state.commandLine = commandLine;
        state.portClock = [this] { return clock; };

        program = std::make_unique<pb::Program>(state);
        program->load();
        collectReports();
        // The test steps the engine; the default settings are in already.
        window().TmrAfhandel->stop();
        window().TimerDisplayInstellingen->stop();
        window().show();
    }

    // The same with the unit behind a serial device server on 127.0.0.1,
    // the port named "tcp://127.0.0.1:PORT".
    void startOnTcp(int16_t unitType, pb::unitsim::UnitOptions unitOptions = {}, const QString& commandLine = {})
    {
        tcp = std::make_unique<pb::unitsim::TcpUnitLine>();
        std::string error;
        ASSERT_TRUE(tcp->listen(0, error)) << error;
        ASSERT_NO_FATAL_FAILURE(launch(unitType, unitOptions, commandLine, tcpDevice()));
        ASSERT_TRUE(program->port.isOpen());
    }

    QString tcpDevice() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(tcp->port()); }

    // The unit's cable plugged in again after a loss: a new device, where
    // the configured port now points, opened as the settings dialog would.
    void replug()
    {
        line = std::make_unique<PseudoTerminal>();
        ASSERT_NO_FATAL_FAILURE(reopen());
    }

    // The configured port opened again on the unit's line.
    void reopen()
    {
        ASSERT_TRUE(line->isValid());
        pointPortAt(*line);
        bytesToUnit_ = 0;
        ASSERT_EQ(program->OpenConfiguredPort(), 0);
        portFd_ = DescriptorOf(line->slavePath());
    }

    // The unit's line replaced by a new device behind the same link, for
    // the program to find by itself; noteReopened() once it has.
    void relink(const QString& link)
    {
        line = std::make_unique<PseudoTerminal>();
        ASSERT_TRUE(line->isValid());
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(line->slavePath(), link));
        bytesToUnit_ = 0;
        portFd_ = -1;
    }
    void noteReopened() { portFd_ = DescriptorOf(line->slavePath()); }

    // The program's end of the line where no path names it (its socket to
    // a device server in front of the unit's line), polled the same way.
    void watchPortDescriptor(int fd) { portFd_ = fd; }

    static void pointPortAt(const PseudoTerminal& device)
    {
        qputenv(pb::PortEnvironmentVariable(1).toLatin1().constData(), device.slavePath().toLocal8Bit());
    }

    pb::MainWindow& window() { return program->window; }
    pb::ProtocolEngine& engine() { return program->engine; }
    bool anyRowPending() const
    {
        for (int row = 0; row < pb::kGridRows; ++row) {
            if (program->engine.rowPending(row))
                return true;
        }
        return false;
    }
    pb::RowValues& rows() { return state.rows; }

    // One engine step with the unit served around it.
    void tick()
    {
        state.lamps.sending = pb::kFalse;
        program->Tick();
        clock += kTickMs;
        serveUnit(state.lamps.sending == pb::kTrue);
        QCoreApplication::processEvents();
    }

    bool tickUntil(const std::function<bool()>& done, int limit = kTickLimit)
    {
        for (int i = 0; i < limit && !done(); ++i)
            tick();
        return done();
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            tick();
    }

    // Every request ended.
    bool allServed() const { return !program->engine.busy(); }

    // Every exchange the engine finished, in order, and every frame of a
    // read or a write it began; a handler the program set goes on being
    // called first.
    void collectReports()
    {
        auto earlier = program->engine.onReport;
        program->engine.onReport = [this, earlier](const pb::ExchangeReport& report) {
            if (earlier)
                earlier(report);
            reports.push_back(report);
        };
        auto starting = program->engine.onExchangeStart;
        program->engine.onExchangeStart = [this, starting](const pb::ExchangeStart& start) {
            if (starting)
                starting(start);
            starts.push_back(start);
        };
    }
    // A write's frame has gone out since the starts were last cleared.
    bool writeSent() const
    {
        return std::any_of(starts.begin(), starts.end(),
                           [](const pb::ExchangeStart& s) { return s.exchange == pb::Exchange::WriteRow; });
    }

    void showTab(Tab tab) { window().SSTab1->setCurrentIndex(tab); }

    // Every shown row at its first option, written by Write all (its
    // question answered Ok); true once served.
    bool writeAllFirstOptions(const std::vector<int>& shown)
    {
        showTab(SettingsTab);
        for (int row : shown)
            window().ComboInstellingen[row]->setCurrentIndex(0);
        showTab(UnitTab);
        pressInMessageBox(QMessageBox::Ok);
        window().CmdSchrijfAlles->click();
        return tickUntil([this] { return allServed(); });
    }

    // The test call from the Service tab; true once the unit took one.
    bool placeTestCall(const QString& address, const QString& message)
    {
        showTab(ServiceTab);
        window().TxtTestPagerAdres->setText(address);
        window().TxtTestPagerDisplayInfo->setText(message);
        window().CmdTestOproepPager->click();
        return tickUntil([this] { return allServed() && !unit->calls().empty(); });
    }

    bool logHas(const QString& text) const
    {
        for (int i = 0; i < state.log.lineCount; ++i) {
            if (state.log.lines[i].contains(text))
                return true;
        }
        return false;
    }

    // How many lines in the message window's buffer hold the text.
    int linesWith(const QString& text) const
    {
        int count = 0;
        for (int i = 0; i < state.log.lineCount; ++i)
            count += state.log.lines[i].contains(text) ? 1 : 0;
        return count;
    }

    // The row is drawn in the muted colour of values the unit confirmed.
    bool shownAsConfirmed(int row)
    {
        pb::ColourSettingsGrid(window().grid(), state.rows,
                               [this](int row) { return program->engine.rowPending(row); });
        const QComboBox* combo = window().ComboInstellingen[row];
        return combo->palette().color(QPalette::Active, QPalette::Text) == pb::ConfirmedRowColour(combo);
    }

    QString progressText() const { return program->window.TxtProgress()->toPlainText(); }

    // The progress window shows each CR LF as one line break.
    bool progressEndsWith(QString text) const
    {
        return progressText().endsWith(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    std::vector<int> shownRows() const
    {
        std::vector<int> shown;
        const pb::SettingsGrid grid = program->window.grid();
        for (int row = 0; row <= pb::HighestRow(state.config.unitType) && row < pb::kGridRows; ++row) {
            if (pb::RowShown(grid, row))
                shown.push_back(row);
        }
        return shown;
    }

    QTemporaryDir folder;
    std::unique_ptr<PseudoTerminal> line = std::make_unique<PseudoTerminal>();
    Millis clock = 0;
    std::unique_ptr<pb::unitsim::VirtualUnit> unit;
    std::unique_ptr<pb::unitsim::TcpUnitLine> tcp; // set: the unit is on it, not on `line`
    pb::AppState state;
    std::unique_ptr<pb::Program> program;
    std::vector<pb::ExchangeReport> reports;
    std::vector<pb::ExchangeStart> starts;

private:
    // The request the program just sent must reach the unit, and the unit's
    // answer must be readable at the port, before the engine looks again.
    void serveUnit(bool programSent)
    {
        if (tcp) {
            serveUnitOnTcp(programSent);
            return;
        }
        if (!line->isValid())
            return;
        const int seen = bytesToUnit_;
        QDeadlineTimer deadline(lineWaitMs);
        for (;;) {
            const QByteArray bytes = line->read(4096, 0);
            if (!bytes.isEmpty()) {
                unit->receive(bytes.toStdString(), clock);
                bytesToUnit_ += bytes.size();
            }
            const bool whole = bytesToUnit_ > seen && !unit->midFrame();
            if (!programSent || whole || !waitFor(line->masterFd(), deadline))
                break;
        }
        const pb::unitsim::Bytes said = unit->transmit(clock);
        if (!said.empty()) {
            line->write(QByteArray::fromStdString(said));
            waitForBytes(portFd_, qsizetype(said.size()), QDeadlineTimer(lineWaitMs));
        }
        if (unit->lineClosed())
            line->closeMaster();
    }

    // Bytes on the loopback are at the other socket once written.
    void serveUnitOnTcp(bool programSent)
    {
        tcp->acceptNewcomer();
        const int seen = bytesToUnit_;
        QDeadlineTimer deadline(lineWaitMs);
        for (;;) {
            const QByteArray bytes = tcp->readAll();
            if (!bytes.isEmpty()) {
                unit->receive(bytes.toStdString(), clock);
                bytesToUnit_ += bytes.size();
            }
            const bool whole = bytesToUnit_ > seen && !unit->midFrame();
            if (!programSent || whole || !tcp->hasClient()
                || !tcp->client()->waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        tcp->write(QByteArray::fromStdString(unit->transmit(clock)));
        if (unit->lineClosed())
            tcp->drop(false);
    }

    // All of the answer, not only its first bytes: a device server between
    // may send its own bytes first, or the answer in pieces.
    static bool waitForBytes(int fd, qsizetype count, const QDeadlineTimer& deadline)
    {
        for (;;) {
            int waiting = 0;
            if (fd < 0 || ::ioctl(fd, FIONREAD, &waiting) != 0)
                return false;
            if (waiting >= count)
                return true;
            if (deadline.hasExpired())
                return false;
            if (waiting > 0)
                QThread::usleep(100); // the rest is on its way
            else if (!waitFor(fd, deadline))
                return false;
        }
    }

    static bool waitFor(int fd, const QDeadlineTimer& deadline)
    {
        if (fd < 0)
            return false;
        pollfd entry{fd, POLLIN, 0};
        return ::poll(&entry, 1, int(deadline.remainingTime())) > 0;
    }

    // The program's own descriptor of the serial side, found among this
    // process's open files: polling it tells when bytes have arrived.
    static int DescriptorOf(const QString& path)
    {
        const QString target = QFileInfo(path).canonicalFilePath();
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& name : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(name)).symLinkTarget() == target)
                return name.toInt();
        }
        return -1;
    }

    int bytesToUnit_ = 0;
    int portFd_ = -1;
};

} // namespace pbtest
