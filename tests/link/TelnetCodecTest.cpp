// The Telnet framing of a device server's stream, cut at every byte, and
// the setting of the server's line against servers that answer in their
// own ways.
#include "link/devices/stream/ComPortSetup.h"
#include "link/devices/stream/DeviceServerStream.h"
#include "link/devices/stream/TelnetCodec.h"

#include <gtest/gtest.h>

namespace {

using namespace pb::telnet;
using pb::ComPortSetup;

constexpr uint8_t kNop = 241;
constexpr uint8_t kEcho = 1;
constexpr uint8_t kNotifyLineState = 106;
constexpr uint8_t kNotifyModemState = 107;

struct StreamCase {
    const char* name;
    QByteArray stream;
    QByteArray data;
    std::vector<Command> commands;
};

// The line's bytes and the commands, fed in two reads cut at `at`.
std::pair<QByteArray, std::vector<Command>> decodeCutAt(const QByteArray& stream, qsizetype at)
{
    Decoder decoder;
    QByteArray data = decoder.decode(stream.left(at));
    data += decoder.decode(stream.mid(at));
    return {data, decoder.takeCommands()};
}

TEST(TelnetCodec, CommandsLeaveTheStreamWhereverTheReadsCutIt)
{
    const StreamCase cases[] = {
        {"doubled 0xFF", Bytes({'A', kIac, kIac, 'B'}), Bytes({'A', kIac, 'B'}), {}},
        {"negotiation", Bytes({1, kIac, kWill, kComPort, 2}), Bytes({1, 2}), {{kWill, kComPort, {}}}},
        {"modem state", Bytes({kIac, kSb, kComPort, kNotifyModemState, 0x30, kIac, kSe, 6}), Bytes({6}),
         {{kSb, kComPort, Bytes({kNotifyModemState, 0x30})}}},
        {"0xFF in a subnegotiation", Bytes({kIac, kSb, kComPort, kNotifyLineState, kIac, kIac, kIac, kSe}), {},
         {{kSb, kComPort, Bytes({kNotifyLineState, 0xFF})}}},
        {"bare command", Bytes({0x7F, kIac, kNop, 0x80}), Bytes({0x7F, 0x80}), {{kNop, 0, {}}}},
        {"reply among commands",
         Bytes({kIac, kDo, kBinary, 0x01, 0x0D, kIac, kIac, kIac, kSb, kComPort, kNotifyLineState, 0x60, kIac, kSe,
                0xF0, kIac, kWont, kEcho}),
         Bytes({0x01, 0x0D, 0xFF, 0xF0}),
         {{kDo, kBinary, {}}, {kSb, kComPort, Bytes({kNotifyLineState, 0x60})}, {kWont, kEcho, {}}}},
    };
    for (const StreamCase& c : cases) {
        for (qsizetype at = 0; at <= c.stream.size(); ++at) {
            SCOPED_TRACE(std::string(c.name) + ", cut at " + std::to_string(at));
            const auto [data, commands] = decodeCutAt(c.stream, at);
            EXPECT_EQ(data.toHex(' '), c.data.toHex(' '));
            EXPECT_EQ(commands, c.commands);
        }
        Decoder oneByOne;
        QByteArray data;
        for (char byte : c.stream)
            data += oneByOne.decode(QByteArray(1, byte));
        EXPECT_EQ(data, c.data) << c.name;
        EXPECT_FALSE(oneByOne.midCommand()) << c.name;
    }
}

TEST(TelnetCodec, EveryByteValueGoesOutEscapedAndComesBackAsItWas)
{
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    const QByteArray escaped = Escaped(all + all);
    EXPECT_EQ(escaped.size(), 2 * 256 + 2);
    EXPECT_EQ(escaped.count(QByteArray(2, char(kIac))), 2);
    Decoder decoder;
    EXPECT_EQ(decoder.decode(escaped), all + all);
    EXPECT_TRUE(decoder.takeCommands().empty());
}

// A device server as the tests need one: it agrees to the com port option
// or not, and answers each setting by echoing it, with another value, or not.
enum Answer { Echo, Ignore, Other };

struct ServerWays {
    bool agrees = true;
    Answer baudRate = Echo;
    Answer control = Echo;
};

struct Server {
    ServerWays ways;

    // The server's bytes in return for what the client sent.
    QByteArray answer(const QByteArray& fromClient)
    {
        QByteArray out;
        decoder.decode(fromClient);
        for (const Command& command : decoder.takeCommands()) {
            if (command.code == kWill && command.option == kComPort)
                out += Negotiation(ways.agrees ? kDo : kDont, kComPort);
            if (command.code != kSb || command.payload.isEmpty())
                continue;
            const auto code = uint8_t(command.payload[0]);
            requests.push_back(command.payload);
            const Answer how = code == 1 ? ways.baudRate : code == 5 ? ways.control : Echo;
            if (how == Echo)
                out += Subnegotiation(kComPort, Bytes({uint8_t(code + 100)}) + command.payload.mid(1));
            else if (how == Other)
                out += Subnegotiation(kComPort, Bytes({uint8_t(code + 100)}) + QByteArray(command.payload.size() - 1, 0));
        }
        return out;
    }

    Decoder decoder;
    std::vector<QByteArray> requests;
};

// Runs the client against the server until neither has more to say.
void converse(ComPortSetup& setup, Server& server)
{
    QByteArray toServer = setup.opening();
    for (int round = 0; round < 10 && !toServer.isEmpty(); ++round) {
        Decoder fromServer;
        fromServer.decode(server.answer(toServer));
        toServer.clear();
        for (const Command& command : fromServer.takeCommands())
            toServer += setup.take(command);
    }
}

struct SetupCase {
    const char* name;
    ServerWays server;
    pb::Handshake handshake;
    ComPortSetup::State state;
    QStringList untaken;
};

TEST(ComPortSetup, SaysWhichSettingsTheServerDidNotTake)
{
    const QStringList allSettings{"baud rate 19200", "data size 8", "parity none", "stop size 1",
                                  "no handshake", "RTS on", "DTR off"};
    const SetupCase cases[] = {
        {"answers all", {}, pb::Handshake::None, ComPortSetup::State::Done, {}},
        {"no modem lines", {true, Echo, Ignore}, pb::Handshake::None, ComPortSetup::State::Setting,
         {"no handshake", "RTS on", "DTR off"}},
        {"another speed", {true, Other, Echo}, pb::Handshake::RtsCts, ComPortSetup::State::Done,
         {"baud rate 19200"}},
        {"refuses the option", {false, Echo, Echo}, pb::Handshake::None, ComPortSetup::State::Done,
         allSettings},
    };
    for (const SetupCase& c : cases) {
        SCOPED_TRACE(c.name);
        pb::LineSettings line;
        line.handshake = c.handshake;
        line.requestToSend = true;
        ComPortSetup setup(line);
        Server server{c.server, {}, {}};
        converse(setup, server);
        EXPECT_EQ(setup.state(), c.state);
        EXPECT_EQ(setup.untaken(), c.untaken);
        if (!c.server.agrees) {
            EXPECT_TRUE(server.requests.empty()) << "nothing is set on a server that refused";
            continue;
        }
        ASSERT_FALSE(server.requests.empty());
        EXPECT_EQ(server.requests[0].toHex(' '), "01 00 00 4b 00"); // 19200, most significant byte first
        const bool setsRts = std::count(server.requests.begin(), server.requests.end(), Bytes({5, 11})) == 1;
        EXPECT_EQ(setsRts, c.handshake == pb::Handshake::None) << "the handshake drives RTS itself";
    }
}

TEST(ComPortSetup, OptionsItDoesNotTakeAreRefusedOnceAndTheOthersNotAnsweredAgain)
{
    ComPortSetup setup{pb::LineSettings{}};
    setup.opening(); // WILL COM-PORT, WILL BINARY, DO BINARY
    EXPECT_EQ(setup.take({kDo, kEcho, {}}), Negotiation(kWont, kEcho));
    EXPECT_EQ(setup.take({kWill, kEcho, {}}), Negotiation(kDont, kEcho));
    EXPECT_EQ(setup.take({kWill, kEcho, {}}), QByteArray()) << "said already";
    EXPECT_EQ(setup.take({kDo, kBinary, {}}), QByteArray()) << "the server agreed to what was asked";
    EXPECT_EQ(setup.take({kWill, kSuppressGoAhead, {}}), Negotiation(kDo, kSuppressGoAhead));
    EXPECT_EQ(setup.take({kWont, kBinary, {}}), Negotiation(kDont, kBinary));
}

// Answers to 19200, 8, none, 1, no handshake, RTS on, DTR off, in the order
// given, each with its code + 100.
TEST(ComPortSetup, WhatTheServerSaidLastOfASettingCounts)
{
    auto said = [](std::initializer_list<uint8_t> bytes) { return Command{kSb, kComPort, Bytes(bytes)}; };
    const std::vector<Command> speed{said({101, 0, 0, 0x4B, 0})}, otherSpeed{said({101, 0, 0, 0x25, 0x80})},
        sizes{said({102, 8}), said({103, 1}), said({104, 1})}, controls{said({105, 1}), said({105, 11}), said({105, 9})};
    const std::pair<std::vector<std::vector<Command>>, QStringList> cases[] = {
        {{speed, sizes, {said({105, 8}), said({105, 1}), said({105, 11})}}, {"DTR off"}}, // out of order
        {{otherSpeed, speed, sizes, controls}, {}},                                         // its own speed unasked
        {{speed, sizes, controls, otherSpeed}, {"baud rate 19200"}},                        // then changed
        {{{said({105, 6}), said({105, 14})}, speed, sizes, controls}, {}}, // break, inbound flow: not asked
    };
    for (const auto& [answers, untaken] : cases) {
        pb::LineSettings line;
        line.requestToSend = true;
        ComPortSetup setup(line);
        setup.take({kDo, kComPort, {}});
        for (const std::vector<Command>& some : answers) {
            for (const Command& command : some)
                setup.take(command);
        }
        EXPECT_EQ(setup.state(), ComPortSetup::State::Done);
        EXPECT_EQ(setup.untaken(), untaken);
    }
}

struct RawCase {
    const char* name;
    QByteArray stream;
    QByteArray data;
    bool saysTelnet;
};

TEST(DeviceServerStream, ARawPortThatSpeaksTelnetIsSaidOnceAndItsCommandsAreNotReplies)
{
    const QByteArray reply = Bytes({0x01, 0x0D, 0x01, 0x00, 0x02, 'w', 0x1F, 3, 0x1E, 'w', 0x1F, 133, 0x1E, 0xFF});
    const RawCase cases[] = {
        {"raw", reply, reply, false},
        {"raw starting with 0xFF", Bytes({0xFF, 0x01}) + reply, Bytes({0xFF, 0x01}) + reply, false},
        {"telnet greeting", Negotiation(kWill, kBinary) + Negotiation(kDo, kComPort) + Escaped(reply), reply, true},
        {"telnet subnegotiation first", Subnegotiation(kComPort, Bytes({kNotifyModemState, 0})) + Escaped(reply),
         reply, true},
    };
    const pb::TcpAddress address{"10.0.0.20", 4001, pb::ServerProtocol::Raw};
    for (const RawCase& c : cases) {
        for (qsizetype at = 0; at <= c.stream.size(); ++at) {
            SCOPED_TRACE(std::string(c.name) + ", cut at " + std::to_string(at));
            pb::DeviceServerStream stream(address, pb::LineSettings{});
            EXPECT_TRUE(stream.opening().isEmpty());
            QByteArray data = stream.received(c.stream.left(at));
            data += stream.received(c.stream.mid(at));
            EXPECT_EQ(data.toHex(' '), c.data.toHex(' '));
            const QStringList notices = stream.takeNotices();
            ASSERT_EQ(notices.size(), c.saysTelnet ? 1 : 0);
            if (c.saysTelnet) {
                EXPECT_TRUE(notices[0].contains("rfc2217://10.0.0.20:4001")) << notices[0].toStdString();
            }
            EXPECT_TRUE(stream.takeReplies().isEmpty()) << "a server met by mistake is not talked to";
        }
    }
}

// A server that never ends a subnegotiation, or never stops negotiating,
// grows nothing without limit and is named once.
TEST(DeviceServerStream, WhatAServerSendsWithoutEndIsCutShortAndSaidOnce)
{
    const QByteArray line(5000, 'x'), unended = Bytes({kIac, kSb, kComPort}) + line;
    QByteArray flipping;
    for (int i = 0; i < 1000; ++i)
        flipping += Negotiation(kWont, kBinary) + Negotiation(kWill, kBinary);
    const std::tuple<QByteArray, QByteArray, QString> cases[] = {
        {unended + unended, line.mid(64) + line.mid(64),
         "rfc2217://10.0.0.20:4001 sent a Telnet command that did not end within 64 bytes"},
        {flipping + "ok", "ok", "rfc2217://10.0.0.20:4001 kept changing its Telnet options"},
    };
    for (const auto& [sent, data, says] : cases) {
        pb::DeviceServerStream stream({"10.0.0.20", 4001, pb::ServerProtocol::Rfc2217}, pb::LineSettings{});
        QByteArray received, replies;
        QStringList notices;
        for (qsizetype at = 0; at < sent.size(); at += 100) {
            received += stream.received(sent.mid(at, 100));
            replies += stream.takeReplies();
            notices += stream.takeNotices();
        }
        EXPECT_TRUE(received == data) << received.size();
        EXPECT_LT(replies.size(), 1000);
        EXPECT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices.value(0).startsWith(says)) << notices.join('\n').toStdString();
    }
}

} // namespace
