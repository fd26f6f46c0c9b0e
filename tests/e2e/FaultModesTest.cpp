// The fault modes of the virtual unit against the program: each one shows
// in the progress text or the port as the engine's failure handling says.
#include "ProgramOnUnit.h"

namespace {

using namespace pbtest;
using pb::unitsim::Fault;

class FaultModes : public ProgramOnUnit {
protected:
    void startWith(Fault fault, int hangupAfter = 3)
    {
        pb::unitsim::UnitOptions options;
        options.fault = fault;
        options.hangupAfterFrames = hangupAfter;
        options.statusEveryMs = 0;
        options.quiet = true;
        start(1, options);
        showTab(SettingsTab);
    }

    void requestRead(int row) { window().CmdReadSingleSetting[row]->click(); }
};

TEST_F(FaultModes, NoiseBeforeTheReplyIsSkipped)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::Noise));
    requestRead(13);
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_EQ(rows().SettingsInUnit[13], 3);
    EXPECT_FALSE(progressHas("ERROR"));
}

TEST_F(FaultModes, AWrongChecksumFailsTheRead)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::BadCheckSum));
    requestRead(13);
    EXPECT_TRUE(tickUntil([this] { return progressHas("ERROR [checksum]. "); }));
    EXPECT_EQ(rows().SettingsInUnit[13], -1);
    EXPECT_EQ(requests().of(13), pb::ReadRequest); // tried again
}

TEST_F(FaultModes, AnOverlongReplyFailsTheRead)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::TooLong));
    requestRead(13);
    EXPECT_TRUE(tickUntil([this] { return progressHas(" ERROR Len > Max. "); }));
    EXPECT_EQ(rows().SettingsInUnit[13], -1);
}

TEST_F(FaultModes, ASilentUnitTimesOut)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::Silent));
    requestRead(13);
    EXPECT_TRUE(tickUntil([this] { return progressHas("ERROR: Time-out [SOH]. "); }, 200));
    EXPECT_EQ(engine().ErrorCount(), 1);
}

TEST_F(FaultModes, AReplyThatStopsInMidFrameIsGivenUpAndTriedAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::Stall));
    requestRead(13);
    ASSERT_TRUE(tickUntil([this] { return progressHas("ERROR: Time-out [LEN]. "); }, 200));
    EXPECT_EQ(unit->counters().frames, 1);
    EXPECT_EQ(requests().of(13), pb::ReadRequest);
    EXPECT_TRUE(tickUntil([this] { return unit->counters().frames == 2; }, 200));
}

TEST_F(FaultModes, ALateReplyTimesOutAndIsTakenOnTheRetry)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::Late));
    requestRead(13);
    ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400));
    EXPECT_TRUE(progressHas("ERROR: Time-out [SOH]. "));
    EXPECT_EQ(rows().SettingsInUnit[13], 3);
}

TEST_F(FaultModes, AHangupClosesTheProgramsPort)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::Hangup, 2));
    requestRead(0);
    requestRead(13);
    ASSERT_TRUE(tickUntil([this] { return !program->port.isOpen(); }, 200));
    EXPECT_TRUE(tickUntil([this] { return logHas(QStringLiteral("Comport lost")); }, 10));
    EXPECT_EQ(unit->counters().frames, 2);
}

} // namespace
