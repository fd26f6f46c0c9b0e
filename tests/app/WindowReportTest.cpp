// "Save report…" against pagerbench-cli report --from for the same values,
// and the report fields kept in the per-user settings.
#include "app/Program.h"
#include "app/Startup.h"
#include "files/ConfigFile.h"
#include "files/SettingsFile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString PdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-enc", "UTF-8", path, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST(WindowReportTest, SameValuesGiveTheCliReportAndTheFieldsAreKept)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
    pb::ProgramConfig config;
    config.unitType = 3;
    config.language = 2;
    ASSERT_TRUE(pb::WriteConfig(config, path("Pagerbench.set")));
    pb::RowValues reference, unit;
    reference.FileSettings[13] = 2;
    unit.FileSettings[3] = 5;
    ASSERT_TRUE(pb::WriteFileAtomically(path("default.set"), pb::SettingsFileBytes(reference)));
    ASSERT_TRUE(pb::WriteFileAtomically(path("unit.set"), pb::SettingsFileBytes(unit)));
    ASSERT_TRUE(pb::WriteReportFields(path("report.ini"), {QStringLiteral("Jürgen Müller"), QStringLiteral("Lyon")}));
    qputenv("PAGERBENCH_COM1", path("no-such-port").toLocal8Bit());
    pb::AppState state;
    state.folder.path = dir.path();
    pb::Program program(state);
    pb::StartProgram(program);
    EXPECT_EQ(program.window.TxtTechnician->text(), QStringLiteral("Jürgen Müller"));
    program.window.TxtSite->setText(QStringLiteral("Hôpital Saint-Éloi"));
    emit program.window.TxtSite->editingFinished();
    EXPECT_EQ(pb::ReadReportFields(path("report.ini")).site, QStringLiteral("Hôpital Saint-Éloi"));

    pb::ReadSettingsFile(state.grid, state.rows, path("unit.set"));
    ASSERT_TRUE(program.WriteReport(path("window.pdf")));
    qunsetenv("PAGERBENCH_COM1");
    QProcess cli;
    cli.start(QStringLiteral(PAGERBENCH_CLI),
              {"report", "--from", path("unit.set"), "--type", "3", "--lang", "de", "--against", path("default.set"),
               "--technician", "Jürgen Müller", "--site", "Hôpital Saint-Éloi", "--out", path("cli.pdf")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QString window = PdfText(path("window.pdf"));
    EXPECT_TRUE(window.contains(QStringLiteral("Com1, steht für ") + path("no-such-port"))) << window.toStdString();
    EXPECT_TRUE(window.contains(QStringLiteral("Jürgen Müller")));
    const QString settings = QStringLiteral("Einstellungen");
    ASSERT_GT(window.indexOf(settings), 0);
    EXPECT_EQ(window.mid(window.indexOf(settings)), PdfText(path("cli.pdf")).section(settings, 1).prepend(settings));

    // A row the unit confirmed loses its mark.
    const QString unconfirmed = QStringLiteral("nicht aus der Einheit gelesen");
    state.rows.SettingsInUnit[0] = int16_t(state.grid.position(0));
    ASSERT_TRUE(program.WriteReport(path("confirmed.pdf")));
    EXPECT_EQ(PdfText(path("confirmed.pdf")).count(unconfirmed), window.count(unconfirmed) - 1);
}

} // namespace
