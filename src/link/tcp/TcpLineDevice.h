#pragma once
// A serial device server in raw mode: the bytes of the line over a TCP
// connection, the line settings the server's own.
#include "link/LineDevice.h"

#include <QTcpSocket>
#include <QTimer>

namespace pb {

class TcpLineDevice : public LineDevice {
public:
    TcpLineDevice(QString host, quint16 port);

    bool open(const LineSettings& settings) override;
    void reopen(const LineSettings& settings) override;
    bool isOpen() const override { return socket_.state() == QAbstractSocket::ConnectedState; }
    void close() override;
    QByteArray readWaiting() override;
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    // The server's serial side is set by the server.
    void setModemLines(bool, bool) override {}

    // A server that does not answer by then counts as not there.
    static constexpr int kConnectWaitMs = 2000;

private:
    void finishReopening(bool connected);
    void setLowDelay();

    QString host_;
    quint16 port_;
    QTcpSocket socket_;
    QTimer reopenTimer_;
    bool reopening_ = false;
};

} // namespace pb
