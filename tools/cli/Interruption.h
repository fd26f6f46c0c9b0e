#pragma once
// Ctrl-C (SIGINT) and SIGTERM, held back for the whole run: they never end
// the process in the middle of an exchange, but wait as a readable
// descriptor for the event loop and the read of standard input, and as
// pending signals for the end, so that every command closes its port and
// ends with ExitInterrupted.
// On Windows a console handler takes Ctrl-C, Ctrl-Break and closing the
// console instead (win/Interruption.cpp; the signals in unix/); there is
// no descriptor but an event, and the event loop asks happened() on its ticks.

namespace pb::cli {

class Interruption {
public:
    // Blocks the two signals in this thread and in every thread started
    // after it; so it comes first in main.
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // Readable once a signal came; -1 when the system gives no descriptor.
    int descriptor() const { return fd_; }
    // Windows only: set once Ctrl-C came, for WaitForMultipleObjects.
    void* event() const;
    // A signal came, and has not been taken.
    bool happened() const;

    // The command has returned and closed its port; main returns `status`.
    // Windows ends the process once the console handler returns for a
    // console that is being closed: there the handler waits for this, and
    // ends the process with the status itself.
    void ended(int status) const;

private:
    int fd_ = -1;
};

} // namespace pb::cli
