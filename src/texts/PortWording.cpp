#include "texts/PortWording.h"

#include "texts/TextNumbers.h"

namespace pb {

namespace {

// A number as the log writes it: a blank in place of the plus sign.
QString SignedText(int value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

} // namespace

QString WordPortEvent(const PortEvent& event, const TextTable& texts)
{
    switch (event.kind) {
    case PortEvent::OpenFailed:
        return texts[TxtErrorOpeningComPort] + QStringLiteral(": ") + SignedText(event.portNumber);
    case PortEvent::Opened:
        return QStringLiteral("Com:") + SignedText(event.portNumber) + u' ' + texts[TxtOpenedWith]
            + QStringLiteral(": ") + event.detail;
    case PortEvent::Closed: return texts[TxtComPortClosed] + u'.';
    case PortEvent::CloseFailed: return texts[TxtErrorClosingComPort] + u'.';
    case PortEvent::Lost: return QStringLiteral("Comport lost: ") + event.detail;
    case PortEvent::Back: return QStringLiteral("Comport back: ") + event.detail;
    }
    return QString();
}

} // namespace pb
