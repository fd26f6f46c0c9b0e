#pragma once
// The serial port to the unit's diagnose port. The protocol tick polls it:
// nothing here waits for receive events, and every byte value 0..255 passes
// unchanged both ways.
#include "link/DeviceIdentity.h"
#include "link/LampFlags.h"
#include "link/PresentPorts.h"
#include "link/NetworkLine.h"
#include "link/SerialLine.h"
#include "log/LogSink.h"
#include "texts/TextTable.h"

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

namespace pb {

class Datacom : public SerialLine {
public:
    // The log and the texts of its lines, and the lamp flags it raises; all
    // outlive the port.
    Datacom(LogSink& log, const TextTable& texts, LampFlags& lamps);

    // Receives the new caption of the frame FrmCommunicatie after a
    // successful open; the caption stays as it was when opening fails.
    std::function<void(const QString& caption)> onCaption;

    // Names the device behind a port number; PortDeviceName when unset.
    // What it names is what a lost device is reopened as: the same path or
    // address, or the same adapter wherever it comes back.
    std::function<DeviceIdentity(int portNumber)> deviceName;

    // The ports present, where a lost adapter is looked for, and the folder
    // of the links that name adapters for good.
    PresentPortsSource presentPorts = PresentPorts;
    QString adapterLinks = QStringLiteral("/dev/serial/by-id");

    // Opens "Com <portIndex + 1>" with the line parameters the codes choose
    // (see DatacomSettings.h). 0 when the port is open, -1 when it failed;
    // either way one log line tells.
    int16_t OpenComPort(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                        int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode);
    void CloseComPort();

    int16_t ReadByte() override;
    int16_t SendByte(int16_t value) override;
    void FlushInput() override;

    // False after CloseComPort, a failed open, or once the device went away.
    bool isOpen() const;

    // Once a device went away it is opened again about once a second.
    static constexpr int kRelinkIntervalMs = 1000;

private:
    struct OpenedWith {
        int16_t portIndex, speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode;
    };
    bool openDevice(const QString& device, const OpenedWith& with);
    bool openSerial(const QString& device, const OpenedWith& with);
    static QString lineText(const OpenedWith& with);
    QString captionText(int portNumber) const;
    void noteLost(const QString& reason);
    bool dropIfLost();
    void tryRelink();
    void relinked();
    void forgetReceived();
    bool onNetwork() const { return network_ && io_ == &network_->device(); }
    bool loadNetwork();
    void useNetwork();

    LogSink& log_;
    const TextTable& Tekst;
    LampFlags& lamps_;
    QSerialPort port_;
    std::unique_ptr<NetworkLine> network_; // made when a tcp:// device is first opened
    QIODevice* io_ = nullptr;  // port_ or the network line, whichever the device named
    QTimer relinkTimer_;
    OpenedWith openedWith_{};  // what the lost device is reopened with
    DeviceIdentity opened_;    // which device that is
    bool connecting_ = false;  // a device server is being reached again
    // The port was closed while its device was away: an open that fails
    // then goes on waiting for the device instead of giving up.
    bool closedWhileAway_ = false;
    QByteArray received_;      // taken from the port, not yet handed out
    qsizetype next_ = 0;
    bool lost_ = false;        // the device failed; the port closes at the next chance
    QString lostReason_;
};

} // namespace pb
