#pragma once
// The Telnet framing of a device server's stream (RFC 854, and the com port
// option of RFC 2217), without a socket: the line's bytes go out with 0xFF
// doubled, and what comes in is split into the line's bytes and the
// server's commands, wherever the reads happen to cut it.
#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace pb::telnet {

constexpr uint8_t kIac = 0xFF;
constexpr uint8_t kDont = 0xFE;
constexpr uint8_t kDo = 0xFD;
constexpr uint8_t kWont = 0xFC;
constexpr uint8_t kWill = 0xFB;
constexpr uint8_t kSb = 0xFA; // starts a subnegotiation
constexpr uint8_t kSe = 0xF0; // ends it

constexpr uint8_t kBinary = 0;
constexpr uint8_t kSuppressGoAhead = 3;
constexpr uint8_t kComPort = 44;

// One command from the server. For WILL, WONT, DO and DONT the option; for
// a subnegotiation its option and what stood between them, 0xFF undoubled;
// any other command (NOP, break, go ahead...) by its code alone.
struct Command {
    uint8_t code = 0;
    uint8_t option = 0;
    QByteArray payload;

    bool operator==(const Command& other) const
    {
        return code == other.code && option == other.option && payload == other.payload;
    }
};

// A few bytes given by value.
QByteArray Bytes(std::initializer_list<uint8_t> bytes);

// The line's bytes as they go out: every 0xFF doubled.
QByteArray Escaped(const QByteArray& data);

// IAC verb option.
QByteArray Negotiation(uint8_t verb, uint8_t option);

// IAC SB option payload IAC SE, 0xFF in the payload doubled.
QByteArray Subnegotiation(uint8_t option, const QByteArray& payload);

// Reads the server's stream. A command cut by the end of one read is
// finished by the next.
class Decoder {
public:
    // The com port option's payloads are a few bytes; a subnegotiation that
    // grows past this never ends well (a server that lost its framing, one
    // that does not double 0xFF): it is dropped and the bytes after it are
    // taken as the line's.
    static constexpr qsizetype kMostPayload = 64;

    // The line's bytes among `bytes`; the commands are kept for takeCommands.
    QByteArray decode(const QByteArray& bytes);
    std::vector<Command> takeCommands();

    // True while a command or a doubled 0xFF waits for its remaining bytes.
    bool midCommand() const { return state_ != State::Data; }
    // How many subnegotiations were dropped for their length so far.
    int droppedCommands() const { return dropped_; }

private:
    enum class State { Data, Command, Option, SubOption, SubData, SubIac };

    bool appendToPayload(char byte);

    State state_ = State::Data;
    Command current_;
    std::vector<Command> commands_;
    int dropped_ = 0;
};

} // namespace pb::telnet
