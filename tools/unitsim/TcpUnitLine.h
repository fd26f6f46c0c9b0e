#pragma once
// The unit's end of the line as a serial device server: 127.0.0.1 at a
// port, one client at a time; a newcomer replaces the client before it.
#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <string>

namespace pb::unitsim {

class TcpUnitLine {
public:
    // Listens at the port, 0 for any free one; false with the reason when not.
    bool listen(quint16 port, std::string& error);
    quint16 port() const { return server_.serverPort(); }
    QTcpServer& server() { return server_; }

    // Takes the newest waiting client in place of the one before; false
    // when none waits.
    bool acceptNewcomer();
    QTcpSocket* client() const { return client_.get(); }
    bool hasClient() const;

    // What the client sent; empty without one.
    QByteArray readAll();
    // Sent to the client at once; lost without one, as on an idle line.
    void write(const QByteArray& bytes);
    // Hangs up on the client and, with `stopListening`, goes away entirely.
    void drop(bool stopListening);

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> client_;
};

} // namespace pb::unitsim
