#include "files/IniText.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace pb {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
constexpr QChar kQuote(u'"');

std::optional<QString> sectionOf(const QString& line)
{
    const QString text = line.trimmed();
    if (text.size() < 2 || !text.startsWith(u'[') || !text.endsWith(u']'))
        return std::nullopt;
    return text.mid(1, text.size() - 2).trimmed();
}

bool isWrappedInQuotes(const QString& text)
{
    return text.size() >= 2 && text.startsWith(kQuote) && text.endsWith(kQuote);
}

std::optional<IniEntry> entryOf(const QString& line)
{
    const QString text = line.trimmed();
    const qsizetype equals = text.indexOf(u'=');
    if (text.startsWith(u';') || text.startsWith(u'#') || equals <= 0)
        return std::nullopt;
    const QString key = text.left(equals).trimmed();
    QString value = text.mid(equals + 1).trimmed();
    if (isWrappedInQuotes(value))
        value = value.mid(1, value.size() - 2);
    if (key.isEmpty())
        return std::nullopt;
    return IniEntry{key, value};
}

// The line that reads back as the entry.
QString lineOf(const IniEntry& entry)
{
    const bool needsQuotes = isWrappedInQuotes(entry.value) || entry.value != entry.value.trimmed();
    return entry.key + u'=' + (needsQuotes ? kQuote + entry.value + kQuote : entry.value);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniText IniText::read(const QString& path)
{
    IniText text;
    if (!QFileInfo(path).isFile())
        return text;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return text;
    text.byteOrderMark_ = file.peek(kByteOrderMark.size()) == kByteOrderMark;
    text.lines_ = ReadTextLines(file);
    return text;
}

std::vector<IniEntry> IniText::entries(const QString& section) const
{
    std::vector<IniEntry> found;
    for (int i : matchingLines(section, [](const QString&) { return true; }))
        found.push_back(*entryOf(lines_[i]));
    return found;
}

std::vector<int> IniText::matchingLines(const QString& section, const KeyMatch& matches) const
{
    std::vector<int> found;
    bool inSection = false;
    for (int i = 0; i < lines_.size(); ++i) {
        if (const auto name = sectionOf(lines_[i])) {
            inSection = sameName(*name, section);
            continue;
        }
        const auto entry = entryOf(lines_[i]);
        if (inSection && entry && matches(entry->key))
            found.push_back(i);
    }
    return found;
}

int IniText::insertionPoint(const QString& section) const
{
    int point = -1;
    bool inSection = false;
    for (int i = 0; i < lines_.size(); ++i) {
        if (const auto name = sectionOf(lines_[i])) {
            inSection = sameName(*name, section);
            if (inSection)
                point = i + 1;
        } else if (inSection && entryOf(lines_[i])) {
            point = i + 1;
        }
    }
    return point;
}

void IniText::setEntry(const QString& section, const KeyMatch& matches, const IniEntry& entry)
{
    const std::vector<int> found = matchingLines(section, matches);
    if (!found.empty()) {
        lines_[found.front()] = lineOf(entry);
        for (auto i = found.rbegin(); i + 1 != found.rend(); ++i)
            lines_.removeAt(*i);
        return;
    }
    int point = insertionPoint(section);
    if (point < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QStringLiteral("[") + section + u']');
        point = int(lines_.size());
    }
    lines_.insert(point, lineOf(entry));
}

void IniText::removeEntries(const QString& section, const KeyMatch& matches)
{
    const std::vector<int> found = matchingLines(section, matches);
    for (auto i = found.rbegin(); i != found.rend(); ++i)
        lines_.removeAt(*i);
}

WriteOutcome IniText::write(const QString& path) const
{
    return WriteFileAtomically(path, (byteOrderMark_ ? kByteOrderMark : QByteArray()) + JoinCrLf(lines_));
}

} // namespace pb
