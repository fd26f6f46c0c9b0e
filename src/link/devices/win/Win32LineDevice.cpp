#include "link/devices/win/Win32LineDevice.h"

#include "link/ports/ComPortNames.h"
#include "link/devices/win/SystemErrorText.h"

#include <windows.h>

#include <algorithm>

namespace pb {

namespace {

HANDLE handleOf(void* handle)
{
    return static_cast<HANDLE>(handle);
}

BYTE parityOf(Parity parity)
{
    switch (parity) {
    case Parity::None: return NOPARITY;
    case Parity::Even: return EVENPARITY;
    case Parity::Odd: return ODDPARITY;
    }
    return NOPARITY;
}

void applySettings(DCB& dcb, const LineSettings& settings)
{
    const bool handshake = settings.handshake == Handshake::RtsCts;
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = settings.dataBits == 7 ? 7 : 8;
    dcb.Parity = parityOf(settings.parity);
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.fOutxCtsFlow = handshake ? TRUE : FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fRtsControl = handshake ? RTS_CONTROL_HANDSHAKE
                                : (settings.requestToSend ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE);
    dcb.fDtrControl = settings.dataTerminalReady ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
}

// Reads return at once with what waits. A write may take what its bytes
// need on the line (12 bits a byte at the most) and a margin; a driver that
// has not taken them by then does not drain (a stalled adapter, CTS held low).
bool setTimeouts(HANDLE handle, qint32 baudRate)
{
    constexpr DWORD kWriteMarginMs = 200;
    const qint32 baud = std::max(baudRate, 1);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = static_cast<DWORD>((12 * 1000 + baud - 1) / baud);
    timeouts.WriteTotalTimeoutConstant = kWriteMarginMs;
    return SetCommTimeouts(handle, &timeouts) != 0;
}

// Why CreateFileW did not open the port. No sharing is asked for, so a
// port that another program holds is denied to every user alike.
DeviceError openFailure(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return {DeviceErrorKind::Missing, SystemErrorText(error)};
    case ERROR_ACCESS_DENIED:
        return {DeviceErrorKind::Busy, SystemErrorText(error) + QStringLiteral(" (another program holds the port)")};
    default:
        return {DeviceErrorKind::Other, SystemErrorText(error)};
    }
}

// Closes a handle the port was not kept on, and tells why.
DeviceError dropHandle(HANDLE handle, DeviceErrorKind kind)
{
    const DWORD error = GetLastError();
    CloseHandle(handle);
    return {kind, SystemErrorText(error)};
}

} // namespace

Win32LineDevice::Win32LineDevice(const QString& name)
    : path_(Win32DevicePath(name))
{
}

Win32LineDevice::~Win32LineDevice()
{
    close();
}

DeviceError Win32LineDevice::open(const LineSettings& settings)
{
    close();
    // No sharing: a second program on the same port finds it busy.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path_.utf16()), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return openFailure(GetLastError());
    // Anything that is not a serial port (a file, a printer) fails here.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb))
        return dropHandle(handle, DeviceErrorKind::NotSerial);
    applySettings(dcb, settings);
    if (!SetCommState(handle, &dcb) || !setTimeouts(handle, settings.baudRate))
        return dropHandle(handle, DeviceErrorKind::Other);
    handle_ = handle;
    sinceCheck_.invalidate();
    handshake_ = settings.handshake == Handshake::RtsCts;
    PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    setModemLines(settings.requestToSend, settings.dataTerminalReady);
    return {};
}

void Win32LineDevice::close()
{
    if (!handle_)
        return;
    PurgeComm(handleOf(handle_), PURGE_RXABORT | PURGE_TXABORT | PURGE_TXCLEAR);
    CloseHandle(handleOf(handle_));
    handle_ = nullptr;
}

void Win32LineDevice::lost(unsigned long error)
{
    if (onGone)
        onGone({DeviceErrorKind::Lost, SystemErrorText(error)});
}

QByteArray Win32LineDevice::readWaiting()
{
    QByteArray received;
    if (!handle_)
        return received;
    char chunk[4096];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(handleOf(handle_), chunk, sizeof chunk, &count, nullptr)) {
            // An adapter pulled out: the reads fail from then on.
            lost(GetLastError());
            return received;
        }
        received.append(chunk, static_cast<qsizetype>(count));
        if (count < sizeof chunk)
            break;
    }
    if (received.isEmpty())
        checkWhileIdle();
    return received;
}

// Some drivers go on answering reads with nothing once their adapter is
// pulled out; asking the driver for the line's state fails then.
void Win32LineDevice::checkWhileIdle()
{
    if (!handle_ || (sinceCheck_.isValid() && !sinceCheck_.hasExpired(kIdleCheckMs)))
        return;
    sinceCheck_.start();
    DWORD errors = 0;
    if (!ClearCommError(handleOf(handle_), &errors, nullptr))
        lost(GetLastError());
}

bool Win32LineDevice::write(const QByteArray& bytes)
{
    if (!handle_)
        return false;
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        lost(GetLastError());
        return false;
    }
    // Cut short by the time-out: the bytes do not leave.
    if (written != static_cast<DWORD>(bytes.size())) {
        lost(ERROR_TIMEOUT);
        return false;
    }
    return true;
}

void Win32LineDevice::clearInput()
{
    if (handle_)
        PurgeComm(handleOf(handle_), PURGE_RXCLEAR);
}

void Win32LineDevice::setModemLines(bool requestToSend, bool dataTerminalReady)
{
    if (!handle_)
        return;
    // A virtual port may have no modem lines, and under handshaking the
    // driver drives RTS itself; the data flows all the same.
    if (!handshake_)
        EscapeCommFunction(handleOf(handle_), requestToSend ? SETRTS : CLRRTS);
    EscapeCommFunction(handleOf(handle_), dataTerminalReady ? SETDTR : CLRDTR);
}

// Read back from the port, so a driver that did not take a setting shows.
LineState Win32LineDevice::lineState()
{
    LineState state;
    if (!handle_)
        return state;
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (GetCommState(HANDLE(handle_), &dcb)) {
        const char parity = dcb.Parity == EVENPARITY ? 'E' : dcb.Parity == ODDPARITY ? 'O' : dcb.Parity == MARKPARITY ? 'M'
            : dcb.Parity == SPACEPARITY ? 'S' : 'N';
        state.settings = QStringLiteral("%1,%2,%3,%4")
                             .arg(qulonglong(dcb.BaudRate))
                             .arg(QLatin1Char(parity))
                             .arg(int(dcb.ByteSize))
                             .arg(dcb.StopBits == TWOSTOPBITS ? 2 : 1);
    }
    DWORD lines = 0;
    if (GetCommModemStatus(HANDLE(handle_), &lines)) {
        state.modemLines = true;
        state.clearToSend = lines & MS_CTS_ON;
        state.dataSetReady = lines & MS_DSR_ON;
        state.carrierDetect = lines & MS_RLSD_ON;
        state.ringIndicator = lines & MS_RING_ON;
    }
    return state;
}

} // namespace pb
