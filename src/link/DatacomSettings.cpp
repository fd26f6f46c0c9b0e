#include "link/DatacomSettings.h"

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

constexpr Choice<QSerialPort::Parity> kParities[] = {
    { ",N", QSerialPort::NoParity },
    { ",E", QSerialPort::EvenParity },
    { ",O", QSerialPort::OddParity },
};
constexpr Choice<QSerialPort::Parity> kOtherParity = { ",N", QSerialPort::NoParity };

constexpr Choice<QSerialPort::DataBits> kDataBits[] = { { ",7", QSerialPort::Data7 } };
constexpr Choice<QSerialPort::DataBits> kOtherDataBits = { ",8", QSerialPort::Data8 };

constexpr Choice<QSerialPort::StopBits> kStopBits[] = {
    { ",1", QSerialPort::OneStop },
    { ",2", QSerialPort::TwoStop },
};
constexpr Choice<QSerialPort::StopBits> kOtherStopBits = { ",1", QSerialPort::OneStop };

} // namespace

LineSettings LineSettingsFromCodes(int16_t speedCode, int16_t parityCode, int16_t dataBitsCode,
                                   int16_t stopBitsCode)
{
    const auto& speed = pick(kSpeeds, speedCode, kOtherSpeed);
    const auto& parity = pick(kParities, parityCode, kOtherParity);
    const auto& dataBits = pick(kDataBits, dataBitsCode, kOtherDataBits);
    const auto& stopBits = pick(kStopBits, stopBitsCode, kOtherStopBits);
    return LineSettings{
        QLatin1String(speed.text) + QLatin1String(parity.text) + QLatin1String(dataBits.text)
            + QLatin1String(stopBits.text),
        speed.value, parity.value, dataBits.value, stopBits.value,
    };
}

HandshakeSettings HandshakeFromCode(int16_t handshakeCode)
{
    switch (handshakeCode) {
    case 0:
        return { QSerialPort::NoFlowControl, false };
    case 1:
        return { QSerialPort::NoFlowControl, true };
    default:
        return { QSerialPort::HardwareControl, true };
    }
}

} // namespace pb
