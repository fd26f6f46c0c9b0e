#include "link/devices/stream/TelnetCodec.h"

namespace pb::telnet {

QByteArray Bytes(std::initializer_list<uint8_t> bytes)
{
    QByteArray out;
    for (uint8_t byte : bytes)
        out.append(char(byte));
    return out;
}

QByteArray Escaped(const QByteArray& data)
{
    QByteArray out;
    out.reserve(data.size() + 1);
    for (char byte : data) {
        out.append(byte);
        if (static_cast<uint8_t>(byte) == kIac)
            out.append(byte);
    }
    return out;
}

QByteArray Negotiation(uint8_t verb, uint8_t option)
{
    return Bytes({kIac, verb, option});
}

QByteArray Subnegotiation(uint8_t option, const QByteArray& payload)
{
    return Bytes({kIac, kSb, option}) + Escaped(payload) + Bytes({kIac, kSe});
}

QByteArray Decoder::decode(const QByteArray& bytes)
{
    QByteArray data;
    for (char raw : bytes) {
        const auto byte = static_cast<uint8_t>(raw);
        switch (state_) {
        case State::Data:
            if (byte == kIac)
                state_ = State::Command;
            else
                data.append(raw);
            break;
        case State::Command:
            current_ = Command{byte, 0, {}};
            if (byte == kIac) {
                data.append(raw); // a doubled 0xFF is one byte of the line
                state_ = State::Data;
            } else if (byte == kSb) {
                state_ = State::SubOption;
            } else if (byte >= kWill) {
                state_ = State::Option;
            } else {
                commands_.push_back(current_);
                state_ = State::Data;
            }
            break;
        case State::Option:
            current_.option = byte;
            commands_.push_back(current_);
            state_ = State::Data;
            break;
        case State::SubOption:
            current_.option = byte;
            state_ = State::SubData;
            break;
        case State::SubData:
            if (byte == kIac)
                state_ = State::SubIac;
            else if (!appendToPayload(raw))
                data.append(raw);
            break;
        case State::SubIac:
            if (byte == kSe) {
                commands_.push_back(current_);
                state_ = State::Data;
            } else {
                // IAC IAC stands for 0xFF; a stray IAC before any other
                // byte is dropped.
                state_ = State::SubData;
                if (!appendToPayload(raw))
                    data.append(raw);
            }
            break;
        }
    }
    return data;
}

// False once the payload is full: the subnegotiation is dropped, and the
// byte is the first of the line's again.
bool Decoder::appendToPayload(char byte)
{
    if (current_.payload.size() < kMostPayload) {
        current_.payload.append(byte);
        return true;
    }
    current_ = Command{};
    ++dropped_;
    state_ = State::Data;
    return false;
}

std::vector<Command> Decoder::takeCommands()
{
    std::vector<Command> taken;
    taken.swap(commands_);
    return taken;
}

} // namespace pb::telnet
