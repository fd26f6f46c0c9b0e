#include "unitsim/TcpUnitLine.h"

namespace pb::unitsim {

bool TcpUnitLine::listen(quint16 port, std::string& error)
{
    if (server_.listen(QHostAddress::LocalHost, port))
        return true;
    error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": "
        + server_.errorString().toStdString();
    return false;
}

bool TcpUnitLine::acceptNewcomer()
{
    bool taken = false;
    while (QTcpSocket* newcomer = server_.nextPendingConnection()) {
        drop(false);
        newcomer->setParent(nullptr);
        newcomer->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        client_.reset(newcomer);
        taken = true;
    }
    return taken;
}

bool TcpUnitLine::hasClient() const
{
    return client_ && client_->state() == QAbstractSocket::ConnectedState;
}

QByteArray TcpUnitLine::readAll()
{
    return client_ ? client_->readAll() : QByteArray();
}

void TcpUnitLine::write(const QByteArray& bytes)
{
    if (!hasClient() || bytes.isEmpty())
        return;
    client_->write(bytes);
    client_->flush();
}

void TcpUnitLine::drop(bool stopListening)
{
    if (client_) {
        client_->abort();
        client_.release()->deleteLater(); // it may be inside one of its own signals
    }
    if (stopListening)
        server_.close();
}

} // namespace pb::unitsim
