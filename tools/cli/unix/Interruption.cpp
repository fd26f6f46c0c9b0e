#include "Interruption.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace pb::cli {

Interruption::Interruption()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) == 0)
        fd_ = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

Interruption::~Interruption()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// The signal is never read from the descriptor, so it stays pending.
bool Interruption::happened() const
{
    sigset_t pending;
    if (sigpending(&pending) != 0)
        return false;
    return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1;
}

// A signal's default action is held back, so nothing waits for the end.
void Interruption::ended(int) const {}

} // namespace pb::cli
