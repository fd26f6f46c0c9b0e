// What the engine does tick by tick for one request or a few: the bytes it
// sends, the frames it begins, its reports, the outcomes and the lines it
// logs, each on the tick it happens. Across every script no request ends
// twice, and a request ends once nothing of it is pending or on the wire.
#include "link/EngineRig.h"
#include "link/FrameBytes.h"

#include <QStringList>
#include <functional>
#include <map>
#include <gtest/gtest.h>

namespace {

using pb::ServingMode;
using pb::UnitRequest;
using pbtest::Framed;
using pbtest::Hex;
using pbtest::ReadReply;
using pbtest::ReadRequestFrame;

const char* const kExchanges[] = {"ReadRow", "WriteRow", "CallNumber", "Call"};
const char* const kResults[] = {"Done",         "NoStartByte", "NoLengthByte",        "TooLong",   "Checksum",
                                "NoRowOrValue", "Refused",     "CallDigitOutOfRange", "NotCodable"};
const char* const kStatuses[] = {"Done", "Failed", "Cancelled"};

QString Out(const QByteArray& bytes)
{
    return "out " + QString(bytes.toHex(' ').toUpper());
}

// Every frame is answered well one tick later unless a script says otherwise:
// a read with the value 3.
QByteArray GoodReply(const QByteArray& frame)
{
    switch (frame[5]) {
    case 'w': return ReadReply(uint8_t(frame[7]), 3);
    case 'W': return pbtest::WriteReply();
    case '2': return pbtest::CallNumberReply('5');
    }
    return pbtest::CallReply(pb::kACK);
}

class Timeline : public pbtest::EngineRig {
public:
    Timeline()
    {
        line.answer = GoodReply;
        engine.onExchangeStart = [this](const pb::ExchangeStart& s) {
            note(QString("start %1 %2").arg(kExchanges[int(s.exchange)]).arg(s.row)
                 + (s.value >= 0 ? QString("=%1").arg(s.value) : QString()));
        };
        engine.onReport = [this](const pb::ExchangeReport& r) {
            note(QString("report %1 %2").arg(kExchanges[int(r.exchange)], kResults[int(r.result)]));
        };
        engine.onOutcome = [this](const pb::RequestOutcome& o) {
            QStringList why;
            for (const pb::ExchangeReport& r : o.reports)
                why << kResults[int(r.result)];
            note(QString("outcome %1 %2 [%3]").arg(o.id).arg(kStatuses[int(o.status)], why.join(' ')));
            ++outcomeCount[o.id];
        };
        engine.onRowsDropped = [this] { note("dropped"); };
    }

    pb::RequestId ask(UnitRequest request)
    {
        const pb::RequestId id = engine.request(std::move(request));
        lastId = id;
        return id;
    }

    void run(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            ++now;
            tick();
            note({});
        }
    }

    // What waits in the port, and whether a request is still open.
    void look() { note(QString("%1 waiting%2").arg(line.waiting.size()).arg(engine.busy() ? ", busy" : "")); }

    // Adds what went out or was logged since the last event, then `event`.
    void note(const QString& event)
    {
        if (line.sent.size() > sentSeen)
            events << QString("%1 %2").arg(now).arg(Out(line.sent.mid(sentSeen)));
        sentSeen = int(line.sent.size());
        for (; logSeen < log.lines.size(); ++logSeen)
            events << QString("%1 log %2").arg(now).arg(log.lines[logSeen]);
        if (!event.isEmpty())
            events << QString("%1 %2").arg(now).arg(event);
    }

    int now = 0;
    int sentSeen = 0;
    qsizetype logSeen = 0;
    QStringList events;
    pb::RequestId lastId = 0;
    std::map<pb::RequestId, int> outcomeCount;
};

struct Script {
    const char* name;
    std::function<void(Timeline&)> run;
    QStringList events;
};

QString At(int tick, const QByteArray& bytes)
{
    return QString("%1 %2").arg(tick).arg(Out(bytes));
}

const QString kWake = Out(Hex("01 01 80 7F"));
// A read of row 4 from rest: the wake-up, ten ticks, the frame.
const QStringList kReadRow4 = {"2 " + kWake, "12 start ReadRow 4", "12 out 01 09 01 00 02 77 1F 04 1E 3B"};

void Silent(Timeline& t)
{
    t.line.answer = nullptr;
}

QByteArray CallFrame(const QByteArray& record)
{
    return Framed(char(1) + QByteArray(1, char(5 + record.size())) + Hex("01 00 02") + record);
}

const Script kScripts[] = {
    {"ReadStoredOnTheTickAfterTheReplyThenANextReadWithoutWakeUp",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(16);
         t.ask(UnitRequest::ReadRow(5));
         t.run(3); // pick, no delay, send
     },
     kReadRow4 + QStringList{"16 report ReadRow Done", "16 outcome 1 Done [Done]", "19 start ReadRow 5",
                             At(19, ReadRequestFrame(5)), "19 0 waiting, busy"}},
    {"AReadKeepsTheUnitAwake80Ticks",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(16);
         t.mode = ServingMode::Hold; // so the next request is taken up on the tick chosen
         t.run(73);
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::ReadRow(5)); // taken up on tick 91, the window's last
         t.run(7);
         t.mode = ServingMode::Hold;
         t.run(74);
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::ReadRow(6)); // taken up on tick 172, 80 after the frame
         t.run(16);
     },
     kReadRow4 + QStringList{"16 report ReadRow Done", "16 outcome 1 Done [Done]", "92 start ReadRow 5",
                             At(92, ReadRequestFrame(5)), "96 report ReadRow Done", "96 outcome 2 Done [Done]",
                             "172 " + kWake, "182 start ReadRow 6", At(182, ReadRequestFrame(6)),
                             "186 report ReadRow Done", "186 outcome 3 Done [Done]"}},
    {"AWriteKeepsTheUnitAwake200Ticks",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::WriteRow(2, 1));
         t.run(16);
         t.mode = ServingMode::Hold;
         t.run(193);
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::WriteRow(2, 1)); // taken up on tick 211
         t.run(7);
         t.mode = ServingMode::Hold;
         t.run(194);
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::ReadRow(5)); // taken up on tick 412
         t.run(16);
     },
     {"2 " + kWake, "12 start WriteRow 2=1", At(12, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E"))),
      "16 report WriteRow Done", "16 outcome 1 Done [Done]", "212 start WriteRow 2=1",
      At(212, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E"))), "216 report WriteRow Done",
      "216 outcome 2 Done [Done]", "412 " + kWake, "422 start ReadRow 5", At(422, ReadRequestFrame(5)),
      "426 report ReadRow Done", "426 outcome 3 Done [Done]"}},
    {"NoiseBeforeTheStartByteIsDroppedOneByteATick",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray& frame) { return Hex("55 AA") + GoodReply(frame); };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(18);
     },
     kReadRow4 + QStringList{"18 report ReadRow Done", "18 outcome 1 Done [Done]"}},
    {"AnUnansweredReadIsWokenAndAskedAgainEvery132Ticks",
     [](Timeline& t) {
         Silent(t);
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(264);
         t.engine.cancelRows();
     },
     kReadRow4 + QStringList{"132 report ReadRow NoStartByte", "134 " + kWake, "144 start ReadRow 4",
                             At(144, ReadRequestFrame(4)), "264 report ReadRow NoStartByte",
                             "264 outcome 1 Cancelled [NoStartByte NoStartByte]"}},
    {"AnUnansweredWriteIsWokenToo",
     [](Timeline& t) {
         Silent(t);
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::WriteRow(2, 1));
         t.run(145);
     },
     {"2 " + kWake, "12 start WriteRow 2=1", At(12, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E"))),
      "132 report WriteRow NoStartByte", "134 " + kWake, "144 start WriteRow 2=1",
      At(144, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E"))), "145 0 waiting, busy"}},
    {"NoiseCountsAgainstTheStartTime",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray&) { return QByteArray(300, '\x55'); };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(132);
     },
     kReadRow4 + QStringList{"132 report ReadRow NoStartByte", "132 180 waiting, busy"}},
    {"TheLengthByteIsAwaited120TicksFromTheStartByte",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray&) { return QByteArray(); };
         t.start(ServingMode::Rows);
         t.line.ArriveAfter(42, Hex("01"));
         t.ask(UnitRequest::ReadRow(4));
         t.run(162);
     },
     kReadRow4 + QStringList{"162 report ReadRow NoLengthByte", "162 0 waiting, busy"}},
    {"TheRestIsAwaited120TicksFromTheLengthByte",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray&) { return QByteArray(); };
         t.start(ServingMode::Rows);
         t.line.ArriveAfter(42, ReadReply(4, 3).left(8));
         t.ask(UnitRequest::ReadRow(4));
         t.run(163);
     },
     kReadRow4 + QStringList{"163 report ReadRow NoLengthByte", "163 0 waiting, busy"}},
    {"TricklingBytesDoNotExtendTheTimeOfTheRest",
     [](Timeline& t) {
         t.line.answer = [&t](const QByteArray&) {
             const QByteArray reply = ReadReply(4, 3);
             for (int i = 2; i < 6; ++i)
                 t.line.ArriveAfter(1 + 25 * (i - 1), reply.mid(i, 1));
             return reply.left(2);
         };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(134);
     },
     kReadRow4 + QStringList{"134 report ReadRow NoLengthByte", "134 0 waiting, busy"}},
    {"ARestArrivingInTimeCompletesTheFrame",
     [](Timeline& t) {
         t.line.answer = [&t](const QByteArray&) {
             t.line.ArriveAfter(103, ReadReply(4, 3).mid(6));
             return ReadReply(4, 3).left(6);
         };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(116);
     },
     kReadRow4 + QStringList{"116 report ReadRow Done", "116 outcome 1 Done [Done]"}},
    {"AReplyTakesTheLineUpToItsEnd",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray& frame) { return GoodReply(frame) + Hex("41"); };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(16);
     },
     kReadRow4 + QStringList{"16 report ReadRow Done", "16 outcome 1 Done [Done]", "16 1 waiting"}},
    {"AReplyTakesTheLineUpToTheLongestFrame",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray&) { return Hex("01 78") + QByteArray(110, '\x20'); };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.run(15);
     },
     kReadRow4 + QStringList{"15 report ReadRow TooLong", "15 13 waiting, busy"}},

    // The test call: no wake-up before it; the fields as they are when the
    // call frame goes out.
    {"ACallTakesItsNumberThenGoesOut",
     [](Timeline& t) {
         t.start(ServingMode::Call);
         t.ask(UnitRequest::TestCall([] { return pb::CallFields{"1234", {}, -1}; }));
         t.run(9);
     },
     {"2 out 01 06 01 00 02 32 C4", "5 report CallNumber Done",
      At(6, CallFrame("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E")), "9 report Call Done",
      "9 outcome 1 Done [Done Done]"}},
    {"MessageAndBleepCodeGoWithTheCall",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray& frame) {
             return frame[5] == '2' ? pbtest::CallNumberReply(0x30) : GoodReply(frame);
         };
         t.start(ServingMode::Call);
         QString message;
         t.ask(UnitRequest::TestCall([&message] { return pb::CallFields{"0123456789AB", message, 12}; }));
         message = "Hello";
         t.run(9);
     },
     {"2 out 01 06 01 00 02 32 C4", "5 report CallNumber Done",
      At(6, CallFrame("A\x1F" "0\x1E" "1\x1F" "0123456789\x1E" "2\x1F" "Hello\x1E" "3\x1F" "C\x1E")),
      "9 report Call Done", "9 outcome 1 Done [Done Done]"}},
    {"ACallDigitOutOfRangeGoesIntoTheCallAsItCame",
     [](Timeline& t) {
         t.line.answer = [](const QByteArray& frame) {
             return frame[5] == '2' ? pbtest::CallNumberReply('x') : GoodReply(frame);
         };
         t.start(ServingMode::Call);
         t.ask(UnitRequest::TestCall([] { return pb::CallFields{"1234", {}, -1}; }));
         t.run(9);
     },
     {"2 out 01 06 01 00 02 32 C4", "5 report CallNumber CallDigitOutOfRange",
      At(6, CallFrame("A\x1F" "72\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E")), "9 report Call Done",
      "9 outcome 1 Done [CallDigitOutOfRange Done]"}},
    {"ACallWaitsForCallServingAndAClickDuringItLeadsToOneMore",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         const auto call = [] { return pb::CallFields{"1234", {}, -1}; };
         t.ask(UnitRequest::TestCall(call));
         t.run(40);
         t.mode = ServingMode::Call;
         t.run(3);
         t.ask(UnitRequest::TestCall(call));
         t.ask(UnitRequest::TestCall(call));
         t.run(20);
     },
     {"42 out 01 06 01 00 02 32 C4", "44 outcome 2 Cancelled []", "45 report CallNumber Done",
      At(46, CallFrame("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E")), "49 report Call Done",
      "49 outcome 1 Done [Done Done]", "51 out 01 06 01 00 02 32 C4", "54 report CallNumber Done",
      At(55, CallFrame("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E")), "58 report Call Done",
      "58 outcome 3 Done [Done Done]"}},

    // Start, monitoring, holding.
    {"WithoutStartNothingHappens",
     [](Timeline& t) {
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::ReadRow(4));
         t.ask(UnitRequest::ReadAll([] { return QList<pb::RowValue>{{4, -1}}; }));
         t.line.Arrive(Hex("41 42 0D"));
         t.run(300);
     },
     {"300 3 waiting, busy"}},
    {"AfterStartTheEngineWaitsTenTicks",
     [](Timeline& t) {
         t.mode = ServingMode::Monitor;
         t.line.Arrive(Hex("41 0D"));
         t.engine.start();
         t.run(10);
     },
     {"10 log A"}},
    {"MonitorLogsTheUnitsLinesAndKeepsTheUnfinishedOne",
     [](Timeline& t) {
         t.start(ServingMode::Monitor);
         t.line.Arrive(QByteArray("Unit ready\r\nDiag"));
         t.run(5);
     },
     {"1 log Unit ready"}},
    {"RowsIdleLogsTheUnitsLinesToo",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.line.Arrive(QByteArray("x\x01\r"));
         t.run(2);
     },
     {"2 log x[SOH]"}},
    {"HoldKeepsRequestsAndReceivedBytesWaiting",
     [](Timeline& t) {
         t.start(ServingMode::Hold);
         t.ask(UnitRequest::ReadRow(4));
         t.line.Arrive(Hex("41 0D"));
         t.run(50);
         t.look();
         t.mode = ServingMode::Rows;
         t.run(12);
     },
     {"50 2 waiting, busy", "52 " + kWake, "62 start ReadRow 4", At(62, ReadRequestFrame(4)), "62 0 waiting, busy"}},

    // Bulk requests and the outcome contract.
    {"WriteAllTakesItsRowsWhenTakenUpAndWritesThemLowestFirst",
     [](Timeline& t) {
         t.start(ServingMode::RowsAndBulk);
         QList<pb::RowValue> rows;
         t.ask(UnitRequest::WriteAll([&rows] { return rows; }));
         rows = {{5, 1}, {0, 2}};
         t.run(24);
     },
     {"3 " + kWake, "13 start WriteRow 0=2", At(13, Framed(Hex("01 0D 01 00 02 57 1F 00 1E 77 1F 02 1E"))),
      "17 report WriteRow Done", "20 start WriteRow 5=1", At(20, Framed(Hex("01 0D 01 00 02 57 1F 05 1E 77 1F 01 1E"))),
      "24 report WriteRow Done", "24 outcome 1 Done [Done Done]"}},
    {"CancelWhileAFrameIsOutEndsTheRequestOnlyAfterItsReply",
     [](Timeline& t) {
         t.start(ServingMode::RowsAndBulk);
         t.ask(UnitRequest::ReadAll([] { return QList<pb::RowValue>{{0, -1}, {1, -1}}; }));
         t.run(13);
         t.engine.cancelRows();
         t.look();
         t.run(50);
     },
     {"3 " + kWake, "13 start ReadRow 0", At(13, ReadRequestFrame(0)), "13 0 waiting, busy",
      "17 report ReadRow Done", "17 outcome 1 Cancelled [Done]"}},
    {"DropAllGivesUpTheExchangeUnderWayAndWhatWaits",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.engine.dropAll(); // nothing to drop: no word of it
         t.ask(UnitRequest::ReadRow(4));
         t.ask(UnitRequest::TestCall([] { return pb::CallFields{"1234", {}, -1}; }));
         t.run(12);
         t.engine.dropAll();
         t.mode = ServingMode::Hold;
         t.run(10);
         t.look(); // the reply came, and is not taken
         t.mode = ServingMode::Rows;
         t.ask(UnitRequest::ReadRow(5));
         t.run(7);
     },
     kReadRow4 + QStringList{"12 dropped", "12 outcome 1 Cancelled []", "12 outcome 2 Cancelled []",
                             "22 14 waiting", "25 start ReadRow 5", At(25, ReadRequestFrame(5)), "29 report ReadRow Done",
                             "29 outcome 3 Done [Done]"}},
    {"DropAllGivesUpACallUnderWay",
     [](Timeline& t) {
         t.start(ServingMode::Call);
         t.ask(UnitRequest::TestCall([] { return pb::CallFields{"1234", {}, -1}; }));
         t.run(2);
         t.engine.dropAll();
     },
     {"2 out 01 06 01 00 02 32 C4", "2 dropped", "2 outcome 1 Cancelled []"}},
    {"AReplyNamingAnotherPendingRowServesThatRow",
     [](Timeline& t) {
         t.line.answer = [&t](const QByteArray&) {
             t.line.answer = GoodReply;
             return ReadReply(6, 2);
         };
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::ReadRow(4));
         t.ask(UnitRequest::ReadRow(6));
         t.run(23);
     },
     kReadRow4 + QStringList{"16 report ReadRow Done", "16 outcome 2 Done [Done]", "19 start ReadRow 4",
                             At(19, ReadRequestFrame(4)), "23 report ReadRow Done", "23 outcome 1 Done [Done Done]"}},
    {"ANewerWriteOfTheRowWhileTheUnitWakesSendsTheNewerValue",
     [](Timeline& t) {
         t.start(ServingMode::Rows);
         t.ask(UnitRequest::WriteRow(2, 1));
         t.run(5);
         t.ask(UnitRequest::WriteRow(2, 3));
         t.run(11);
     },
     {"2 " + kWake, "12 start WriteRow 2=3", At(12, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 03 1E"))),
      "16 report WriteRow Done", "16 outcome 1 Cancelled [Done]", "16 outcome 2 Done [Done]"}},
    {"ARowOutsideTheGridFailsAndANewRequestForARowReplacesTheOld",
     [](Timeline& t) {
         t.start(ServingMode::Hold);
         t.ask(UnitRequest::ReadRow(pb::kGridRows));
         t.ask(UnitRequest::WriteRow(-1, 0));
         t.ask(UnitRequest::ReadRow(4));
         t.ask(UnitRequest::WriteRow(4, 1));
         t.ask(UnitRequest::ReadAll({}));
         t.ask(UnitRequest::ReadAll({}));
         t.run(1);
     },
     {"1 outcome 1 Failed []", "1 outcome 2 Failed []", "1 outcome 3 Cancelled []", "1 outcome 5 Cancelled []",
      "1 0 waiting, busy"}},
};

TEST(EngineTimeline, EachScriptGivesItsEventsTickByTickAndEachRequestOneOutcome)
{
    for (const Script& script : kScripts) {
        SCOPED_TRACE(script.name);
        Timeline t;
        script.run(t);
        if (t.engine.busy() || !t.line.waiting.empty())
            t.look();
        EXPECT_EQ(t.events, script.events);
        for (pb::RequestId id = 1; id <= t.lastId; ++id) {
            if (!t.engine.busy() || t.outcomeCount.count(id)) {
                EXPECT_EQ(t.outcomeCount[id], 1) << "request " << id;
            }
        }
    }
}

} // namespace
