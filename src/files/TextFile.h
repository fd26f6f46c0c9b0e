#pragma once
// Whole-file access to the program's 8-bit text files (CR LF line ends).
#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace pb {

// The bytes as Windows-1252 lines. CR LF, a lone LF and a lone CR all end a
// line, so files edited on any system read the same. A leading UTF-8
// byte-order mark (as editors put before "UTF-8" files) is dropped, so that
// it does not hide the first line's key; the rest stays Windows-1252.
QStringList TextLines(const QByteArray& bytes);

// Our files are a few hundred bytes; a file chosen by mistake may be huge.
constexpr qint64 kMaxTextFileBytes = 16 * 1024 * 1024;

// The lines of the first kMaxTextFileBytes of a file, or nothing when it is
// no regular file (a folder, a pipe, a device) or cannot be opened. A read
// error part of the way keeps the whole lines read before it.
std::optional<QStringList> ReadTextLines(const QString& path);

// The same over a device already open for reading.
QStringList ReadTextLines(QIODevice& device);

// Each line ended by CR LF, as one byte stream.
QByteArray JoinCrLf(const QStringList& lines);

// What became of writing a file: its path, and why it could not be written.
struct WriteOutcome {
    QString path;
    QString failure; // empty when the file was written

    bool ok() const { return failure.isEmpty(); }
    explicit operator bool() const { return ok(); }
};

// Replaces the file's content with the lines, each ended by CR LF. The new
// content goes to a temporary file that replaces the old one only once it
// is complete, so a crash or a full disk never leaves a half-written file.
// Where the folder takes no new file but the file itself can be written (a
// shared or read-only program folder), the file is written in place, and
// its old content put back when that fails. A file the user may not write
// is not replaced.
WriteOutcome WriteTextFileAtomically(const QString& path, const QStringList& lines);

// The same for bytes already encoded, such as lines behind a byte-order mark.
WriteOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Appends one line and CR LF, creating the file when missing.
bool AppendTextLine(const QString& path, const QString& line);

} // namespace pb
