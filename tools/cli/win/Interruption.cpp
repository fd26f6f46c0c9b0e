#include "Interruption.h"

#include <windows.h>

#include <atomic>

namespace pb::cli {

namespace {

// The handler runs on a thread of its own that the system starts.
std::atomic<bool>& interrupted()
{
    static std::atomic<bool> flag{false};
    return flag;
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    interrupted() = true;
    return TRUE;
}

} // namespace

Interruption::Interruption()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

Interruption::~Interruption()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

bool Interruption::happened() const
{
    return interrupted();
}

} // namespace pb::cli
