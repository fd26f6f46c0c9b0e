#include "unitsim/ReplyFrames.h"

#include "unitsim/FrameParser.h"

namespace pb::unitsim {

namespace {

constexpr int kOverlongLength = 120;
constexpr int kStalledBytes = 5;

Bytes Field(char id, const Bytes& value)
{
    return Bytes{id, char(kUs)} + value + char(kRs);
}

Bytes Header(uint8_t position4)
{
    return Bytes{char(kSoh), 0, 0x01, 0x00, char(position4)};
}

uint8_t CheckSumOf(const Bytes& bytes)
{
    unsigned sum = 0;
    for (char byte : bytes)
        sum += static_cast<uint8_t>(byte);
    return static_cast<uint8_t>((256 - sum % 256) % 256);
}

} // namespace

Bytes Framed(Bytes header, const Bytes& record)
{
    Bytes frame = std::move(header) + record;
    frame[1] = char(frame.size());
    return frame + char(CheckSumOf(frame));
}

Bytes ReadReply(uint8_t item, uint8_t value)
{
    return Framed(Header(kStx), Field('w', Bytes(1, char(item))) + Field('w', Bytes(1, char(value))));
}

Bytes WriteReply(uint8_t item, uint8_t value)
{
    return Framed(Header(kStx), Field('W', Bytes(1, char(item))) + Field('w', Bytes(1, char(value))));
}

Bytes CallNumberReply(char digit)
{
    return Framed(Header(kStx), Field('2', Bytes(1, digit)));
}

Bytes CallReply(bool accepted, char digit)
{
    return Framed(Header(accepted ? kAck : kNak), Field('A', Bytes(1, digit)));
}

Bytes WithWrongCheckSum(Bytes reply)
{
    reply.back() = char(static_cast<uint8_t>(reply.back()) + 1);
    return reply;
}

Bytes Stalled(const Bytes& reply)
{
    return reply.substr(0, kStalledBytes);
}

Bytes Overlong(const Bytes& reply)
{
    Bytes body = reply.substr(0, reply.size() - 1);
    body.resize(kOverlongLength, '.');
    body[1] = char(kOverlongLength);
    return body + char(CheckSumOf(body));
}

Bytes WithNoise(const Bytes& reply)
{
    return Bytes("\xFF\x00~*\x1E?", 6) + reply;
}

Bytes AtAnotherSpeed(const Bytes& bytes)
{
    // An odd factor scatters neighbouring values, as garbage does; the top
    // bit keeps every result clear of SOH and of ASCII text.
    Bytes garbage;
    for (char byte : bytes)
        garbage += char(0x80 | ((static_cast<uint8_t>(byte) * 37 + 11) & 0x7F));
    return garbage;
}

} // namespace pb::unitsim
