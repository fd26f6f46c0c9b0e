#include "StandardStreams.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <stdio.h>
#include <thread>

namespace pb::cli {

namespace {

// What the reading thread leaves, shared: when Ctrl-C comes first the
// thread stays blocked in its read until the process ends.
struct InputRead {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    QByteArray bytes;
    bool failed = false;

    InputRead() = default;
    InputRead(const InputRead&) = delete;
    InputRead& operator=(const InputRead&) = delete;
    ~InputRead() { CloseHandle(done); }
};

// The Win32 handle, not the C stream: a thread blocked in it holds no lock
// that the end of the process would wait for.
void ReadToEnd(InputRead& read, qint64 limit)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::array<char, 4096> chunk;
    while (read.bytes.size() < limit) {
        DWORD n = 0;
        const DWORD wanted = DWORD(std::min<qint64>(qint64(chunk.size()), limit - read.bytes.size()));
        if (!ReadFile(input, chunk.data(), wanted, &n, nullptr)) {
            read.failed = GetLastError() != ERROR_BROKEN_PIPE; // a pipe's end
            break;
        }
        if (n == 0)
            break;
        read.bytes.append(chunk.data(), qsizetype(n));
    }
    SetEvent(read.done);
}

} // namespace

void PrepareStandardStreams()
{
    // Bytes as they are: a settings file's CR LF stays CR LF, not CR CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

std::optional<QByteArray> ReadStandardInput(const Interruption& interruption, qint64 limit)
{
    // A read of a pipe or the console cannot wait for an event besides:
    // it runs on a thread, and this one waits for it or for Ctrl-C.
    const auto read = std::make_shared<InputRead>();
    std::thread([read, limit] { ReadToEnd(*read, limit); }).detach();
    const std::array<HANDLE, 2> waited{read->done, interruption.event()};
    if (WaitForMultipleObjects(DWORD(waited.size()), waited.data(), FALSE, INFINITE) != WAIT_OBJECT_0 || read->failed)
        return std::nullopt;
    return read->bytes;
}

} // namespace pb::cli
