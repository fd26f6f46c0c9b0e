// pagerbench-cli as a user runs it: the tool and the virtual unit as two
// processes on a pseudo-terminal, at the engine's real pace.
#include "files/SettingsFile.h"
#include "settings/SetupUnitType.h"
#include "settings/ValueCoding.h"
#include "texts/TextTable.h"
#include "unitsim/StartValues.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int16_t kType = 3;
constexpr int kRunMs = 60000;

struct Outcome {
    int status = -1;
    QByteArray out;
    QString err;
};

class CliTest : public ::testing::Test {
protected:
    // A virtual unit of type 3 whose line the tool finds at port(name).
    void startUnit(const QString& fault = {}, const char* name = "unit")
    {
        QStringList arguments{QStringLiteral("--type"), QString::number(kType), QStringLiteral("--link"), port(name)};
        if (!fault.isEmpty())
            arguments << QStringLiteral("--fault") << fault;
        units.push_back(std::make_unique<QProcess>());
        units.back()->start(QStringLiteral(PAGERBENCH_UNITSIM), arguments);
        // Its first line names the line once the link is in place.
        ASSERT_TRUE(units.back()->waitForReadyRead(10000)) << "the virtual unit did not start";
    }

    void TearDown() override
    {
        for (const auto& unit : units) {
            unit->terminate();
            unit->waitForFinished(5000);
        }
    }

    QString port(const char* name = "unit") const { return dir.filePath(QLatin1String(name)); }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }

    Outcome cli(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral(PAGERBENCH_CLI), arguments);
        Outcome outcome;
        if (!tool.waitForFinished(kRunMs) || tool.exitStatus() != QProcess::NormalExit)
            return outcome;
        outcome.status = tool.exitCode();
        outcome.out = tool.readAllStandardOutput();
        outcome.err = QString::fromLocal8Bit(tool.readAllStandardError());
        return outcome;
    }

    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> units;
};

const QString kType3 = QStringLiteral("3");

TEST_F(CliTest, ReadWriteShowDiffAndJsonAgainstVirtualUnits)
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_NO_FATAL_FAILURE(startUnit());
    ASSERT_NO_FATAL_FAILURE(startUnit({}, "second"));

    // read: the settings file "Save to file" would write, that "Read from
    // file" takes back row for row; hidden rows hold 0.
    const Outcome read = cli({"read", "--port", port(), "--type", kType3, "--out", file("unit.set")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.isEmpty()) << "nothing on standard output with --out";
    QFile saved(file("unit.set"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.count("\r\n"), pb::kFileRows);

    pb::TextTable texts;
    int16_t english = 0;
    pb::LaadTeksten(texts, english);
    pb::GridModel grid;
    pb::RowValues rows;
    pb::SetupUnitType(grid, texts, kType);
    pb::LeesSetFile(grid, rows, file("unit.set"));
    const pb::unitsim::UnitMemory memory = pb::unitsim::StartValues(kType);
    int shown = 0;
    for (int16_t r = 0; r < pb::kGridRows; ++r) {
        const bool inUse = r <= pb::HighestRow(kType) && grid.shown(r);
        const int16_t expected = inUse ? pb::DecodeValue(kType, r, memory[uint8_t(pb::RowToItem(kType, r))]) : 0;
        EXPECT_EQ(rows.UnitSettings[r], expected) << "row " << r;
        shown += inUse ? 1 : 0;
    }

    // write a changed file to the second unit, then read it back as JSON:
    // the unit holds it.
    const int16_t changedRow = 3;
    QByteArray changed = bytes;
    changed.replace("\r\n3    ->3\r\n", "\r\n3    ->5\r\n");
    ASSERT_NE(changed, bytes) << "row 3 of the type does not hold 3 from the factory";
    QFile edited(file("edited.set"));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write(changed);
    edited.close();
    const Outcome write = cli({"write", "--port", port("second"), "--type", kType3, file("edited.set")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();

    const Outcome json = cli({"read", "--port", port("second"), "--type", kType3, "--json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray listed = QJsonDocument::fromJson(json.out).object().value("rows").toArray();
    ASSERT_EQ(listed.size(), shown);
    for (const QJsonValue& entry : listed) {
        const QJsonObject row = entry.toObject();
        const int r = row.value("row").toInt();
        EXPECT_EQ(row.value("item").toInt(), pb::RowToItem(kType, int16_t(r)));
        EXPECT_EQ(row.value("value").toInt(), r == changedRow ? 5 : rows.UnitSettings[r]) << "row " << r;
        EXPECT_FALSE(row.value("text").toString().isEmpty());
    }

    // show and diff over the files, in Dutch.
    const Outcome show = cli({"show", "--type", kType3, "--lang", "nl", file("edited.set")});
    ASSERT_EQ(show.status, 0);
    const QList<QByteArray> lines = show.out.trimmed().split('\n');
    EXPECT_EQ(lines.size(), shown);
    EXPECT_TRUE(lines.value(2).startsWith("3\t") && lines.value(2).endsWith("\t5")) << lines.value(2).toStdString();
    const Outcome same = cli({"diff", "--type", kType3, file("unit.set"), file("unit.set")});
    EXPECT_EQ(same.status, 0);
    EXPECT_TRUE(same.out.isEmpty());
    const Outcome differ = cli({"diff", "--type", kType3, file("unit.set"), file("edited.set")});
    EXPECT_EQ(differ.status, 1);
    const QList<QByteArray> diff = differ.out.trimmed().split('\n');
    ASSERT_EQ(diff.size(), 2);
    EXPECT_TRUE(diff[0].startsWith("- 3\t") && diff[0].endsWith("\t3"));
    EXPECT_TRUE(diff[1].startsWith("+ 3\t") && diff[1].endsWith("\t5"));

    // What read wrote of the first unit, written to the second, makes it
    // the first one's equal.
    ASSERT_EQ(cli({"write", "--port", port("second"), "--type", kType3, file("unit.set")}).status, 0);
    ASSERT_EQ(cli({"read", "--port", port("second"), "--type", kType3, "--out", file("second.set")}).status, 0);
    const Outcome equal = cli({"diff", "--type", kType3, file("unit.set"), file("second.set")});
    EXPECT_EQ(equal.status, 0) << equal.out.toStdString();
}

TEST_F(CliTest, CallAndMonitorAgainstTheVirtualUnit)
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_NO_FATAL_FAILURE(startUnit());
    const Outcome call = cli({"call", "--port", port(), "--address", "1234567890123", "--message", "Test", "--bleep", "4"});
    EXPECT_EQ(call.status, 0) << call.err.toStdString();

    // The unit's status line comes every 5 s, between exchanges.
    const Outcome monitor = cli({"monitor", "--port", port(), "--seconds", "6"});
    EXPECT_EQ(monitor.status, 0);
    EXPECT_TRUE(monitor.out.contains(" STATUS ")) << monitor.out.toStdString();
}

struct Failure {
    const char* name;
    const char* fault;    // of the virtual unit; none started when empty
    QStringList arguments;
    int status;
};

class CliFailureTest : public CliTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(CliFailureTest, EndsWithItsStatus)
{
    ASSERT_TRUE(dir.isValid());
    const Failure& failure = GetParam();
    if (*failure.fault != '\0') {
        ASSERT_NO_FATAL_FAILURE(startUnit(QLatin1String(failure.fault)));
    }
    QStringList arguments = failure.arguments;
    arguments.replaceInStrings(QStringLiteral("PORT"), port());
    arguments.replaceInStrings(QStringLiteral("OUT"), file("out.set"));
    const Outcome outcome = cli(arguments);
    EXPECT_EQ(outcome.status, failure.status) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.isEmpty()) << "a failure says why";
    EXPECT_FALSE(QFile::exists(file("out.set"))) << "no file unless every row was read";
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, CliFailureTest,
    ::testing::Values(Failure{"SilentUnit", "silent", {"read", "--port", "PORT", "--type", "3", "--out", "OUT"}, 1},
                      Failure{"RefusedCall", "refuse-call", {"call", "--port", "PORT", "--address", "12"}, 1},
                      Failure{"NoPort", "", {"read", "--port", "PORT", "--type", "3", "--out", "OUT"}, 3},
                      Failure{"BadType", "", {"show", "--type", "7", "OUT"}, 2},
                      Failure{"MissingFile", "", {"write", "--port", "PORT", "--type", "3", "OUT"}, 2},
                      Failure{"UnknownCommand", "", {"erase", "--port", "PORT"}, 2},
                      Failure{"OptionOfAnotherCommand", "", {"show", "--port", "PORT", "OUT"}, 2}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

} // namespace
