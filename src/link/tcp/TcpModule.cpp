#include "link/tcp/TcpModule.h"

#include <QTcpSocket>
#include <QTimer>

namespace pb {

namespace {

bool meansLineLost(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::RemoteHostClosedError
        || error == QAbstractSocket::NetworkError
        || error == QAbstractSocket::SocketAccessError
        || error == QAbstractSocket::SocketResourceError;
}

class TcpLine : public NetworkLine {
public:
    TcpLine()
    {
        QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &socket_,
                         [this](QAbstractSocket::SocketError error) {
                             if (connecting_)
                                 finishConnecting(false);
                             else if (meansLineLost(error) && onLost)
                                 onLost(socket_.errorString());
                         });
        QObject::connect(&socket_, &QAbstractSocket::connected, &socket_, [this] {
            if (connecting_)
                finishConnecting(true);
        });
        connectTimer_.setSingleShot(true);
        QObject::connect(&connectTimer_, &QTimer::timeout, &socket_, [this] { finishConnecting(false); });
    }

    bool connectTo(const QString& host, quint16 port, int waitMs) override
    {
        abort();
        socket_.connectToHost(host, port);
        if (!socket_.waitForConnected(waitMs)) {
            socket_.abort();
            return false;
        }
        setLowDelay();
        return true;
    }

    void connectInBackground(const QString& host, quint16 port, int waitMs) override
    {
        abort();
        connecting_ = true;
        connectTimer_.start(waitMs);
        socket_.connectToHost(host, port);
    }

    QIODevice& device() override { return socket_; }
    void flush() override { socket_.flush(); }

    void abort() override
    {
        connecting_ = false;
        connectTimer_.stop();
        socket_.abort();
    }

private:
    // One byte at a time goes out at once, as on a serial line.
    void setLowDelay() { socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1); }

    void finishConnecting(bool connected)
    {
        connecting_ = false;
        connectTimer_.stop();
        if (connected)
            setLowDelay();
        else
            socket_.abort();
        if (onConnectDone)
            onConnectDone(connected);
    }

    QTcpSocket socket_;
    QTimer connectTimer_;
    bool connecting_ = false;
};

} // namespace

std::unique_ptr<NetworkLine> TcpModule::createLine()
{
    return std::make_unique<TcpLine>();
}

} // namespace pb
