#pragma once
// A small language for the option texts of the settings grid. An option text
// is a chain of pieces joined without separators: a text of the table, a
// literal, or the loop number of a numbered range (decimal, scaled, or hex).
// Texts are looked up when the options are built, so they follow the active
// language.
//
//   text(48) + lit(": 1200 baud")
//   range(0, 19, text(139) + lit(": ") + k() + lit(" ") + text(140))
#include "texts/TextTable.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pb {

class OptionText {
public:
    OptionText() = default;

    OptionText operator+(const OptionText& tail) const;
    QString Build(const TextTable& textTable, int k) const;

    static OptionText Text(int number);
    static OptionText Literal(const QString& literal);
    static OptionText LoopNumber(int factor);
    static OptionText LoopHex();

private:
    enum class Kind { Text, Literal, Number, Hex };
    struct Piece {
        Kind kind;
        int value;       // text number or factor
        QString literal;
    };
    std::vector<Piece> pieces_;
};

inline OptionText text(int number) { return OptionText::Text(number); }
inline OptionText lit(const char* literal) { return OptionText::Literal(QString::fromUtf8(literal)); }
// The loop number times factor, as decimal digits.
inline OptionText k(int factor = 1) { return OptionText::LoopNumber(factor); }
// The loop number in upper-case hexadecimal.
inline OptionText hexk() { return OptionText::LoopHex(); }

// Options from..to of one text pattern, one per loop number, in increasing order.
struct OptionRun {
    int from;
    int to;
    OptionText label;
};
using OptionList = std::vector<OptionRun>;

inline OptionRun opt(const OptionText& label) { return {0, 0, label}; }
inline OptionRun range(int from, int to, const OptionText& label) { return {from, to, label}; }

// The options in list order.
QStringList BuildOptions(const OptionList& options, const TextTable& textTable);

} // namespace pb
