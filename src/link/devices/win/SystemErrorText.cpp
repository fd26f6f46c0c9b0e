#include "link/devices/win/SystemErrorText.h"

#include <windows.h>

namespace pb {

QString SystemErrorText(unsigned long error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = length > 0 ? QString::fromWCharArray(buffer, static_cast<qsizetype>(length)).trimmed()
                              : QStringLiteral("error %1").arg(error);
    if (buffer)
        LocalFree(buffer);
    return text;
}

} // namespace pb
