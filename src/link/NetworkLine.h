#pragma once
// A connection to a serial device server over TCP. The socket lives in a
// module of its own, loaded the first time a port is named tcp://, so the
// program does not load Qt Network and the libraries behind it at every
// start for the few installations that use a device server.
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <functional>
#include <memory>

namespace pb {

class NetworkLine {
public:
    virtual ~NetworkLine() = default;
    // Connects within waitMs; false, and closed, when the server does not answer.
    virtual bool connectTo(const QString& host, quint16 port, int waitMs) = 0;
    // Starts connecting, the host lookup included, and returns at once;
    // onConnectDone tells whether it connected within waitMs. Used where the
    // caller must not stop the event loop for a server that may be away.
    virtual void connectInBackground(const QString& host, quint16 port, int waitMs) = 0;
    std::function<void(bool connected)> onConnectDone;
    // What the bytes pass through while connected.
    virtual QIODevice& device() = 0;
    // Hands what was written to the network now rather than on a later event.
    virtual void flush() = 0;
    // Closes at once, dropping what is not sent yet; a connection under way
    // is given up without a word.
    virtual void abort() = 0;
    // Told the reason once the server closed the connection or the network failed.
    std::function<void(const QString& reason)> onLost;
};

// What the module offers.
class NetworkLineFactory {
public:
    virtual ~NetworkLineFactory() = default;
    virtual std::unique_ptr<NetworkLine> createLine() = 0;
};

// The file name of the module, without the folder.
QString NetworkModuleFileName();

// Where the module is looked for, in this order: beside the executable, the
// library folder of the installation the executable is in, and in a build
// made for development the build tree (see ModuleFolders.h).
QStringList NetworkModuleFolders();

// The module from the first folder that holds one; nullptr when none does
// (the tcp:// port then fails like a port that cannot open).
NetworkLineFactory* LoadNetworkModule(const QStringList& folders = NetworkModuleFolders());

} // namespace pb

#define PAGERBENCH_NETWORK_LINE_FACTORY_IID "example.pagerbench.NetworkLineFactory/1"
Q_DECLARE_INTERFACE(pb::NetworkLineFactory, PAGERBENCH_NETWORK_LINE_FACTORY_IID)
