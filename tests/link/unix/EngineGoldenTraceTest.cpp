// The engine's golden trace: for each case, every tick on which bytes went
// out or an exchange finished, compared line by line with
// ../golden/engine-trace.txt. What goes on the wire, on which tick, and what
// each exchange reports must stay the same however the engine is built
// inside. After a deliberate change of that, run the test with
// PAGERBENCH_WRITE_GOLDEN=1 to write the file in the source tree anew, and
// read its diff before committing it. The file is found beside this source,
// so the test runs on Linux only.
#include "link/EngineRig.h"
#include "link/FrameBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using pbtest::Hex;

using pb::ServingMode;

// What the engine is asked to do, in which serving mode (named after the
// window's tab that serves so); the reply under test goes to the frame
// numbered `faultedFrame` (from 0), every other frame is answered well.
enum class Ask { Read, Write, ReadAll, WriteAll, TestCall };
struct Task {
    const char* name;
    ServingMode mode;
    Ask ask;
    int faultedFrame;
};
const Task kTasks[] = {
    {"SettingsRead", ServingMode::Rows, Ask::Read, 0},
    {"SettingsWrite", ServingMode::Rows, Ask::Write, 0},
    {"UnitReadAll", ServingMode::RowsAndBulk, Ask::ReadAll, 0},
    {"UnitWriteAll", ServingMode::RowsAndBulk, Ask::WriteAll, 0},
    {"ServiceCallNumber", ServingMode::Call, Ask::TestCall, 0},
    {"ServiceCall", ServingMode::Call, Ask::TestCall, 1},
    {"FileTab", ServingMode::Hold, Ask::Read, 0},       // nothing goes out
    {"StatusTab", ServingMode::Monitor, Ask::Read, 0}, // the same
};

// Late and Later: the good reply, its start byte half way, so slow that
// the next frame goes out just as the wake window closes. Silent: the unit
// never answers at all. Uncodable: nothing can be sent for the single row
// asked for.
enum class Reply { Good, Nothing, StartByteOnly, StopsMidFrame, TooLong, BadChecksum, Echo, Nak, NoDigit, Late, Later, Uncodable, Silent };
const char* const kReplyNames[] = {"Good", "Nothing", "StartByteOnly", "StopsMidFrame", "TooLong", "BadChecksum", "Echo",
                                   "Nak",  "NoDigit", "Late",          "Later",         "Uncodable",   "Silent"};

constexpr int kTicks = 700; // five tries of a row on the Settings tab, the failure limit on the Unit tab
constexpr int16_t kRow = 4;
constexpr int16_t kLastShownRow = 6; // read all and write all stay short
constexpr int16_t kHiddenRow = 3;

// The unit's answer to a frame: a read gives the row's number modulo 4.
QByteArray GoodReply(const QByteArray& frame)
{
    return pbtest::GoodReply(frame, frame[5] == 'w' ? uint8_t(frame[7]) % 4 : 0);
}

// Ticks from the frame to the last byte of a Late reply: a read's wake
// window (80) and a write's (200) close on the tick the next row is taken.
int LateTicks(const QByteArray& frame)
{
    return frame[5] == 'w' ? 75 : 195;
}

QByteArray ReplyBytes(Reply reply, const QByteArray& frame)
{
    QByteArray good = GoodReply(frame);
    switch (reply) {
    case Reply::Good:
    case Reply::Uncodable: return good;
    case Reply::StartByteOnly: return Hex("01");
    case Reply::StopsMidFrame: return good.left(5);
    case Reply::TooLong: return Hex("01 FF") + QByteArray(100, '\0');
    case Reply::BadChecksum: good[good.size() - 1] = char(good.back() ^ 0x40); return good;
    case Reply::Echo: return frame;
    case Reply::Nak: return pbtest::CallReply(0x15);
    case Reply::NoDigit: return pbtest::CallNumberReply('x');
    case Reply::Nothing:
    case Reply::Late:
    case Reply::Later:
    case Reply::Silent: break;
    }
    return {};
}

QString ReportText(const pb::ExchangeReport& r)
{
    static const char* const kExchanges[] = {"ReadRow", "WriteRow", "CallNumber", "Call"};
    static const char* const kResults[] = {"Done",         "NoStartByte", "NoLengthByte",        "TooLong",   "Checksum",
                                           "NoRowOrValue", "Refused",     "CallDigitOutOfRange", "NotCodable"};
    return QString("%1 %2 row=%3 stored=%4 value=%5")
        .arg(kExchanges[int(r.exchange)], kResults[int(r.result)])
        .arg(r.row)
        .arg(r.storedRow)
        .arg(r.value);
}

// The rows read all and write all ask for, with the value each writes.
QList<pb::RowValue> ShownRows()
{
    QList<pb::RowValue> rows;
    for (int16_t r = 0; r <= kLastShownRow; ++r) {
        if (r != kHiddenRow)
            rows.append({r, int16_t((r + 1) % 4)});
    }
    return rows;
}

// One case on a fresh engine, as the lines of its trace.
class TraceRun : public pbtest::EngineRig {
public:
    QStringList run(const Task& task, Reply reply)
    {
        int frames = 0;
        line.answer = [&, reply](const QByteArray& frame) {
            const bool faulted = reply == Reply::Silent || frames++ == task.faultedFrame;
            if (faulted && (reply == Reply::Late || reply == Reply::Later)) {
                const int ticks = LateTicks(frame) + (reply == Reply::Later);
                line.ArriveAfter(ticks / 2, GoodReply(frame).left(1));
                line.ArriveAfter(ticks, GoodReply(frame).mid(1));
            }
            return ReplyBytes(faulted ? reply : Reply::Good, frame);
        };
        if (reply == Reply::Uncodable && task.ask == Ask::Read)
            unitType = 0; // no row has an item
        // no value to send for the uncodable write
        const int16_t written = reply == Reply::Uncodable ? int16_t(-1) : int16_t(kRow % 4);
        start(task.mode);
        line.Arrive(GoodReply(pbtest::ReadRequestFrame(kRow)) + Hex("41 0D")); // left from before
        switch (task.ask) {
        case Ask::Read: engine.request(pb::UnitRequest::ReadRow(kRow)); break;
        case Ask::Write: engine.request(pb::UnitRequest::WriteRow(kRow, written)); break;
        case Ask::ReadAll: engine.request(pb::UnitRequest::ReadAll(ShownRows)); break;
        case Ask::WriteAll: engine.request(pb::UnitRequest::WriteAll(ShownRows)); break;
        case Ask::TestCall:
            engine.request(pb::UnitRequest::TestCall([] { return pb::CallFields{"1234", "HELLO", -1}; }));
            break;
        }

        QStringList trace{QString("case %1 %2").arg(task.name, kReplyNames[int(reply)])};
        int tickNumber = 0;
        int reported = 0; // of line.sent
        auto sentSoFar = [&] {
            if (line.sent.size() > reported)
                trace << QString("tick %1 out: %2").arg(tickNumber).arg(QString(line.sent.mid(reported).toHex(' ').toUpper()));
            reported = int(line.sent.size());
        };
        engine.onReport = [&](const pb::ExchangeReport& report) {
            sentSoFar();
            trace << QString("tick %1 report: %2").arg(tickNumber).arg(ReportText(report));
        };
        for (tickNumber = 1; tickNumber <= kTicks; ++tickNumber) {
            tick();
            sentSoFar();
        }
        return trace;
    }
};

QString GoldenPath()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absoluteDir().filePath("../golden/engine-trace.txt");
}

TEST(EngineGoldenTrace, EveryTabAndReplyGivesTheRecordedBytesAndReportsTickByTick)
{
    QStringList trace;
    for (const Task& task : kTasks) {
        const bool monitorOnly = task.mode == ServingMode::Hold || task.mode == ServingMode::Monitor;
        for (int r = 0; r <= int(Reply::Silent); ++r) {
            const Reply reply = Reply(r);
            const bool singleRow = task.ask == Ask::Read || task.ask == Ask::Write;
            if ((monitorOnly && reply != Reply::Good) || (reply == Reply::Uncodable && (!singleRow || monitorOnly)))
                continue;
            trace << TraceRun().run(task, reply);
        }
    }

    QFile golden(GoldenPath());
    if (qEnvironmentVariableIsSet("PAGERBENCH_WRITE_GOLDEN")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(GoldenPath());
        golden.write((trace.join('\n') + '\n').toLatin1());
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << qPrintable(GoldenPath());
    const QStringList expected = QString::fromLatin1(golden.readAll()).split('\n', Qt::SkipEmptyParts);
    for (int i = 0; i < std::max(expected.size(), trace.size()); ++i) {
        const QString want = expected.value(i, "(end of trace)");
        const QString got = trace.value(i, "(end of trace)");
        ASSERT_EQ(got, want) << "first difference at line " << i + 1 << " of " << qPrintable(GoldenPath());
    }
}

} // namespace
