#pragma once
// Serial device servers over TCP. The socket lives in a module of its own,
// loaded the first time a port is named tcp:// or rfc2217://, so the program does not
// load Qt Network and the libraries behind it at every start for the few
// installations that use a device server.
#include "link/devices/LineDevice.h"
#include "link/devices/TcpDevice.h"

#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <memory>

namespace pb {

// What the module offers: the device for the server at the address. In raw
// mode the server keeps its own line settings; over RFC 2217 the device
// sets them. A reopen connects in the background.
class NetworkLineFactory {
public:
    virtual ~NetworkLineFactory() = default;
    virtual std::unique_ptr<LineDevice> createLine(const TcpAddress& address) = 0;
};

// The file name of the module, without the folder.
QString NetworkModuleFileName();

// Where the module is looked for, in this order: beside the executable, the
// library folder of the installation the executable is in, and in a build
// made for development the build tree (see ModuleFolders.h).
QStringList NetworkModuleFolders();

// The module from the first folder that holds one; nullptr when none does
// (a tcp:// or rfc2217:// port then fails like a port that cannot open).
NetworkLineFactory* LoadNetworkModule(const QStringList& folders = NetworkModuleFolders());

} // namespace pb

#define PAGERBENCH_NETWORK_LINE_FACTORY_IID "example.pagerbench.NetworkLineFactory/4"
Q_DECLARE_INTERFACE(pb::NetworkLineFactory, PAGERBENCH_NETWORK_LINE_FACTORY_IID)
