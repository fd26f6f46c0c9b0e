#include "files/TextFile.h"

#include "files/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    const QByteArray bytes = file.read(kMaxTextFileBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
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

bool WriteTextFileAtomically(const QString& path, const QStringList& lines)
{
    // Unbuffered: a buffered QSaveFile flushes at commit and does not notice
    // a short write (a full disk), so it would replace the old file with a
    // truncated one. Written directly, every short write is seen here.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = JoinCrLf(lines);
    if (!writeAll(file, bytes)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
