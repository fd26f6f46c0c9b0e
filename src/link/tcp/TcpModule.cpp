#include "link/tcp/TcpModule.h"

#include <QTcpSocket>

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
                             if (meansLineLost(error) && onLost)
                                 onLost(socket_.errorString());
                         });
    }

    bool connectTo(const QString& host, quint16 port, int waitMs) override
    {
        socket_.connectToHost(host, port);
        if (!socket_.waitForConnected(waitMs)) {
            socket_.abort();
            return false;
        }
        // One byte at a time goes out at once, as on a serial line.
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return true;
    }

    QIODevice& device() override { return socket_; }
    void flush() override { socket_.flush(); }
    void abort() override { socket_.abort(); }

private:
    QTcpSocket socket_;
};

} // namespace

std::unique_ptr<NetworkLine> TcpModule::createLine()
{
    return std::make_unique<TcpLine>();
}

} // namespace pb
