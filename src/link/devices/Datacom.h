#pragma once
// The line to the unit's diagnose port, over whichever device the port
// names (LineDevices.h). The protocol tick polls it: nothing here waits for
// receive events, and every byte value 0..255 passes unchanged both ways.
// The bytes sent are gathered and handed to the device in one write before
// the next read, flush, tick or close, so that a device that is slow to take
// them holds the tick up once, not once a byte.
// What all devices share lives here: the receive buffer, the lamps, the log
// lines, and reopening a device that went away.
#include "link/ports/DeviceIdentity.h"
#include "link/devices/LampFlags.h"
#include "link/devices/LineDevice.h"
#include "link/devices/LineDevices.h"
#include "link/devices/PortEvent.h"
#include "link/ports/PresentPorts.h"
#include "link/devices/SerialLine.h"
#include "log/LogSink.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace pb {

class Datacom : public SerialLine {
public:
    // Milliseconds on a clock that only goes forward.
    using Clock = std::function<qint64()>;
    static Clock SteadyClock();

    // The log and the words of its lines (PortWordsOf), and the lamp flags
    // it raises; the log and the lamps outlive the port. The clock paces the
    // reopening of a lost device.
    Datacom(LogSink& log, PortWords words, LampFlags& lamps, Clock clock = SteadyClock());
    ~Datacom() override;

    // Receives the new caption of the frame FrmCommunicatie after a
    // successful open; the caption stays as it was when opening fails.
    std::function<void(const QString& caption)> onCaption;

    // Hears what a device says of itself (a setting a device server did not
    // take, a Telnet server on a raw port) besides the log, for a program
    // without a message window.
    std::function<void(const QString& line)> onDeviceNotice;

    // Names the device behind a port number; PortDeviceName when unset.
    // What it names is what a lost device is reopened as: the same path or
    // address, or the same adapter wherever it comes back.
    std::function<DeviceIdentity(int portNumber)> deviceName;

    // Makes the device for a name: MakeLineDevice, or a scripted one in a
    // test or benchmark.
    std::function<std::unique_ptr<LineDevice>(const QString& name)> makeLineDevice = MakeLineDevice;

    // The ports present, where a lost adapter is looked for, and the folder
    // of the links that name adapters for good.
    PresentPortsSource presentPorts = PresentPorts;
    QString adapterLinks = QStringLiteral("/dev/serial/by-id");

    // Opens "Com <portIndex + 1>" with the line parameters the codes choose
    // (see DatacomSettings.h). 0 when the port is open, -1 when it failed;
    // either way one log line tells.
    int16_t OpenComPort(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                        int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode);
    // The same, but a device that may take long to answer (a server on
    // the network) opens in the background, so that the window goes on
    // meanwhile: `ended` is told the result from the event loop, for any
    // device. A close or another open before then gives it up untold.
    void OpenComPortInBackground(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                                 int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode,
                                 std::function<void(int16_t result)> ended);
    void CloseComPort();

    int16_t ReadByte() override;
    // 0 when the byte is taken for sending; a device that then refuses it
    // is lost (see Tick).
    int16_t SendByte(int16_t value) override;
    void FlushInput() override;

    // False after CloseComPort, a failed open, or once the device went away.
    bool isOpen() const;
    // The line as the open device has it; nothing known without one.
    LineState lineState();

    // Why the last open failed or the device went away; None after an open,
    // or a reopening, that succeeded. A close leaves it as it is.
    const DeviceError& lastError() const { return lastError_; }

    // Hands the bytes sent since the last read to the device. Once a device
    // went away it is opened again about once a second by the clock. The
    // owner calls this on every tick of the engine, right after it.
    void Tick();
    static constexpr int kRelinkIntervalMs = 1000;

private:
    struct PendingOpen {
        int portNumber = 0;
        LineSettings settings;
        DeviceIdentity identity;
        bool keepWaiting = false;
    };

    std::optional<PendingOpen> beginOpen(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                                         int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode);
    int16_t endOpen(const PendingOpen& pending);
    void openedInBackground(const DeviceError& error);
    LineDevice* active() const { return inUse_ ? device_.get() : nullptr; }
    std::unique_ptr<LineDevice> makeDevice(const QString& name);
    QString captionText() const;
    void noteLost(const DeviceError& error);
    bool dropIfLost();
    void startWaiting();
    void tryRelink();
    void reopened(bool opened);
    void forgetReceived();
    void sendGathered();
    void say(const PortEvent& event);

    LogSink& log_;
    PortWords words_;
    LampFlags& lamps_;
    Clock clock_;
    QObject context_;                    // where the queued close after a loss runs
    std::unique_ptr<LineDevice> device_; // the device opened last, or being reopened
    bool inUse_ = false;                 // device_ carries the line
    int portNumber_ = 0;                 // what it was opened as
    LineSettings settings_;
    DeviceIdentity opened_;              // which device that is
    QByteArray received_;                // taken from the device, not yet handed out
    qsizetype next_ = 0;
    QByteArray toSend_;                  // sent by the engine, not yet handed to the device
    bool lost_ = false;                  // the device failed; it closes at the next chance
    DeviceError lastError_;
    bool waiting_ = false;               // for the lost device to come back
    bool reopening_ = false;             // a reopen under way answers by itself
    PendingOpen pendingOpen_;            // an open in the background, until it ends
    std::function<void(int16_t result)> openEnded_;
    qint64 lastTry_ = 0;
    // The port was closed while its device was away: an open that fails
    // then goes on waiting for the device instead of giving up.
    bool closedWhileAway_ = false;
};

} // namespace pb
