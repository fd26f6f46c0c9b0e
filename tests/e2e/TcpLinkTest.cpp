// The program on a virtual unit behind a serial device server: the same
// flows as on a serial port, and a server that goes away and comes back.
#include "ProgramOnUnit.h"

#include <QTest>

namespace {

using namespace pbtest;

class TcpLink : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 0;
        startOnTcp(3, options);
    }

    void pressAndServe(QPushButton* button)
    {
        button->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    }
};

TEST_F(TcpLink, ReadAllWriteAllAndTheTestCallReachTheUnit)
{
    const std::vector<int> shown = shownRows();
    ASSERT_FALSE(shown.empty());
    showTab(UnitTab);
    for (int row : shown)
        unit->setValue(row, 1);
    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));
    for (int row : shown) {
        EXPECT_EQ(rows().SettingsInUnit[row], 1) << "row " << row;
        EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
    }

    ASSERT_TRUE(writeAllFirstOptions(shown));
    for (int row : shown)
        EXPECT_EQ(unit->value(row), 0) << "row " << row;

    ASSERT_TRUE(placeTestCall(QStringLiteral("1234"), QStringLiteral("over tcp")));
    EXPECT_EQ(unit->calls()[0].address, "1234");
    EXPECT_EQ(unit->calls()[0].message, "over tcp");
    EXPECT_EQ(unit->counters().checkSumErrors, 0);
}

TEST_F(TcpLink, AServerThatGoesAwayIsConnectedAgainAndServesTheWaitingRead)
{
    const quint16 port = tcp->port();
    tcp->drop(true);
    ASSERT_TRUE(QTest::qWaitFor([this] { tick(); return !program->port.isOpen(); }, 5000));

    // Asked for while the server is away, the read waits for it.
    showTab(UnitTab);
    unit->setValue(shownRows().front(), 2);
    window().CmdLeesAlles->click();
    ticks(60); // a second and a half, the server away all along
    EXPECT_FALSE(program->port.isOpen());

    std::string error;
    ASSERT_TRUE(tcp->listen(port, error)) << error;
    ASSERT_TRUE(QTest::qWaitFor([this] { tick(); return program->port.isOpen(); }, 5000));
    // One line each, before the read's own lines push them out of the window.
    EXPECT_EQ(linesWith(QStringLiteral("Comport lost:")), 1);
    EXPECT_EQ(linesWith(QStringLiteral("Comport back:")), 1);
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_EQ(rows().SettingsInUnit[shownRows().front()], 2);
}

TEST_F(TcpLink, AServerNobodyListensOnIsAnOpenError)
{
    const QString device = tcpDevice();
    program->port.CloseComPort();
    tcp->drop(true);
    qputenv(pb::PortEnvironmentVariable(1).toLatin1().constData(), device.toLocal8Bit());
    EXPECT_EQ(program->OpenConfiguredPort(), -1);
    EXPECT_TRUE(logHas(QStringLiteral("Error opening Comport:  1")));
    EXPECT_FALSE(program->port.isOpen());
}

} // namespace
