// What the engine does tick by tick for a few requests: the bytes it sends,
// the frames it begins, its reports, the outcomes and the lines it logs, each
// on the tick it happens. Across every script no request ends twice, and
// with nothing left open every request has ended.
#include "link/EngineRig.h"
#include "link/FrameBytes.h"

#include <QStringList>
#include <functional>
#include <map>
#include <utility>
#include <gtest/gtest.h>

namespace {

using pbtest::Framed;
using pbtest::Hex;
using pbtest::ReadReply;
using pbtest::ReadRequestFrame;
using R = pb::UnitRequest;
constexpr auto Hold = pb::ServingMode::Hold;
constexpr auto Monitor = pb::ServingMode::Monitor;
constexpr auto Rows = pb::ServingMode::Rows;
constexpr auto RowsAndBulk = pb::ServingMode::RowsAndBulk;
constexpr auto Call = pb::ServingMode::Call;

const char* const kExchanges[] = {"ReadRow", "WriteRow", "CallNumber", "Call"};
const char* const kResults[] = {"Done",         "NoStartByte", "NoLengthByte",        "TooLong",   "Checksum",
                                "NoRowOrValue", "Refused",     "CallDigitOutOfRange", "NotCodable"};
const char* const kStatuses[] = {"Done", "Failed", "Cancelled"};

QByteArray Good(const QByteArray& frame)
{
    return pbtest::GoodReply(frame, 3);
}

QString Out(const QByteArray& bytes)
{
    return "out " + QString(bytes.toHex(' ').toUpper());
}

// Every frame is answered well one tick later unless the script says otherwise.
class Timeline : public pbtest::EngineRig {
public:
    Timeline()
    {
        line.answer = Good;
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
            ++outcomes_[o.id];
        };
        engine.onRowsDropped = [this] { note("dropped"); };
    }

    Timeline& begin(pb::ServingMode serving) { return start(serving), *this; }
    Timeline& serve(pb::ServingMode serving) { return mode = serving, *this; }
    Timeline& ask(R request) { return lastId_ = engine.request(std::move(request)), *this; }
    Timeline& answer(std::function<QByteArray(const QByteArray&)> reply) { return line.answer = reply, *this; }
    Timeline& cancel() { return engine.cancelRows(), *this; }
    Timeline& dropAll() { return engine.dropAll(), *this; }
    Timeline& run(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            ++now_;
            tick();
            note({});
        }
        return *this;
    }
    // What waits in the port, and whether a request is still open.
    Timeline& look()
    {
        note(QString("%1 waiting%2").arg(line.waiting.size()).arg(engine.busy() ? ", busy" : ""));
        return *this;
    }

    QStringList events;

    void checkEachEndedOnce()
    {
        for (pb::RequestId id = 1; id <= lastId_; ++id) {
            if (!engine.busy() || outcomes_.count(id)) {
                EXPECT_EQ(outcomes_[id], 1) << "request " << id;
            }
        }
    }

private:
    // Adds what went out or was logged since the last event, then `event`.
    void note(const QString& event)
    {
        if (line.sent.size() > sentSeen_)
            events << QString("%1 %2").arg(now_).arg(Out(line.sent.mid(sentSeen_)));
        sentSeen_ = int(line.sent.size());
        for (; logSeen_ < log.lines.size(); ++logSeen_)
            events << QString("%1 log %2").arg(now_).arg(log.lines[logSeen_]);
        if (!event.isEmpty())
            events << QString("%1 %2").arg(now_).arg(event);
    }

    int now_ = 0;
    int sentSeen_ = 0;
    qsizetype logSeen_ = 0;
    pb::RequestId lastId_ = 0;
    std::map<pb::RequestId, int> outcomes_;
};

struct Script {
    const char* name;
    std::function<void(Timeline&)> run;
    QStringList events;
};

// "2 a; 3 b" as its events.
QStringList Events(const char* events)
{
    return QString(events).split("; ");
}

QString At(int tick, const QByteArray& bytes)
{
    return QString("%1 %2").arg(tick).arg(Out(bytes));
}

QByteArray WriteFrame(int row, int value)
{
    return Framed(Hex("01 0D 01 00 02 57 1F") + char(row) + Hex("1E 77 1F") + char(value) + Hex("1E"));
}

QByteArray CallFrame(const QByteArray& record)
{
    return Framed(char(1) + QByteArray(1, char(5 + record.size())) + Hex("01 00 02") + record);
}

// `first` to the first frame, then `after` (silence when none) to the others.
std::function<QByteArray(const QByteArray&)> FirstThen(QByteArray first, QByteArray (*after)(const QByteArray&))
{
    return [first, after, used = false](const QByteArray& frame) mutable {
        const bool again = std::exchange(used, true);
        return !again ? first : after ? after(frame) : QByteArray();
    };
}

pb::CallFields Pager1234()
{
    return {"1234", {}, -1};
}

const QByteArray kCall1234 = CallFrame("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E");
const char* const kWake = "out 01 01 80 7F";
// A read of row 4 from rest: the wake-up, ten ticks, the frame.
const QStringList kReadRow4 = Events("2 out 01 01 80 7F; 12 start ReadRow 4; 12 out 01 09 01 00 02 77 1F 04 1E 3B");

const Script kScripts[] = {
    {"AReadIsStoredOnTheTickAfterItsReplyAndTheNextGoesOutThreeTicksLater",
     [](Timeline& t) { t.begin(Rows).ask(R::ReadRow(4)).run(16).ask(R::ReadRow(5)).run(3); },
     kReadRow4 + Events("16 report ReadRow Done; 16 outcome 1 Done [Done]; 19 start ReadRow 5")
         << At(19, ReadRequestFrame(5)) << "19 0 waiting, busy"},
    // Holding between, each request is taken up on the tick chosen: noise
    // before the start byte delays the reply a tick a byte, not the window.
    {"AReadKeepsTheUnitAwake80Ticks",
     [](Timeline& t) {
         t.answer([](const QByteArray& frame) { return Hex("55 AA") + Good(frame); });
         t.begin(Rows).ask(R::ReadRow(4)).run(18).serve(Hold).run(71);
         t.answer(Good).serve(Rows).ask(R::ReadRow(5)).run(7).serve(Hold).run(74); // taken up on tick 91
         t.serve(Rows).ask(R::ReadRow(6)).run(12); // taken up on tick 172, 80 after the frame
     },
     kReadRow4 + Events("18 report ReadRow Done; 18 outcome 1 Done [Done]; 92 start ReadRow 5")
         << At(92, ReadRequestFrame(5)) << Events("96 report ReadRow Done; 96 outcome 2 Done [Done]; 172 out 01 01 80 7F")
         << "182 start ReadRow 6" << At(182, ReadRequestFrame(6)) << "182 0 waiting, busy"},
    {"AWriteKeepsTheUnitAwake200Ticks",
     [](Timeline& t) {
         t.begin(Rows).ask(R::WriteRow(2, 1)).run(16).serve(Hold).run(193);
         t.serve(Rows).ask(R::WriteRow(2, 1)).run(7).serve(Hold).run(194); // taken up on tick 211
         t.serve(Rows).ask(R::ReadRow(5)).run(12); // taken up on tick 412
     },
     Events("2 out 01 01 80 7F; 12 start WriteRow 2=1")
         << At(12, Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E")))
         << Events("16 report WriteRow Done; 16 outcome 1 Done [Done]; 212 start WriteRow 2=1") << At(212, WriteFrame(2, 1))
         << Events("216 report WriteRow Done; 216 outcome 2 Done [Done]; 412 out 01 01 80 7F; 422 start ReadRow 5")
         << At(422, ReadRequestFrame(5)) << "422 0 waiting, busy"},
    // Noise counts against the time for the start byte, one byte a tick.
    {"AnUnansweredReadIsWokenAndAskedAgainEvery132Ticks",
     [](Timeline& t) {
         t.answer(FirstThen(QByteArray(300, '\x55'), nullptr));
         t.begin(Rows).ask(R::ReadRow(4)).run(132).look().run(132).cancel();
     },
     kReadRow4 + Events("132 report ReadRow NoStartByte; 132 180 waiting, busy; 134 out 01 01 80 7F; 144 start ReadRow 4")
         << At(144, ReadRequestFrame(4))
         << Events("264 report ReadRow NoStartByte; 264 outcome 1 Cancelled [NoStartByte NoStartByte]")},
    {"TheLengthByteIsAwaited120TicksFromTheStartByte",
     [](Timeline& t) {
         t.answer(nullptr).begin(Rows).line.ArriveAfter(42, Hex("01"));
         t.ask(R::ReadRow(4)).run(162);
     },
     kReadRow4 + Events("162 report ReadRow NoLengthByte; 162 0 waiting, busy")},
    {"TheRestIsAwaited120TicksFromTheLengthByte",
     [](Timeline& t) {
         t.answer(nullptr).begin(Rows).line.ArriveAfter(42, ReadReply(4, 3).left(8));
         t.ask(R::ReadRow(4)).run(163);
     },
     kReadRow4 + Events("163 report ReadRow NoLengthByte; 163 0 waiting, busy")},
    {"TricklingBytesDoNotExtendTheTimeOfTheRest",
     [](Timeline& t) {
         t.answer([&t](const QByteArray&) {
             for (int i = 2; i < 6; ++i)
                 t.line.ArriveAfter(1 + 25 * (i - 1), ReadReply(4, 3).mid(i, 1));
             return ReadReply(4, 3).left(2);
         });
         t.begin(Rows).ask(R::ReadRow(4)).run(134);
     },
     kReadRow4 + Events("134 report ReadRow NoLengthByte; 134 0 waiting, busy")},
    {"ARestArrivingInTimeCompletesTheFrame",
     [](Timeline& t) {
         t.answer([&t](const QByteArray&) {
             t.line.ArriveAfter(103, ReadReply(4, 3).mid(6));
             return ReadReply(4, 3).left(6);
         });
         t.begin(Rows).ask(R::ReadRow(4)).run(116);
     },
     kReadRow4 + Events("116 report ReadRow Done; 116 outcome 1 Done [Done]")},
    // A reply ends at its checksum or, too long, at the 99th byte; what
    // follows stays in the port.
    {"AReplyTakesTheLineUpToItsEndOrTheLongestFrame",
     [](Timeline& t) {
         t.answer([](const QByteArray& frame) { return Good(frame) + Hex("41"); });
         t.begin(Rows).ask(R::ReadRow(4)).run(16).look();
         t.answer([](const QByteArray&) { return Hex("01 78") + QByteArray(110, '\x20'); });
         t.ask(R::ReadRow(5)).run(6);
     },
     kReadRow4 + Events("16 report ReadRow Done; 16 outcome 1 Done [Done]; 16 1 waiting; 19 start ReadRow 5")
         << At(19, ReadRequestFrame(5)) << Events("22 report ReadRow TooLong; 22 13 waiting, busy")},

    // The test call: no wake-up before it; it waits for Call serving; a
    // click during a call leads to one more; its fields are taken as its
    // frame goes out, the call digit as it came.
    {"ACallWaitsForCallServingAndAClickDuringItLeadsToOneMore",
     [](Timeline& t) {
         t.begin(Rows).ask(R::TestCall(Pager1234)).run(40).serve(Call).run(3);
         t.ask(R::TestCall(Pager1234)).ask(R::TestCall(Pager1234)).run(20);
     },
     Events("42 out 01 06 01 00 02 32 C4; 44 outcome 2 Cancelled []; 45 report CallNumber Done")
         << At(46, kCall1234) << Events("49 report Call Done; 49 outcome 1 Done [Done Done]; 51 out 01 06 01 00 02 32 C4")
         << "54 report CallNumber Done" << At(55, kCall1234)
         << Events("58 report Call Done; 58 outcome 3 Done [Done Done]")},
    {"MessageBleepCodeAndACallDigitOutOfRangeGoIntoTheCall",
     [](Timeline& t) {
         QString message;
         t.answer([](const QByteArray& f) { return f[5] == '2' ? pbtest::CallNumberReply('x') : Good(f); });
         t.begin(Call).ask(R::TestCall([&message] { return pb::CallFields{"0123456789AB", message, 12}; }));
         message = "Hello";
         t.run(9);
     },
     Events("2 out 01 06 01 00 02 32 C4; 5 report CallNumber CallDigitOutOfRange")
         << At(6, CallFrame("A\x1F" "72\x1E" "1\x1F" "0123456789\x1E" "2\x1F" "Hello\x1E" "3\x1F" "C\x1E"))
         << Events("9 report Call Done; 9 outcome 1 Done [CallDigitOutOfRange Done]")},

    // Start, monitoring, holding.
    {"WithoutStartNothingHappens",
     [](Timeline& t) {
         t.serve(Rows).ask(R::ReadRow(4)).ask(R::ReadAll([] { return QList<pb::RowValue>{{4, -1}}; }));
         t.line.Arrive(Hex("41 42 0D"));
         t.run(300);
     },
     {"300 3 waiting, busy"}},
    {"AfterStartTheEngineWaitsTenTicks",
     [](Timeline& t) {
         t.line.Arrive(Hex("41 0D"));
         t.engine.start();
         t.serve(Monitor).run(10);
     },
     {"10 log A"}},
    {"MonitorAndIdleRowsLogTheUnitsLines",
     [](Timeline& t) {
         t.begin(Monitor).line.Arrive(QByteArray("Unit ready\r\nDiag"));
         t.run(1).serve(Rows).line.Arrive(QByteArray("x\x01\r"));
         t.run(2);
     },
     {"1 log Unit ready", "3 log Diagx[SOH]"}},
    {"HoldKeepsRequestsAndReceivedBytesWaiting",
     [](Timeline& t) {
         t.begin(Hold).ask(R::ReadRow(4)).line.Arrive(Hex("41 0D"));
         t.run(50).look().serve(Rows).run(12);
     },
     Events("50 2 waiting, busy; 52 out 01 01 80 7F; 62 start ReadRow 4") << At(62, ReadRequestFrame(4))
         << "62 0 waiting, busy"},

    // Bulk requests and the outcome contract.
    {"WriteAllTakesItsRowsWhenTakenUpAndWritesThemLowestFirst",
     [](Timeline& t) {
         QList<pb::RowValue> rows;
         t.begin(RowsAndBulk).ask(R::WriteAll([&rows] { return rows; }));
         rows = {{5, 1}, {0, 2}};
         t.run(24);
     },
     Events("3 out 01 01 80 7F; 13 start WriteRow 0=2") << At(13, WriteFrame(0, 2))
         << Events("17 report WriteRow Done; 20 start WriteRow 5=1") << At(20, WriteFrame(5, 1))
         << Events("24 report WriteRow Done; 24 outcome 1 Done [Done Done]")},
    {"CancelWhileAFrameIsOutEndsTheRequestOnlyAfterItsReply",
     [](Timeline& t) {
         t.begin(RowsAndBulk).ask(R::ReadAll([] { return QList<pb::RowValue>{{0, -1}, {1, -1}}; }));
         t.run(13).cancel().look().run(50);
     },
     Events("3 out 01 01 80 7F; 13 start ReadRow 0") << At(13, ReadRequestFrame(0))
         << Events("13 0 waiting, busy; 17 report ReadRow Done; 17 outcome 1 Cancelled [Done]")},
    {"DropAllGivesUpTheExchangeUnderWayAndWhatWaits",
     [](Timeline& t) {
         t.begin(Call).dropAll(); // nothing to drop: no word of it
         t.ask(R::TestCall(Pager1234)).ask(R::ReadRow(4)).run(2).dropAll();
         t.serve(Hold).run(10).look().serve(Rows).ask(R::ReadRow(5)).run(7);
     },
     Events("2 out 01 06 01 00 02 32 C4; 2 dropped; 2 outcome 1 Cancelled []; 2 outcome 2 Cancelled []; "
            "12 10 waiting; 15 start ReadRow 5")
         << At(15, ReadRequestFrame(5)) << Events("19 report ReadRow Done; 19 outcome 3 Done [Done]")},
    {"AReplyNamingAnotherPendingRowServesThatRow",
     [](Timeline& t) {
         t.answer(FirstThen(ReadReply(6, 2), Good));
         t.begin(Rows).ask(R::ReadRow(4)).ask(R::ReadRow(6)).run(23);
     },
     kReadRow4 + Events("16 report ReadRow Done; 16 outcome 2 Done [Done]; 19 start ReadRow 4")
         << At(19, ReadRequestFrame(4)) << Events("23 report ReadRow Done; 23 outcome 1 Done [Done Done]")},
    {"ANewerWriteOfTheRowWhileTheUnitWakesSendsTheNewerValue",
     [](Timeline& t) { t.begin(Rows).ask(R::WriteRow(2, 1)).run(5).ask(R::WriteRow(2, 3)).run(11); },
     Events("2 out 01 01 80 7F; 12 start WriteRow 2=3") << At(12, WriteFrame(2, 3))
         << Events("16 report WriteRow Done; 16 outcome 1 Cancelled [Done]; 16 outcome 2 Done [Done]")},
    {"ARowOutsideTheGridFailsAndANewRequestForARowOrBulkReplacesTheOld",
     [](Timeline& t) {
         t.begin(Hold).ask(R::ReadRow(pb::kGridRows)).ask(R::WriteRow(-1, 0)).ask(R::ReadRow(4));
         t.ask(R::WriteRow(4, 1)).ask(R::ReadAll({})).ask(R::ReadAll({})).run(1);
     },
     Events("1 outcome 1 Failed []; 1 outcome 2 Failed []; 1 outcome 3 Cancelled []; 1 outcome 5 Cancelled []; "
            "1 0 waiting, busy")},
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
        t.checkEachEndedOnce();
    }
}

} // namespace
