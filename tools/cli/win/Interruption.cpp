#include "Interruption.h"

#include <windows.h>

namespace pb::cli {

namespace {

// Set by the handler, which runs on a thread of its own that the system
// starts; it lives as long as the process.
HANDLE interruptedEvent()
{
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    SetEvent(interruptedEvent());
    return TRUE;
}

} // namespace

Interruption::Interruption()
    : event_(interruptedEvent())
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

Interruption::~Interruption()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

bool Interruption::happened() const
{
    return WaitForSingleObject(interruptedEvent(), 0) == WAIT_OBJECT_0;
}

} // namespace pb::cli
