#pragma once
// The serial port to the unit's diagnose port. The protocol tick polls it:
// nothing here waits for receive events, and every byte value 0..255 passes
// unchanged both ways.
#include "link/LampFlags.h"
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
    std::function<QString(int portNumber)> deviceName;

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
    bool openDevice(int portNumber, int16_t speedCode, int16_t parityCode, int16_t dataBitsCode,
                    int16_t stopBitsCode, int16_t handshakeCode, QString& settingsText);
    QString captionText(int portNumber, const QString& settingsText) const;
    void noteLost(const QString& reason);
    bool dropIfLost();
    void tryRelink();
    void forgetReceived();
    bool onNetwork() const { return network_ && io_ == &network_->device(); }
    bool connectNetwork(const QString& device);

    LogSink& log_;
    const TextTable& Tekst;
    LampFlags& lamps_;
    QSerialPort port_;
    std::unique_ptr<NetworkLine> network_; // made when a tcp:// device is first opened
    QIODevice* io_ = nullptr;  // port_ or the network line, whichever the device named
    QTimer relinkTimer_;
    struct OpenedWith {
        int16_t portIndex, speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode;
    } openedWith_{};           // what the lost device is reopened with
    QByteArray received_;      // taken from the port, not yet handed out
    qsizetype next_ = 0;
    bool lost_ = false;        // the device failed; the port closes at the next chance
    QString lostReason_;
};

} // namespace pb
