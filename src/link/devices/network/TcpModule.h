#pragma once
// The network module: serial device servers reached through QTcpSocket.
#include "link/devices/NetworkLine.h"

#include <QObject>

namespace pb {

class TcpModule : public QObject, public NetworkLineFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PAGERBENCH_NETWORK_LINE_FACTORY_IID)
    Q_INTERFACES(pb::NetworkLineFactory)
public:
    std::unique_ptr<LineDevice> createLine(const TcpAddress& address) override;
};

} // namespace pb
