#include "Interruption.h"

#include <windows.h>

#include <atomic>

namespace pb::cli {

namespace {

// Windows gives a closing console's handler about 5 s before it ends the
// process; the run gets most of it to close its port.
constexpr DWORD kCloseWaitMs = 4000;

// Who ends the process once the console is being closed.
enum class Ending { Running, Closing, Ended };

// Shared with the handler, which runs on a thread of its own that the
// system starts; they live as long as the process.
struct ConsoleState {
    HANDLE interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<Ending> ending{Ending::Running};
    std::atomic<int> status{0};
};

ConsoleState& state()
{
    static ConsoleState shared;
    return shared;
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    ConsoleState& console = state();
    SetEvent(console.interrupted);
    if (event != CTRL_CLOSE_EVENT)
        return TRUE;
    Ending running = Ending::Running;
    if (!console.ending.compare_exchange_strong(running, Ending::Closing)) {
        // main is already on its way out with its status; it ends the
        // process, and this thread with it, unless it takes too long.
        Sleep(kCloseWaitMs);
        return TRUE;
    }
    // The run ends as interrupted and closes its port; then main waits in
    // ended() and the process ends here, with the run's status.
    if (WaitForSingleObject(console.runEnded, kCloseWaitMs) == WAIT_OBJECT_0)
        ExitProcess(UINT(console.status.load()));
    return TRUE;
}

} // namespace

Interruption::Interruption()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

// The handler stays to the end of the process: removing it would wait for
// a handler that is running, and it uses nothing this object owns.
Interruption::~Interruption() = default;

void* Interruption::event() const
{
    return state().interrupted;
}

bool Interruption::happened() const
{
    return WaitForSingleObject(state().interrupted, 0) == WAIT_OBJECT_0;
}

void Interruption::ended(int status) const
{
    ConsoleState& console = state();
    console.status = status;
    Ending running = Ending::Running;
    if (console.ending.compare_exchange_strong(running, Ending::Ended))
        return;
    // The console is being closed: its handler ends the process, unless
    // it has given up waiting, and then main does.
    SetEvent(console.runEnded);
    Sleep(kCloseWaitMs);
}

} // namespace pb::cli
