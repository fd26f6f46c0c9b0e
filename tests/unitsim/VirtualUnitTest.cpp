// The virtual unit on its own: requests in, replies and diagnose text out,
// on a clock the test moves.
#include "RequestBytes.h"

#include "settings/UnitCatalogue.h"
#include "settings/ValueCoding.h"
#include "unitsim/CommandLine.h"
#include "unitsim/VirtualUnit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace pbtest;
using pb::unitsim::Fault;
using pb::unitsim::Millis;
using pb::unitsim::UnitOptions;
using pb::unitsim::VirtualUnit;

constexpr size_t kReadReplySize = 14;
const Bytes kCrLf = "\r\n";

UnitOptions Options(int16_t type, Fault fault = Fault::None)
{
    UnitOptions options;
    options.unitType = type;
    options.fault = fault;
    options.statusEveryMs = 0;
    return options;
}

// What the unit says right after the bytes arrive.
Bytes Exchange(VirtualUnit& unit, const Bytes& request, Millis now)
{
    unit.receive(request, now);
    return unit.transmit(now);
}

TEST(VirtualUnitFrames, ReadReplyCarriesItemAtSevenAndValueAtElevenThenADiagnoseLine)
{
    VirtualUnit unit(Options(1), 0);
    const Bytes said = Exchange(unit, ReadRequest(13), 10);
    ASSERT_GE(said.size(), kReadReplySize);
    const Bytes reply = said.substr(0, kReadReplySize);
    EXPECT_EQ(reply.substr(0, 7), (Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 'w', 0x1F}));
    EXPECT_EQ(At(reply, 7), 13);
    EXPECT_EQ(At(reply, 11), 96);
    EXPECT_TRUE(SumsToZero(reply));
    EXPECT_EQ(said.substr(kReadReplySize), "READ 13 = 96" + kCrLf);
}

TEST(VirtualUnitFrames, WriteStoresTheValueAndAnswersWithACorrectFrame)
{
    VirtualUnit unit(Options(5), 0);
    const Bytes said = Exchange(unit, WriteRequest(5, 12), 10);
    ASSERT_GE(said.size(), kReadReplySize);
    const Bytes reply = said.substr(0, At(said, 1) + 1u);
    EXPECT_TRUE(SumsToZero(reply));
    EXPECT_EQ(At(reply, 4), 0x02);
    EXPECT_EQ(said.substr(reply.size()), "WRITE 5 = 12" + kCrLf);
    EXPECT_EQ(unit.value(5), 12);
    EXPECT_EQ(At(Exchange(unit, ReadRequest(5), 20), 11), 12);
}

TEST(VirtualUnitFrames, ItemAndValueBytesThatLookLikeControlBytesPassUnchanged)
{
    VirtualUnit unit(Options(3), 0);
    Exchange(unit, WriteRequest(0x01, 0x1E), 10);
    Exchange(unit, WriteRequest(0x1F, 0x01), 20);
    EXPECT_EQ(unit.value(0x01), 0x1E);
    EXPECT_EQ(unit.value(0x1F), 0x01);
    const Bytes reply = Exchange(unit, ReadRequest(0x01), 30);
    EXPECT_EQ(At(reply, 7), 0x01);
    EXPECT_EQ(At(reply, 11), 0x1E);
}

TEST(VirtualUnitFrames, NoiseBeforeTheFrameAndARequestInPiecesAreTakenAsOne)
{
    VirtualUnit unit(Options(1), 0);
    const Bytes request = ReadRequest(13);
    unit.receive("xyz\x1E" + request.substr(0, 4), 10);
    EXPECT_TRUE(unit.midFrame());
    EXPECT_EQ(unit.transmit(10), "");
    const Bytes said = Exchange(unit, request.substr(4), 20);
    EXPECT_EQ(At(said, 11), 96);
    EXPECT_EQ(unit.counters().frames, 1);
}

TEST(VirtualUnitFrames, AWrongChecksumGetsNoAnswer)
{
    VirtualUnit unit(Options(1), 0);
    Bytes request = ReadRequest(13);
    request.back() = char(request.back() + 1);
    EXPECT_EQ(Exchange(unit, request, 10), "CHECKSUM ERROR" + kCrLf);
    EXPECT_EQ(unit.counters().checkSumErrors, 1);
    EXPECT_EQ(unit.counters().served, 0);
}

TEST(VirtualUnitFrames, ALengthNoRequestHasIsDroppedAndTheNextFrameServed)
{
    VirtualUnit unit(Options(1), 0);
    EXPECT_EQ(Exchange(unit, Bytes{0x01, char(0xF0)}, 10), "FRAME ERROR" + kCrLf);
    EXPECT_EQ(At(Exchange(unit, ReadRequest(13), 20), 11), 96);
}

TEST(VirtualUnitFrames, AFrameThatStopsArrivingIsGivenUp)
{
    VirtualUnit unit(Options(1), 0);
    unit.receive(ReadRequest(13).substr(0, 6), 10);
    // Half a second later the bytes belong to a new frame, not to the old one.
    const Bytes said = Exchange(unit, ReadRequest(14), 10 + 600);
    EXPECT_EQ(At(said, 7), 14);
    EXPECT_EQ(unit.counters().frames, 1);
}

TEST(VirtualUnitCalls, CallNumberReplyHoldsAnAsciiDigitAtSeven)
{
    VirtualUnit unit(Options(3), 0);
    const Bytes said = Exchange(unit, CallNumberRequest(), 10);
    const Bytes reply = said.substr(0, At(said, 1) + 1u);
    EXPECT_TRUE(SumsToZero(reply));
    EXPECT_GE(At(reply, 7), '0');
    EXPECT_LE(At(reply, 7), '9');
    EXPECT_EQ(said.substr(reply.size()), Bytes("CALL NUMBER ") + reply[7] + kCrLf);
}

TEST(VirtualUnitCalls, PagerCallIsAcknowledgedAtFourAndReported)
{
    VirtualUnit unit(Options(3), 0);
    const Bytes said = Exchange(unit, PagerCall("1", "1234", "hello", "3"), 10);
    const Bytes reply = said.substr(0, At(said, 1) + 1u);
    EXPECT_TRUE(SumsToZero(reply));
    EXPECT_EQ(At(reply, 4), 0x06);
    EXPECT_EQ(said.substr(reply.size()), "CALL 1234 'hello' bleep 3" + kCrLf);
    ASSERT_EQ(unit.calls().size(), 1u);
    EXPECT_EQ(unit.calls()[0].callNumber, "1");
    EXPECT_EQ(unit.calls()[0].address, "1234");
    EXPECT_EQ(unit.calls()[0].message, "hello");
    EXPECT_EQ(unit.calls()[0].bleepCode, "3");
}

TEST(VirtualUnitCalls, ALongRunKeepsTheLatestCallsAndCountsThemAll)
{
    VirtualUnit unit(Options(3), 0);
    const int taken = int(pb::unitsim::kKeptCalls) + 5;
    for (int i = 0; i < taken; ++i)
        Exchange(unit, PagerCall("1", std::to_string(i), "", "1"), 10 + i);
    EXPECT_EQ(unit.counters().callsTaken, taken);
    ASSERT_EQ(unit.calls().size(), pb::unitsim::kKeptCalls);
    EXPECT_EQ(unit.calls().front().address, "5");
    EXPECT_EQ(unit.calls().back().address, std::to_string(taken - 1));
}

TEST(VirtualUnitCalls, ACallWithoutMessageHasAnEmptyOne)
{
    VirtualUnit unit(Options(3), 0);
    const Bytes said = Exchange(unit, PagerCall("7", "55", "", "FFFF"), 10);
    EXPECT_EQ(said.substr(At(said, 1) + 1u), "CALL 55 '' bleep FFFF" + kCrLf);
    ASSERT_EQ(unit.calls().size(), 1u);
    EXPECT_EQ(unit.calls()[0].message, "");
}

TEST(VirtualUnitCalls, TypesWithoutTestCallAndCallsWithoutAddressAreRefused)
{
    VirtualUnit espa(Options(1), 0);
    EXPECT_EQ(At(Exchange(espa, PagerCall("1", "1234", "hi", "1"), 10), 4), 0x15);
    VirtualUnit pagingUnit(Options(3), 0);
    const Bytes noAddress = Framed(Bytes{0x01, 0x09, 0x01, 0x00, 0x02} + Field('A', "1"));
    EXPECT_EQ(At(Exchange(pagingUnit, noAddress, 10), 4), 0x15);
    EXPECT_TRUE(espa.calls().empty());
    EXPECT_TRUE(pagingUnit.calls().empty());
}

TEST(VirtualUnitSleep, AsleepAfterSixSecondsItIgnoresReadsAndWritesUntilWokenUp)
{
    VirtualUnit unit(Options(1), 0);
    EXPECT_FALSE(unit.asleep(5999));
    EXPECT_EQ(unit.transmit(6000), "SLEEP" + kCrLf);
    EXPECT_TRUE(unit.asleep(6000));
    EXPECT_EQ(Exchange(unit, ReadRequest(13), 6100), "");
    EXPECT_EQ(Exchange(unit, WriteRequest(13, 48), 6200), "");
    EXPECT_EQ(unit.value(13), 96);
    EXPECT_EQ(unit.counters().ignoredAsleep, 2);

    EXPECT_EQ(Exchange(unit, kWakeUp, 6300), "WAKE" + kCrLf);
    EXPECT_FALSE(unit.asleep(6300));
    EXPECT_EQ(At(Exchange(unit, ReadRequest(13), 6400), 11), 96);
}

TEST(VirtualUnitSleep, EveryServedFrameAndWakeUpStartsTheSixSecondsAgain)
{
    VirtualUnit unit(Options(1), 0);
    Exchange(unit, ReadRequest(0), 5000);
    EXPECT_FALSE(unit.asleep(10999));
    Exchange(unit, kWakeUp, 10999);
    EXPECT_FALSE(unit.asleep(16998));
    EXPECT_TRUE(unit.asleep(16999));
    EXPECT_EQ(unit.counters().wakeUps, 1);
}

TEST(VirtualUnitSleep, CallsAreTakenAsleep)
{
    VirtualUnit unit(Options(3), 0);
    unit.transmit(7000);
    ASSERT_TRUE(unit.asleep(7000));
    EXPECT_EQ(At(Exchange(unit, CallNumberRequest(), 7000), 4), 0x02);
    EXPECT_EQ(At(Exchange(unit, PagerCall("1", "9", "", "1"), 7100), 4), 0x06);
}

TEST(VirtualUnitDiagnose, StatusLinesComeEveryFewSecondsButNeverInsideAFrame)
{
    UnitOptions options = Options(2);
    options.statusEveryMs = 2000;
    VirtualUnit unit(options, 0);
    EXPECT_EQ(unit.transmit(1999), "");
    EXPECT_EQ(unit.transmit(2000), "STATUS type 2 up 2 s frames 0 calls 0 awake" + kCrLf);
    EXPECT_EQ(unit.nextEventAt(2000), 4000);

    unit.receive(ReadRequest(13).substr(0, 3), 3990);
    EXPECT_EQ(unit.transmit(4000), "");
    const Bytes said = Exchange(unit, ReadRequest(13).substr(3), 4010);
    EXPECT_EQ(said.substr(kReadReplySize), "READ 13 = 96" + kCrLf);
    EXPECT_EQ(unit.transmit(4020), "STATUS type 2 up 4 s frames 1 calls 0 awake" + kCrLf);
}

TEST(VirtualUnitDiagnose, QuietSaysNothingButStillAnswers)
{
    UnitOptions options = Options(1);
    options.quiet = true;
    options.statusEveryMs = 1000;
    VirtualUnit unit(options, 0);
    EXPECT_EQ(Exchange(unit, ReadRequest(13), 5000).size(), kReadReplySize);
    EXPECT_EQ(unit.transmit(12000), "");
}

TEST(VirtualUnitFaults, NoiseComesBeforeTheReplyAndHoldsNoSoh)
{
    VirtualUnit unit(Options(1, Fault::Noise), 0);
    const Bytes said = Exchange(unit, ReadRequest(13), 10);
    const size_t soh = said.find('\x01');
    ASSERT_NE(soh, Bytes::npos);
    EXPECT_GT(soh, 0u);
    const Bytes reply = said.substr(soh, kReadReplySize);
    EXPECT_TRUE(SumsToZero(reply));
    EXPECT_EQ(At(reply, 11), 96);
}

TEST(VirtualUnitFaults, BadChecksumRepliesDoNotSumToZero)
{
    VirtualUnit unit(Options(1, Fault::BadCheckSum), 0);
    const Bytes said = Exchange(unit, ReadRequest(13), 10);
    EXPECT_EQ(At(said, 1), 13);
    EXPECT_FALSE(SumsToZero(said.substr(0, kReadReplySize)));
}

TEST(VirtualUnitFaults, AStalledReplyStopsInMidFrameForGood)
{
    UnitOptions options = Options(1, Fault::Stall);
    options.quiet = true;
    VirtualUnit unit(options, 0);
    const Bytes said = Exchange(unit, ReadRequest(13), 10);
    EXPECT_EQ(said.size(), 5u);
    EXPECT_EQ(At(said, 1), 13);
    EXPECT_EQ(unit.transmit(60000), "");
}

TEST(VirtualUnitFaults, ATooLongReplyRunsPastNinetyEightBytesWithAGoodChecksum)
{
    UnitOptions options = Options(1, Fault::TooLong);
    options.quiet = true;
    VirtualUnit unit(options, 0);
    const Bytes said = Exchange(unit, ReadRequest(13), 10);
    EXPECT_EQ(At(said, 1), 120);
    EXPECT_EQ(said.size(), 121u);
    EXPECT_TRUE(SumsToZero(said));
}

TEST(VirtualUnitFaults, ASilentUnitAnswersNothing)
{
    UnitOptions options = Options(3, Fault::Silent);
    options.quiet = true;
    VirtualUnit unit(options, 0);
    EXPECT_EQ(Exchange(unit, ReadRequest(13), 10), "");
    EXPECT_EQ(Exchange(unit, CallNumberRequest(), 20), "");
    EXPECT_EQ(unit.transmit(60000), "");
}

TEST(VirtualUnitFaults, ALateReplyWaitsAndItsDiagnoseLineWaitsBehindIt)
{
    UnitOptions options = Options(1, Fault::Late);
    options.lateByMs = 3500;
    VirtualUnit unit(options, 0);
    EXPECT_EQ(Exchange(unit, ReadRequest(13), 100), "");
    EXPECT_EQ(unit.nextEventAt(200), 3600);
    EXPECT_EQ(unit.transmit(3599), "");
    const Bytes said = unit.transmit(3600);
    EXPECT_EQ(At(said, 11), 96);
    EXPECT_EQ(said.substr(kReadReplySize), "READ 13 = 96" + kCrLf);
}

TEST(VirtualUnitFaults, RefusedCallsCarryNakAtFourAndArePlacedNowhere)
{
    VirtualUnit unit(Options(3, Fault::RefuseCall), 0);
    const Bytes said = Exchange(unit, PagerCall("1", "1234", "x", "1"), 10);
    EXPECT_EQ(At(said, 4), 0x15);
    EXPECT_EQ(said.substr(At(said, 1) + 1u), "CALL REFUSED 1234" + kCrLf);
    EXPECT_TRUE(unit.calls().empty());
}

TEST(VirtualUnitFaults, BadDigitPutsANonDigitAtSeven)
{
    VirtualUnit unit(Options(3, Fault::BadDigit), 0);
    const unsigned char digit = At(Exchange(unit, CallNumberRequest(), 10), 7);
    EXPECT_FALSE(digit >= '0' && digit <= '9');
}

TEST(VirtualUnitFaults, HangupClosesTheLineAfterTheGivenFramesAndHearsNoMore)
{
    UnitOptions options = Options(1, Fault::Hangup);
    options.hangupAfterFrames = 2;
    VirtualUnit unit(options, 0);
    Exchange(unit, ReadRequest(1), 10);
    EXPECT_FALSE(unit.lineClosed());
    unit.receive(ReadRequest(2), 20);
    EXPECT_FALSE(unit.lineClosed()); // the second reply is still to go out
    EXPECT_EQ(At(unit.transmit(20), 7), 2);
    EXPECT_TRUE(unit.lineClosed());
    EXPECT_EQ(Exchange(unit, ReadRequest(3), 30), "");
    EXPECT_EQ(unit.counters().frames, 2);
}

// What each step brings back, as a letter: '-' nothing, '=' the bytes sent, 'F' a
// frame, 'G' bytes all beyond ASCII (so no SOH and no text), 'T' anything else.
TEST(VirtualUnitFaults, EchoGarbledDeepSleepAndTextOnlyAsAShortCheckHearsThem)
{
    const Bytes read = ReadRequest(13);
    const std::pair<Millis, Bytes> steps[] = {{10, CallNumberRequest()}, {20, kWakeUp}, {30, read}, {40, kWakeUp},
        {50, read}, {450, ""}, {7000, kWakeUp}, {7010, read}, {7020, kWakeUp}, {7030, read}};
    const std::pair<const char*, std::string> cases[] = {{"echo", "=====-===="}, {"garbled", "G-G-G-GGGG"},
        {"deep-sleep", "---TF-TTTF"}, {"text-only", "-----TTT--"}};
    for (const auto& [name, expected] : cases) {
        VirtualUnit unit(UnitOptions{3, pb::unitsim::FaultFromName(name).value_or(Fault::None)}, 0);
        std::string heard;
        for (const auto& [at, sent] : steps) {
            const Bytes said = Exchange(unit, sent, at);
            const bool garbage = std::all_of(said.begin(), said.end(), [](char c) { return uint8_t(c) >= 0x80; });
            heard += said.empty() ? '-' : said == sent ? '=' : At(said, 0) == 0x01 ? 'F' : garbage ? 'G' : 'T';
        }
        EXPECT_EQ(heard, expected) << name;
    }
}

TEST(VirtualUnitFaults, EveryFaultIsNamedAndItsNameReadsBack)
{
    for (Fault fault : {Fault::Noise, Fault::BadCheckSum, Fault::Stall, Fault::TooLong, Fault::Silent,
                        Fault::Late, Fault::RefuseCall, Fault::BadDigit, Fault::Hangup}) {
        const std::string_view name = pb::unitsim::FaultName(fault);
        EXPECT_EQ(pb::unitsim::FaultFromName(name), fault) << name;
    }
    EXPECT_EQ(pb::unitsim::FaultName(Fault::None), "none");
    EXPECT_FALSE(pb::unitsim::FaultFromName("none").has_value()); // no fault is the default, not an option
}

TEST(VirtualUnitMemory, StartValuesAreInTheUnitsOwnCoding)
{
    for (int16_t type : {1, 2, 5, 6}) {
        VirtualUnit unit(Options(type), 0);
        EXPECT_EQ(unit.value(13), 96) << "type " << type;
        EXPECT_EQ(unit.value(18), 20) << "type " << type;
        EXPECT_EQ(unit.value(0), 1) << "type " << type;
    }
    VirtualUnit identity(Options(3), 0);
    EXPECT_EQ(identity.value(13), 3);
    VirtualUnit door(Options(0), 0);
    for (int item = 0; item < 26; ++item)
        EXPECT_EQ(door.value(item), 0);
}

TEST(VirtualUnitMemory, EveryStartValueShowsAsAnOptionOfItsRow)
{
    pb::TextTable english;
    int16_t language = 0;
    pb::LoadTexts(english, language);
    for (int16_t type = 1; type <= 6; ++type) {
        VirtualUnit unit(Options(type), 0);
        const pb::GridDefinition rows = pb::GridRows(type, english);
        for (int16_t row = 0; row < pb::kGridRows; ++row) {
            if (rows[row].state != pb::RowState::Shown)
                continue;
            const int16_t position = pb::DecodeValue(type, row, unit.value(row));
            EXPECT_GE(position, 0) << "type " << type << " row " << row;
            EXPECT_LT(position, rows[row].options.size()) << "type " << type << " row " << row;
        }
    }
}

TEST(UnitsimCommandLine, OptionsAndTheirMistakes)
{
    const char* good[] = {"unitsim", "--type", "3", "--fault", "refuse-call", "--status-every", "2.5",
                          "--link", "/tmp/u", "--quiet"};
    pb::unitsim::SimulatorOptions options;
    EXPECT_EQ(pb::unitsim::ParseCommandLine(10, good, options), "");
    EXPECT_EQ(options.unit.unitType, 3);
    EXPECT_EQ(options.unit.fault, Fault::RefuseCall);
    EXPECT_EQ(options.unit.statusEveryMs, 2500);
    EXPECT_EQ(options.linkPath, "/tmp/u");
    EXPECT_TRUE(options.unit.quiet);

    const char* hangup[] = {"unitsim", "--hangup-after", "4"};
    pb::unitsim::SimulatorOptions afterFour;
    EXPECT_EQ(pb::unitsim::ParseCommandLine(3, hangup, afterFour), "");
    EXPECT_EQ(afterFour.unit.fault, Fault::Hangup);
    EXPECT_EQ(afterFour.unit.hangupAfterFrames, 4);

    pb::unitsim::SimulatorOptions bad;
    const char* unknownFault[] = {"unitsim", "--fault", "smoke"};
    EXPECT_EQ(pb::unitsim::ParseCommandLine(3, unknownFault, bad), "unknown fault smoke");
    const char* typeTooHigh[] = {"unitsim", "--type", "7"};
    EXPECT_NE(pb::unitsim::ParseCommandLine(3, typeTooHigh, bad), "");
    const char* missingValue[] = {"unitsim", "--device"};
    EXPECT_EQ(pb::unitsim::ParseCommandLine(2, missingValue, bad), "--device needs a value");
}

} // namespace
