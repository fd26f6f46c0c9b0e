#include "link/ports/win/SerialCommPorts.h"

#include "link/ports/ComPortNames.h"

#include <windows.h>

#include <algorithm>

namespace pb {

QList<SerialCommPort> SerialCommPorts()
{
    QList<SerialCommPort> ports;
    // The value names hold backslashes, which QSettings takes for subkeys.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t data[256];
        DWORD dataBytes = sizeof data;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        QString port = QString::fromWCharArray(data, static_cast<qsizetype>(dataBytes / sizeof(wchar_t)));
        while (port.endsWith(QChar(u'\0')))
            port.chop(1);
        if (!port.isEmpty())
            ports.append({port, QString::fromWCharArray(name, static_cast<qsizetype>(nameLength))});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const SerialCommPort& a, const SerialCommPort& b) {
        return ComPortBefore(a.portName, b.portName);
    });
    return ports;
}

} // namespace pb
