#include "files/TextFile.h"

#include "files/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace pb {
namespace {

bool writeAll(QIODevice& device, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

std::optional<QByteArray> readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

void restore(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        writeAll(file, bytes);
}

} // namespace

QStringList TextLines(const QByteArray& bytes)
{
    static const QByteArray kByteOrderMark("\xEF\xBB\xBF");
    QStringList lines;
    qsizetype start = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = start; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(fromWindows1252(bytes.mid(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(fromWindows1252(bytes.mid(start)));
    return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path)
{
    // Opening a named pipe would wait for a writer, and reading a device
    // might never end: only regular files are read.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadTextLines(file);
}

QStringList ReadTextLines(QIODevice& device)
{
    QByteArray bytes(kMaxTextFileBytes, Qt::Uninitialized);
    qint64 size = 0;
    bool failed = false;
    while (size < kMaxTextFileBytes) {
        const qint64 n = device.read(bytes.data() + size, kMaxTextFileBytes - size);
        failed = n < 0;
        if (n <= 0)
            break;
        size += n;
    }
    bytes.truncate(size);
    // After a read error the last line may be cut short: keep only the
    // lines that ended before it, as a line-by-line reader would have.
    if (failed) {
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastEnd + 1);
    }
    return TextLines(bytes);
}

QByteArray JoinCrLf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes.append(toWindows1252(line));
        bytes.append("\r\n");
    }
    return bytes;
}

WriteOutcome WriteTextFileAtomically(const QString& path, const QStringList& lines)
{
    return WriteFileAtomically(path, JoinCrLf(lines));
}

WriteOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const auto failed = [&](QString reason) {
        if (reason.isEmpty())
            reason = QStringLiteral("Unknown error");
        return WriteOutcome{path, reason};
    };
    // A file the user may not write stays as it is, although the folder
    // would let a new one take its place.
    std::optional<QByteArray> before;
    if (QFileInfo(path).isFile()) {
        QFile existing(path);
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
            return failed(existing.errorString());
        before = readWhole(path);
    }

    // Unbuffered: a buffered QSaveFile flushes at commit and does not notice
    // a short write (a full disk), so it would replace the old file with a
    // truncated one. Written directly, every short write is seen here.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        // Written in place (the folder takes no new file), the old bytes
        // are gone: put them back.
        if (before && readWhole(path) != before)
            restore(path, *before);
        return failed(reason);
    }
    if (!file.commit())
        return failed(file.errorString());
    return WriteOutcome{path, QString()};
}

bool AppendTextLine(const QString& path, const QString& line)
{
    QFile file(path);
    // Unbuffered, so that nothing is left to be written later behind a failure.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 sizeBefore = file.size();
    const QByteArray bytes = JoinCrLf({line});
    const bool written = writeAll(file, bytes);
    if (!written)
        file.resize(sizeBefore); // a full disk must not leave half a line
    return written;
}

} // namespace pb
