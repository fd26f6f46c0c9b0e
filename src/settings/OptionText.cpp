#include "settings/OptionText.h"

#include "settings/NumberText.h"

namespace pb {

OptionText OptionText::operator+(const OptionText& tail) const
{
    OptionText joined = *this;
    joined.pieces_.insert(joined.pieces_.end(), tail.pieces_.begin(), tail.pieces_.end());
    return joined;
}

OptionText OptionText::Text(int number)
{
    OptionText t;
    t.pieces_.push_back({Kind::Text, number, {}});
    return t;
}

OptionText OptionText::Literal(const QString& literal)
{
    OptionText t;
    t.pieces_.push_back({Kind::Literal, 0, literal});
    return t;
}

OptionText OptionText::LoopNumber(int factor)
{
    OptionText t;
    t.pieces_.push_back({Kind::Number, factor, {}});
    return t;
}

OptionText OptionText::LoopHex()
{
    OptionText t;
    t.pieces_.push_back({Kind::Hex, 0, {}});
    return t;
}

QString OptionText::Build(const TextTable& textTable, int k) const
{
    QString result;
    for (const Piece& piece : pieces_) {
        switch (piece.kind) {
        case Kind::Text:
            if (piece.value >= 0 && piece.value < kTextSlots)
                result += textTable[piece.value];
            break;
        case Kind::Literal:
            result += piece.literal;
            break;
        case Kind::Number:
            result += IntToText(static_cast<int16_t>(k * piece.value));
            break;
        case Kind::Hex:
            result += ToHex(static_cast<int16_t>(k));
            break;
        }
    }
    return result;
}

QStringList BuildOptions(const OptionList& options, const TextTable& textTable)
{
    QStringList texts;
    for (const OptionRun& run : options) {
        for (int k = run.from; k <= run.to; ++k)
            texts << run.label.Build(textTable, k);
    }
    return texts;
}

} // namespace pb
