#include "link/PortName.h"

namespace pb {

EnvironmentLookup ProcessEnvironment()
{
    return [](const QString& name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); };
}

QString PortEnvironmentVariable(int portNumber)
{
    return QStringLiteral("PAGERBENCH_COM") + QString::number(portNumber);
}

QString PlatformPortDevice(int portNumber)
{
    if (portNumber < 1)
        return QString();
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(portNumber);
#else
    return QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1);
#endif
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
