#pragma once
// The small codes with which callers choose the line parameters, turned into
// the settings text the log and the caption show and into port settings.
#include <QSerialPort>
#include <QString>
#include <cstdint>

namespace pb {

struct LineSettings {
    QString text;              // speed, parity, data bits, stop bits: "19200,N,8,1"
    qint32 baudRate;
    QSerialPort::Parity parity;
    QSerialPort::DataBits dataBits;
    QSerialPort::StopBits stopBits;
};

// Speed 0..5: 300, 1200, 2400, 4800, 9600, 19200; parity 1 even, 2 odd;
// data bits 0 seven; stop bits 1 two. Any other code takes the common
// choice: 9600 baud, no parity, 8 data bits, 1 stop bit.
LineSettings LineSettingsFromCodes(int16_t speedCode, int16_t parityCode, int16_t dataBitsCode,
                                   int16_t stopBitsCode);

struct HandshakeSettings {
    QSerialPort::FlowControl flowControl;
    bool requestToSend;        // state of the RTS line
};

// 0 none with RTS off, 1 none with RTS on, any other RTS/CTS with RTS on.
HandshakeSettings HandshakeFromCode(int16_t handshakeCode);

} // namespace pb
