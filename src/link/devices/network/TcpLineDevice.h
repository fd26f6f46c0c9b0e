#pragma once
// A serial device server over a TCP connection: in raw mode (tcp://) the
// bytes of the line, its settings the server's own; over RFC 2217
// (rfc2217://) Telnet, with the line set as a local port would be.
#include "link/devices/stream/DeviceServerStream.h"
#include "link/devices/LineDevice.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace pb {

class TcpLineDevice : public LineDevice {
public:
    explicit TcpLineDevice(const TcpAddress& address);

    DeviceError open(const LineSettings& settings) override;
    void openInBackground(const LineSettings& settings) override;
    bool isOpen() const override { return socket_.state() == QAbstractSocket::ConnectedState; }
    void close() override;
    QByteArray readWaiting() override;
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    // Set with the line at open; a raw server's serial side is its own.
    void setModemLines(bool, bool) override {}
    // Over rfc2217:// the settings asked and those not confirmed; a raw
    // server's line is its own and unknown.
    LineState lineState() override;

    // A server that does not answer by then counts as not there.
    static constexpr int kConnectWaitMs = 2000;
    // How long the server's answers to the line's settings are waited for;
    // the port opens either way.
    static constexpr int kSettingsWaitMs = 500;
    // What the connection holds of the server's bytes until they are read,
    // and what is taken from it while the line is being set.
    static constexpr qint64 kReadBufferBytes = 64 * 1024;

private:
    enum class Stage {
        Closed,
        Connecting,  // in the background
        SettingLine, // connected, the server's answers still coming
        Open,
    };

    void startLine(const LineSettings& settings);
    void connected();
    void takeFromServer(const QByteArray& bytes);
    void passOn();
    void lineSet();
    void finishOpening(bool connected);
    void lost();

    TcpAddress address_;
    QTcpSocket socket_;
    QTimer openTimer_;
    bool openingInBackground_ = false;
    Stage stage_ = Stage::Closed;
    std::unique_ptr<DeviceServerStream> stream_;
    QByteArray received_; // the line's bytes, taken out of the stream
    QString settingsText_; // as the line was last asked to be set
};

} // namespace pb
