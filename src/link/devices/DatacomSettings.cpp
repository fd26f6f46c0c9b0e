#include "link/devices/DatacomSettings.h"

namespace pb {

namespace {

template <typename Value>
struct Choice {
    const char* text;
    Value value;
};

// The entry for `code`, or `other` when the table has none.
template <typename Value, std::size_t N>
const Choice<Value>& pick(const Choice<Value> (&table)[N], int16_t code, const Choice<Value>& other)
{
    return code >= 0 && static_cast<std::size_t>(code) < N ? table[code] : other;
}

constexpr Choice<qint32> kSpeeds[] = {
    { "300", 300 },   { "1200", 1200 }, { "2400", 2400 },
    { "4800", 4800 }, { "9600", 9600 }, { "19200", 19200 },
};
constexpr Choice<qint32> kOtherSpeed = { "9600", 9600 };

constexpr Choice<Parity> kParities[] = {
    { ",N", Parity::None },
    { ",E", Parity::Even },
    { ",O", Parity::Odd },
};
constexpr Choice<Parity> kOtherParity = { ",N", Parity::None };

constexpr Choice<int> kDataBits[] = { { ",7", 7 } };
constexpr Choice<int> kOtherDataBits = { ",8", 8 };

constexpr Choice<int> kStopBits[] = {
    { ",1", 1 },
    { ",2", 2 },
};
constexpr Choice<int> kOtherStopBits = { ",1", 1 };

} // namespace

LineSettings LineSettingsFromCodes(int16_t speedCode, int16_t parityCode, int16_t dataBitsCode,
                                   int16_t stopBitsCode, int16_t handshakeCode)
{
    const auto& speed = pick(kSpeeds, speedCode, kOtherSpeed);
    const auto& parity = pick(kParities, parityCode, kOtherParity);
    const auto& dataBits = pick(kDataBits, dataBitsCode, kOtherDataBits);
    const auto& stopBits = pick(kStopBits, stopBitsCode, kOtherStopBits);
    LineSettings line;
    line.text = QLatin1String(speed.text) + QLatin1String(parity.text) + QLatin1String(dataBits.text)
        + QLatin1String(stopBits.text);
    line.baudRate = speed.value;
    line.parity = parity.value;
    line.dataBits = dataBits.value;
    line.stopBits = stopBits.value;
    line.handshake = handshakeCode == 0 || handshakeCode == 1 ? Handshake::None : Handshake::RtsCts;
    line.requestToSend = handshakeCode != 0;
    return line;
}

} // namespace pb
