#include "link/ports/ComPortNames.h"

#include "files/PortsFile.h"

namespace pb {

namespace {

const QString& devicePrefix()
{
    static const QString prefix = QStringLiteral("\\\\.\\");
    return prefix;
}

} // namespace

int ComPortNumber(const QString& name)
{
    const int number = PortNumberOfName(name.startsWith(devicePrefix()) ? name.mid(devicePrefix().size()) : name);
    return number <= 999 ? number : 0;
}

QString Win32DevicePath(const QString& name)
{
    if (ComPortNumber(name) == 0 || name.startsWith(devicePrefix()))
        return name;
    return devicePrefix() + name;
}

bool ComPortBefore(const QString& a, const QString& b)
{
    const int numberA = ComPortNumber(a);
    const int numberB = ComPortNumber(b);
    if (numberA != numberB)
        return numberA < numberB;
    return a < b;
}

} // namespace pb
