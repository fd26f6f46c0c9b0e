// A device server's bytes, arriving in arbitrary pieces, through the stream
// of an rfc2217:// port (the Telnet decoder and the com port setting) and of
// a tcp:// port (raw, unless the server greets in Telnet). Input: a byte n
// (its low five bits), then n bytes that arrive together; and so on.
//
// Each stream must give the same line's bytes, answers and notices whatever
// the pieces were; what it buffers, answers and says stays bounded however
// long the server goes on; a raw stream passes every byte unchanged.
#include "FuzzInput.h"
#include "link/devices/stream/DeviceServerStream.h"

#include <algorithm>

namespace {

using pb::telnet::Decoder;

// The settings' requests, every byte doubled at the most, and every
// negotiation the setting may answer.
constexpr qsizetype kMostReplies = 7 * 2 * 8 + 3 * pb::ComPortSetup::kMostNegotiations;
// Speaks Telnet, a command dropped, options no longer answered, settings
// not taken.
constexpr qsizetype kMostNotices = 4;

struct Heard {
    QByteArray data;
    QByteArray replies;
    QStringList notices;
};

class Listener {
public:
    explicit Listener(pb::ServerProtocol protocol) : stream_({"10.0.0.20", 4001, protocol}, pb::LineSettings{})
    {
        stream_.opening();
    }

    void receive(const QByteArray& piece)
    {
        const QByteArray data = stream_.received(piece);
        FUZZ_CHECK(data.size() <= piece.size() + 1); // a held 0xFF comes with the next piece
        heard_.data += data;
        heard_.replies += stream_.takeReplies();
        heard_.notices += stream_.takeNotices();
        FUZZ_CHECK(heard_.replies.size() <= kMostReplies);
        FUZZ_CHECK(heard_.notices.size() <= kMostNotices);
    }

    Heard end()
    {
        stream_.reportUntaken();
        heard_.notices += stream_.takeNotices();
        FUZZ_CHECK(heard_.notices.size() <= kMostNotices);
        // The order of two notices of one read is the order of the checks.
        heard_.notices.sort();
        return heard_;
    }

    QByteArray outgoing(const QByteArray& data) const { return stream_.outgoing(data); }

private:
    pb::DeviceServerStream stream_;
    Heard heard_;
};

void checkSame(const Heard& pieces, const Heard& whole)
{
    FUZZ_CHECK(pieces.data == whole.data);
    FUZZ_CHECK(pieces.replies == whole.replies);
    FUZZ_CHECK(pieces.notices == whole.notices);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Listener telnet(pb::ServerProtocol::Rfc2217);
    Listener raw(pb::ServerProtocol::Raw);
    Decoder decoder;
    QByteArray sent;
    pbfuzz::FuzzInput input(data, size);
    while (!input.empty()) {
        const QByteArray piece = input.take(input.next() & 0x1F);
        sent += piece;
        telnet.receive(piece);
        raw.receive(piece);
        decoder.decode(piece);
        for (const pb::telnet::Command& command : decoder.takeCommands())
            FUZZ_CHECK(command.payload.size() <= Decoder::kMostPayload);
    }

    Listener telnetWhole(pb::ServerProtocol::Rfc2217);
    Listener rawWhole(pb::ServerProtocol::Raw);
    telnetWhole.receive(sent);
    rawWhole.receive(sent);
    const Heard fromTelnet = telnet.end();
    const Heard fromRaw = raw.end();
    checkSame(fromTelnet, telnetWhole.end());
    checkSame(fromRaw, rawWhole.end());

    const bool saidTelnet = std::any_of(fromRaw.notices.begin(), fromRaw.notices.end(),
                                        [](const QString& notice) { return notice.contains(QStringLiteral("speaks Telnet")); });
    if (!saidTelnet && !(sent.size() == 1 && uint8_t(sent[0]) == pb::telnet::kIac))
        FUZZ_CHECK(fromRaw.data == sent);
    FUZZ_CHECK(fromRaw.replies.isEmpty());

    // The line's bytes go back to the server as they came.
    Decoder server;
    FUZZ_CHECK(server.decode(telnet.outgoing(fromTelnet.data)) == fromTelnet.data);
    return 0;
}
