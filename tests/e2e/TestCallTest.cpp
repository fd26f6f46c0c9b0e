// The pager test call on the "Service" tab: call number, then the call, and
// the unit's own report of it in the message window.
#include "ProgramOnUnit.h"

#include "files/Windows1252.h"

namespace {

using namespace pbtest;
using pb::unitsim::Fault;

class TestCall : public ProgramOnUnit {
protected:
    void startWith(Fault fault)
    {
        pb::unitsim::UnitOptions options;
        options.fault = fault;
        options.statusEveryMs = 0;
        start(3, options);
    }

    void placeCall(const QString& address, const QString& message, int bleepPosition)
    {
        showTab(ServiceTab);
        window().TxtTestPagerAdres->setText(address);
        window().TxtTestPagerDisplayInfo->setText(message);
        window().ComboTestBleepCode->setCurrentIndex(bleepPosition);
        window().CmdTestOproepPager->click();
        ASSERT_TRUE(requests().testCallPending());
        ASSERT_TRUE(tickUntil([this] { return allServed() && unit->counters().served >= 2; }));
    }
};

TEST_F(TestCall, TheUnitReceivesAddressMessageAndBleepCode)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::None));
    ASSERT_NO_FATAL_FAILURE(placeCall(QStringLiteral("1234"), QStringLiteral("Grüße"), 3));

    ASSERT_EQ(unit->calls().size(), 1u);
    const pb::unitsim::ReceivedCall& call = unit->calls()[0];
    EXPECT_EQ(call.address, "1234");
    EXPECT_EQ(call.message, pb::toWindows1252(QStringLiteral("Grüße")).toStdString());
    EXPECT_EQ(call.bleepCode, "3");
    EXPECT_EQ(call.callNumber, std::to_string(engine().CallDigit()));
    EXPECT_TRUE(logHas(state.Tekst[114] + u'.'));

    // The unit's line about the call waits in the port until the Status tab shows.
    EXPECT_FALSE(logHas(QStringLiteral("CALL 1234")));
    showTab(StatusTab);
    EXPECT_TRUE(tickUntil([this] { return logHas(QStringLiteral("CALL 1234 'Grüße' bleep 3")); }, 20));
}

TEST_F(TestCall, ARefusedCallIsLoggedAsRefused)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::RefuseCall));
    ASSERT_NO_FATAL_FAILURE(placeCall(QStringLiteral("77"), QString(), 0));
    EXPECT_TRUE(unit->calls().empty());
    EXPECT_TRUE(logHas(state.Tekst[115] + u'.'));
    EXPECT_FALSE(logHas(state.Tekst[114] + u'.'));
}

TEST_F(TestCall, ACallNumberThatIsNoDigitCountsAsAFailureButTheCallGoesOut)
{
    ASSERT_NO_FATAL_FAILURE(startWith(Fault::BadDigit));
    ASSERT_NO_FATAL_FAILURE(placeCall(QStringLiteral("1234"), QStringLiteral("x"), 1));
    EXPECT_EQ(engine().ErrorCount(), 1);
    ASSERT_EQ(unit->calls().size(), 1u);
    EXPECT_EQ(unit->calls()[0].callNumber, std::to_string('?' - '0'));
}

} // namespace
