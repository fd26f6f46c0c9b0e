#pragma once
// The two readers shared by the configuration file and the settings files:
// the leading number of a text, and lines of the form "<key><label>-><value>".
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace pb {

// The decimal number at the start of the text (leading blanks and tabs
// skipped, optional sign, digits, optional fraction), rounded to an integer
// with halves going to the even neighbour. Text without a number gives 0.
// Nothing when the number does not fit a 16-bit signed integer.
// Independent of the locale.
std::optional<int16_t> LeadingNumber(QStringView text);

constexpr int kLabelledSlots = 301; // keys 0..300
using LabelledSlots = std::array<QString, kLabelledSlots>;

// Reads lines into fields by key: the key is the leading number of the first
// four characters, the value everything after the first "->". Keys 299 and
// above are skipped, a negative key ends reading, a later line overwrites an
// earlier one with the same key. Empty lines and lines without "->" are
// ignored. Keys not named keep what the caller put there.
void ReadLabelledLines(const QStringList& lines, LabelledSlots& fields);

// The same over a file; a file that cannot be read leaves the fields alone.
void ReadLabelledFile(const QString& path, LabelledSlots& fields);

} // namespace pb
