#include "PortFailure.h"

#include "link/win/SystemErrorText.h"
#include "link/ComPortNames.h"

#include <windows.h>

namespace pb::cli {

namespace {

// Opens the port as the line does, and lets it go at once; 0 when it opens.
DWORD ErrorOpening(const QString& device)
{
    const QString path = pb::Win32DevicePath(device);
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = 0;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb))
        error = GetLastError(); // no serial port, e.g. a plain file
    CloseHandle(handle);
    return error;
}

} // namespace

QString WhySerialPortDidNotOpen(const QString& device)
{
    const DWORD error = ErrorOpening(device);
    if (error == ERROR_ACCESS_DENIED)
        return pb::SystemErrorText(error) + QStringLiteral(" (another program holds the port)");
    if (error != 0)
        return pb::SystemErrorText(error);
    return QStringLiteral("it failed to open, and opens now");
}

} // namespace pb::cli
