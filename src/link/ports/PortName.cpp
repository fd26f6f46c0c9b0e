#include "link/ports/PortName.h"

namespace pb {

EnvironmentLookup ProcessEnvironment()
{
    return [](const QString& name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); };
}

QString PortEnvironmentVariable(int portNumber)
{
    return QStringLiteral("PAGERBENCH_COM") + QString::number(portNumber);
}

QString PortDeviceName(int portNumber, const EnvironmentLookup& environment)
{
    if (portNumber < 1)
        return QString();
    const QString named = environment(PortEnvironmentVariable(portNumber));
    return named.isEmpty() ? PlatformPortDevice(portNumber) : named;
}

QString PortDeviceName(int portNumber)
{
    return PortDeviceName(portNumber, ProcessEnvironment());
}

} // namespace pb
