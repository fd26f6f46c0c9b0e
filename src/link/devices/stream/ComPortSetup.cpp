#include "link/devices/stream/ComPortSetup.h"

#include <algorithm>

namespace pb {

namespace {

using namespace telnet;

// The com port option's commands; the server answers each with code + 100.
constexpr uint8_t kSetBaudRate = 1;
constexpr uint8_t kSetDataSize = 2;
constexpr uint8_t kSetParity = 3;
constexpr uint8_t kSetStopSize = 4;
constexpr uint8_t kSetControl = 5;
constexpr uint8_t kServerOffset = 100;

constexpr uint8_t kNoFlowControl = 1;
constexpr uint8_t kHardwareFlowControl = 3;
constexpr uint8_t kDtrOn = 8;
constexpr uint8_t kDtrOff = 9;
constexpr uint8_t kRtsOn = 11;
constexpr uint8_t kRtsOff = 12;

uint8_t parityCode(Parity parity)
{
    switch (parity) {
    case Parity::None:
        return 1;
    case Parity::Odd:
        return 2;
    case Parity::Even:
        return 3;
    }
    return 1;
}

const char* parityName(Parity parity)
{
    switch (parity) {
    case Parity::None:
        return "none";
    case Parity::Odd:
        return "odd";
    case Parity::Even:
        return "even";
    }
    return "none";
}

QByteArray bigEndian(quint32 value)
{
    return Bytes({uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
}

// SET-CONTROL sets one of several things by its value; which one it is.
enum class Control { OutboundFlow, Break, Dtr, Rts, InboundFlow, Unknown };

Control controlOf(uint8_t value)
{
    if (value <= 3 || value == 17 || value == 19)
        return Control::OutboundFlow;
    if (value <= 6)
        return Control::Break;
    if (value <= 9)
        return Control::Dtr;
    if (value <= 12)
        return Control::Rts;
    if (value <= 18)
        return Control::InboundFlow;
    return Control::Unknown;
}

// Whether a SET-CONTROL answer speaks of the same thing as our request.
bool sameControl(const QByteArray& request, const QByteArray& answer)
{
    if (request.size() != 1 || answer.size() != 1)
        return false;
    const Control control = controlOf(uint8_t(request[0]));
    return control != Control::Unknown && control == controlOf(uint8_t(answer[0]));
}

uint8_t oppositeOf(uint8_t verb)
{
    switch (verb) {
    case kWill:
        return kWont;
    case kWont:
        return kWill;
    case kDo:
        return kDont;
    default:
        return kDo;
    }
}

// Options this end takes part in: the com port option only from our side,
// binary and no go-ahead both ways.
bool willDo(uint8_t option)
{
    return option == kComPort || option == kBinary || option == kSuppressGoAhead;
}

bool letServerDo(uint8_t option)
{
    return option == kBinary || option == kSuppressGoAhead;
}

} // namespace

ComPortSetup::ComPortSetup(const LineSettings& settings)
{
    const bool hardware = settings.handshake == Handshake::RtsCts;
    requests_ = {
        {QStringLiteral("baud rate %1").arg(settings.baudRate), kSetBaudRate,
         bigEndian(quint32(settings.baudRate))},
        {QStringLiteral("data size %1").arg(settings.dataBits), kSetDataSize, Bytes({uint8_t(settings.dataBits)})},
        {QStringLiteral("parity ") + QLatin1String(parityName(settings.parity)), kSetParity,
         Bytes({parityCode(settings.parity)})},
        {QStringLiteral("stop size %1").arg(settings.stopBits), kSetStopSize, Bytes({uint8_t(settings.stopBits)})},
        {hardware ? QStringLiteral("RTS/CTS handshake") : QStringLiteral("no handshake"), kSetControl,
         Bytes({hardware ? kHardwareFlowControl : kNoFlowControl})},
    };
    // Under hardware handshaking the server's port drives RTS itself.
    if (!hardware)
        requests_.push_back({settings.requestToSend ? QStringLiteral("RTS on") : QStringLiteral("RTS off"), kSetControl,
                             Bytes({settings.requestToSend ? kRtsOn : kRtsOff})});
    requests_.push_back({settings.dataTerminalReady ? QStringLiteral("DTR on") : QStringLiteral("DTR off"), kSetControl,
                         Bytes({settings.dataTerminalReady ? kDtrOn : kDtrOff})});
}

QByteArray ComPortSetup::opening()
{
    return negotiate(kWill, kComPort) + negotiate(kWill, kBinary) + negotiate(kDo, kBinary);
}

QByteArray ComPortSetup::take(const Command& command)
{
    switch (command.code) {
    case kDo:
        if (command.option == kComPort && state_ == State::Negotiating) {
            state_ = State::Setting;
            return negotiate(kWill, kComPort) + settingsRequests();
        }
        return negotiate(willDo(command.option) ? kWill : kWont, command.option);
    case kDont:
        if (command.option == kComPort && state_ != State::Done) {
            state_ = State::Done;
            optionRefused_ = true;
        }
        return said_.count({kWill, command.option}) ? negotiate(kWont, command.option) : QByteArray();
    case kWill:
        return negotiate(letServerDo(command.option) ? kDo : kDont, command.option);
    case kWont:
        return said_.count({kDo, command.option}) ? negotiate(kDont, command.option) : QByteArray();
    case kSb:
        if (command.option == kComPort && !command.payload.isEmpty()
            && static_cast<uint8_t>(command.payload[0]) >= kServerOffset)
            noteAnswer(uint8_t(command.payload[0]) - kServerOffset, command.payload.mid(1));
        return QByteArray();
    default:
        return QByteArray();
    }
}

QStringList ComPortSetup::untaken() const
{
    QStringList names;
    for (const Request& request : requests_) {
        if (optionRefused_ || request.lastSaid != request.value)
            names << request.name;
    }
    return names;
}

// Telnet answers only a change of what was said, so that two ends that
// disagree do not go on answering each other.
QByteArray ComPortSetup::negotiate(uint8_t verb, uint8_t option)
{
    if (stoppedNegotiating() || !said_.insert({verb, option}).second)
        return QByteArray();
    said_.erase({oppositeOf(verb), option});
    ++negotiations_;
    return Negotiation(verb, option);
}

QByteArray ComPortSetup::settingsRequests() const
{
    QByteArray bytes;
    for (const Request& request : requests_)
        bytes += Subnegotiation(kComPort, Bytes({request.code}) + request.value);
    return bytes;
}

// What the server said last of a setting counts, asked or not: a report of
// its current speed before it answers ours, a later change of mind.
void ComPortSetup::noteAnswer(uint8_t code, const QByteArray& value)
{
    if (optionRefused_)
        return;
    auto setting = std::find_if(requests_.begin(), requests_.end(), [&](const Request& request) {
        return request.code == code && (code != kSetControl || sameControl(request.value, value));
    });
    if (setting == requests_.end())
        return;
    setting->lastSaid = value;
    if (state_ == State::Setting
        && std::all_of(requests_.begin(), requests_.end(), [](const Request& r) { return r.lastSaid.has_value(); }))
        state_ = State::Done;
}

} // namespace pb
