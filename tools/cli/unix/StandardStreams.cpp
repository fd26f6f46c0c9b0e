#include "StandardStreams.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace pb::cli {

void PrepareStandardStreams()
{
    // A reader that went away makes the write fail with EPIPE, which the
    // output reports, instead of ending the process without a word.
    std::signal(SIGPIPE, SIG_IGN);
}

std::optional<QByteArray> ReadStandardInput(const Interruption& interruption, qint64 limit)
{
    // A negative descriptor (none) is left out by poll().
    std::array<pollfd, 2> watched{{{STDIN_FILENO, POLLIN, 0}, {interruption.descriptor(), POLLIN, 0}}};
    QByteArray bytes;
    std::array<char, 4096> chunk;
    while (bytes.size() < limit) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (watched[1].revents != 0)
            return std::nullopt; // the signal stays pending
        const qint64 wanted = std::min<qint64>(qint64(chunk.size()), limit - bytes.size());
        const ssize_t n = ::read(STDIN_FILENO, chunk.data(), size_t(wanted));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return std::nullopt;
        }
        bytes.append(chunk.data(), qsizetype(n));
    }
    return bytes;
}

} // namespace pb::cli
