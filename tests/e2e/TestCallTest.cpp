// The pager test call on the "Service" tab: call number, then the call, and
// the unit's own report of it in the message window.
#include "ProgramOnUnit.h"

#include "files/Windows1252.h"

namespace {

using namespace pbtest;

class TestCall : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
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
        ASSERT_TRUE(engine().busyWith(pb::RequestKind::TestCall));
        ASSERT_TRUE(tickUntil([this] { return allServed() && unit->counters().served >= 2; }));
    }
};

TEST_F(TestCall, TheUnitReceivesAddressMessageAndBleepCode)
{
    ASSERT_NO_FATAL_FAILURE(placeCall(QStringLiteral("1234"), QStringLiteral("Grüße"), 3));

    ASSERT_EQ(unit->calls().size(), 1u);
    const pb::unitsim::ReceivedCall& call = unit->calls()[0];
    EXPECT_EQ(call.address, "1234");
    EXPECT_EQ(call.message, pb::toWindows1252(QStringLiteral("Grüße")).toStdString());
    EXPECT_EQ(call.bleepCode, "3");
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports[reports.size() - 2].exchange, pb::Exchange::CallNumber);
    EXPECT_EQ(call.callNumber, std::to_string(reports[reports.size() - 2].value));
    EXPECT_EQ(reports.back().exchange, pb::Exchange::Call);
    EXPECT_EQ(reports.back().result, pb::ExchangeResult::Done);

    // The unit's line about the call waits in the port until the Status tab shows.
    EXPECT_FALSE(logHas(QStringLiteral("CALL 1234")));
    showTab(StatusTab);
    EXPECT_TRUE(tickUntil([this] { return logHas(QStringLiteral("CALL 1234 'Grüße' bleep 3")); }, 20));
}

} // namespace
