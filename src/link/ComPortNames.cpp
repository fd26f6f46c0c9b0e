#include "link/ComPortNames.h"

#include <QRegularExpression>

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
    static const QRegularExpression pattern(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM([1-9]\\d{0,2})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
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
