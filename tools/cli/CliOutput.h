#pragma once
// Where the tool writes: results to standard output, progress and the
// engine's error texts to standard error. Progress shows only while
// standard error is a terminal.
#include <QByteArray>
#include <QString>
#include <cstdio>

namespace pb::cli {

struct CliOutput {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool progress = false; // standard error is a terminal

    void result(const QByteArray& bytes) const
    {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
        std::fflush(out);
    }
    void resultLine(const QString& line) const { result(line.toLocal8Bit() + '\n'); }
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
