// Under Wine, on the COM ports of tests/windows/far-ends.py.
#include "link/devices/win/Win32LineDevice.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

TEST(Win32LineDevice, IsLostWhenAWriteIsNotTakenInTimeOrItsFarEndHangsUpUnderSilentReads)
{
    pb::Win32LineDevice stalled(qEnvironmentVariable("PAGERBENCH_STALLED_PORT"));
    pb::Win32LineDevice hangingUp(qEnvironmentVariable("PAGERBENCH_HANGUP_PORT"));
    QStringList lost;
    stalled.onGone = hangingUp.onGone = [&](const pb::DeviceError& error) { lost << error.systemText; };
    ASSERT_FALSE(stalled.open({}).failed() || hangingUp.open({}).failed()) << "needs the Wine stage's COM ports";
    for (int i = 0; i < 1000 && stalled.write(QByteArray(1024, 'x')); ++i) {}
    EXPECT_EQ(lost.size(), 1);
    ASSERT_TRUE(hangingUp.write("x")); // hung up at; reads go on returning nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { hangingUp.readWaiting(); return lost.size() == 2; }, 10000));
}
