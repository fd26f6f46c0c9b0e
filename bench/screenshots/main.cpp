// Takes the README's pictures: the main window on each of its five tabs, in
// English, with the virtual unit connected and the grid read; then the
// settings dialog, the housing-opening guide and the About box; and the
// window's commissioning report as report.pdf, after a test call, against a
// default.set that differs from the unit in one row.
//   pagerbench-screenshots --unitsim U --out FOLDER [--type 3]
#include "BenchProgram.h"
#include "ReadAll.h"
#include "VirtualUnit.h"

#include "files/SettingsFile.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "ui/MainTabs.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>
#include <array>
#include <functional>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Lets the window's timers run: the grid colouring, the message window.
void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget* window, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!window || !window->grab().save(path)) {
        err() << "cannot take " << path << Qt::endl;
        return false;
    }
    QTextStream(stdout) << path << Qt::endl;
    return true;
}

QWidget* TopLevel(const char* objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == QLatin1String(objectName))
            return widget;
    }
    return nullptr;
}

// Takes the window that `show` opens, then closes it again.
bool SaveSecondary(const std::function<void()>& show, const char* objectName, const QDir& folder,
                   const QString& name)
{
    show();
    Pump(300);
    QWidget* window = TopLevel(objectName);
    const bool saved = Save(window, folder, name);
    if (window)
        window->close();
    Pump(50);
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString unitsim;
    QString out = QStringLiteral("docs/screenshots");
    int unitType = 3;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--unitsim"))
            unitsim = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--out"))
            out = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--type"))
            unitType = args.at(i + 1).toInt();
    }
    const QDir folder(out);
    if (unitsim.isEmpty() || !QDir().mkpath(out)) {
        err() << "usage: pagerbench-screenshots --unitsim U --out FOLDER [--type 3]" << Qt::endl;
        return 2;
    }

    pb::bench::VirtualUnit unit(unitsim, unitType, false);
    if (unit.device().isEmpty()) {
        err() << "the virtual unit did not start: " << unitsim << Qt::endl;
        return 1;
    }
    pb::bench::BenchProgram bench(unit.device(), int16_t(unitType));
    const pb::bench::ReadAllRun run = pb::bench::RunReadAll(bench);
    if (!run.finished || run.rowsRead != run.rowsShown) {
        err() << "read all did not finish: " << run.rowsRead << " of " << run.rowsShown << " rows" << Qt::endl;
        return 1;
    }
    Pump(600);

    pb::MainWindow& window = bench.window();
    pb::Program& program = bench.program();
    program.state.reportFields = {QStringLiteral("J. Jansen"), QStringLiteral("St. Mary's Hospital, building C")};
    window.showReportFields();
    const std::array<const char*, 5> tabs{"main-status", "main-settings", "main-file", "main-unit", "main-service"};
    bool ok = true;
    for (int tab = 0; tab < int(tabs.size()); ++tab) {
        window.SSTab1->setCurrentIndex(tab);
        Pump(300);
        ok = Save(&window, folder, QLatin1String(tabs[std::size_t(tab)])) && ok;
    }

    window.TxtTestPagerAdres->setText(QStringLiteral("1234"));
    window.TxtTestPagerDisplayInfo->setText(QStringLiteral("Commissioning test"));
    window.SSTab1->setCurrentIndex(pb::ServiceTab);
    window.CmdTestOproepPager->click();
    Pump(3000);
    pb::RowValues reference = program.state.rows;
    pb::SettingsToFile(reference);
    reference.FileSettings[pb::kSpeedRow] = 2;
    const QString defaults = program.state.folder.defaultSettingsFile();
    ok = pb::WriteFileAtomically(defaults, pb::SettingsFileBytes(reference)).ok() && ok;
    ok = program.WriteReport(folder.filePath(QStringLiteral("report.pdf"))).ok() && ok;
    window.SSTab1->setCurrentIndex(0);

    ok = SaveSecondary([&] { program.ShowSettingsDialog(); }, "frmInstellingen", folder,
                       QStringLiteral("settings-dialog")) && ok;
    ok = SaveSecondary([&] { program.ShowGuide(); }, "frmOpenenBehuizing", folder, QStringLiteral("guide")) && ok;
    ok = SaveSecondary([&] { program.ShowAbout(); }, "frmAbout", folder, QStringLiteral("about")) && ok;
    return ok ? 0 : 1;
}
