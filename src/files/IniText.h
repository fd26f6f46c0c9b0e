#pragma once
// An INI file as a person wrote it, changed one entry at a time: comments
// (";" or "#" first on the line), blank lines, lines that are no entry and
// other sections stay as they were. Section names and keys are matched in
// any case. A value is taken literally: everything after the first "=",
// blanks around it trimmed, with no escapes; only a value wholly in double
// quotes loses that one pair. A leading UTF-8 byte-order mark is accepted
// and kept; the lines are Windows-1252, written with CR LF.
#include "files/TextFile.h"

#include <functional>
#include <vector>

namespace pb {

struct IniEntry {
    QString key;
    QString value;
};

class IniText {
public:
    // The file's lines; nothing when it is no regular file or cannot be read.
    static IniText read(const QString& path);

    // The entries of every section of that name, in the order of the file.
    std::vector<IniEntry> entries(const QString& section) const;

    using KeyMatch = std::function<bool(const QString& key)>;

    // The first entry of the section whose key matches becomes key=value and
    // the other matching ones go; without one the entry is added after the
    // section's last line, and the section at the end when there is none.
    void setEntry(const QString& section, const KeyMatch& matches, const IniEntry& entry);
    // Removes every entry of the section whose key matches.
    void removeEntries(const QString& section, const KeyMatch& matches);

    // Replaces the file at once (see WriteFileAtomically).
    WriteOutcome write(const QString& path) const;

private:
    // The line indexes of the section's entries whose key matches.
    std::vector<int> matchingLines(const QString& section, const KeyMatch& matches) const;
    // Where a new entry of the section goes, or -1 when there is no such section.
    int insertionPoint(const QString& section) const;

    QStringList lines_;
    bool byteOrderMark_ = false;
};

} // namespace pb
