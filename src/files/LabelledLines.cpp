#include "files/LabelledLines.h"

#include "files/TextFile.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace pb {
namespace {

constexpr int kFirstSkippedKey = 299;
constexpr int kKeyWidth = 4;

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

std::optional<int16_t> LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    // Collect sign, digits and fraction as plain ASCII for from_chars, which
    // ignores the locale.
    std::string number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            number.push_back('-');
        ++i;
    }
    bool anyDigit = false;
    while (i < text.size() && isDigit(text[i])) {
        number.push_back(char(text[i].unicode()));
        anyDigit = true;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            number.push_back(char(text[i].unicode()));
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return int16_t(0);
    if (number.front() == '.' || (number.front() == '-' && number.size() > 1 && number[1] == '.'))
        number.insert(number.front() == '-' ? 1 : 0, "0");
    if (number.back() == '.')
        number.push_back('0');

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (rounded < std::numeric_limits<int16_t>::min() || rounded > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(rounded);
}

void ReadLabelledLines(const QStringList& lines, LabelledSlots& fields)
{
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype arrow = line.indexOf(QStringLiteral("->"));
        if (arrow < 0)
            continue;
        const std::optional<int16_t> key = LeadingNumber(QStringView(line).left(kKeyWidth));
        if (!key)
            continue;
        if (*key >= kFirstSkippedKey)
            continue;
        if (*key < 0)
            return;
        fields[*key] = line.mid(arrow + 2);
    }
}

void ReadLabelledFile(const QString& path, LabelledSlots& fields)
{
    if (const std::optional<QStringList> lines = ReadTextLines(path))
        ReadLabelledLines(*lines, fields);
}

} // namespace pb
