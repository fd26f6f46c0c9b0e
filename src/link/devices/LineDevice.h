#pragma once
// What the line to the unit needs from a device, whatever carries the bytes:
// a serial port, a device server over TCP. Datacom keeps what is common to
// all of them (its buffer, the lamps, the log lines, reopening a lost
// device); each kind of device is one implementation of this interface.
#include "link/devices/DeviceError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace pb {

enum class Parity { None, Even, Odd };
enum class Handshake { None, RtsCts };

// A line's settings as values; the configuration's codes become these in
// one place (DatacomSettings.h).
struct LineSettings {
    QString text = QStringLiteral("19200,N,8,1"); // as the log and the caption show them
    qint32 baudRate = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
    Handshake handshake = Handshake::None;
    bool requestToSend = false;
    bool dataTerminalReady = false;
};

// What a device can tell of its line as it stands, for a check of the
// connection: the settings in force, and the modem's input lines where the
// device has them.
struct LineState {
    QString settings;          // as "19200,N,8,1"; empty when the device cannot tell
    bool serverSettings = false; // a device server: the settings are what it was asked
    QStringList notConfirmed;  // a device server: the settings it did not confirm
    bool modemLines = false;   // the device told its input lines
    bool clearToSend = false;
    bool dataSetReady = false;
    bool carrierDetect = false;
    bool ringIndicator = false;
};

class LineDevice {
public:
    virtual ~LineDevice() = default;

    // Opens with the settings a device of this kind can take; when it
    // cannot, stays closed and tells why.
    virtual DeviceError open(const LineSettings& settings) = 0;
    // Opens without holding up the caller: a device that may take long to
    // answer (a server on the network) returns at once and tells through
    // onOpenedInBackground; any other opens at once, as open does, and
    // tells before it returns.
    virtual void openInBackground(const LineSettings& settings)
    {
        const DeviceError error = open(settings);
        if (onOpenedInBackground)
            onOpenedInBackground(error);
    }
    virtual bool isOpen() const = 0;
    // Closes at once, dropping what is not sent; a reopening under way is
    // given up without a word.
    virtual void close() = 0;

    // Everything received and not yet taken, without waiting.
    virtual QByteArray readWaiting() = 0;
    // Hands the bytes to the device now rather than on a later event.
    virtual bool write(const QByteArray& bytes) = 0;
    // Discards what waits in the device's receive buffer.
    virtual void clearInput() = 0;
    // Sets the RTS and DTR lines where the device has them; a device
    // without modem lines carries the data all the same.
    virtual void setModemLines(bool requestToSend, bool dataTerminalReady) = 0;
    // The line as the device has it now; nothing known by default.
    virtual LineState lineState() { return {}; }

    // Told why, once the device went away or failed.
    std::function<void(const DeviceError& error)> onGone;
    // Told how an open in the background ended: no error when it opened.
    std::function<void(const DeviceError& error)> onOpenedInBackground;
    // Told a line for the log about the device itself: a device server that
    // speaks another protocol than its name says, a setting it did not take.
    std::function<void(const QString& line)> onNotice;
};

} // namespace pb
