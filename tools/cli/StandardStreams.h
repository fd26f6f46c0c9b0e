#pragma once
// Standard input and output as the tool uses them: bytes as they are (no
// line-end translation on Windows), a closed pipe a failed write rather
// than the end of the process, and standard input read while Ctrl-C and
// SIGTERM are watched. POSIX calls in unix/, Win32 ones in win/.
#include "Interruption.h"

#include <QByteArray>
#include <optional>

namespace pb::cli {

// Once, at the start of main.
void PrepareStandardStreams();

// Standard input to its end, or its first `limit` bytes. Nothing when it
// cannot be read, or when a signal came first (interruption.happened()
// then says so); a terminal or a pipe kept open never holds the signal up.
std::optional<QByteArray> ReadStandardInput(const Interruption& interruption, qint64 limit);

} // namespace pb::cli
