#pragma once
// Where the tool writes: results to standard output, progress and the
// engine's error texts to standard error. Progress shows only while
// standard error is a terminal. A result that cannot be written (a full
// disk, a closed pipe) is remembered, so that the command fails.
#include <QByteArray>
#include <QString>
#include <cerrno>
#include <cstdio>

namespace pb::cli {

struct CliOutput {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool progress = false; // standard error is a terminal
    mutable int resultError = 0; // errno of the first result that failed

    bool result(const QByteArray& bytes) const
    {
        errno = 0;
        const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) == size_t(bytes.size())
            && std::fflush(out) == 0;
        if (!written && resultError == 0)
            resultError = errno != 0 ? errno : EIO;
        return written;
    }
    bool resultLine(const QString& line) const { return result(line.toLocal8Bit() + '\n'); }
    bool failed() const { return resultError != 0; }
    void error(const QString& line) const
    {
        std::fprintf(err, "%s\n", line.toLocal8Bit().constData());
        std::fflush(err);
    }
    void progressLine(const QString& line) const
    {
        if (progress)
            error(line);
    }
};

} // namespace pb::cli
