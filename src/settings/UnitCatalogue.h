#pragma once
// The rows of the settings grid for each unit type: which rows exist, which
// are shown, and the option texts of each row in list order. A row's value
// is the position of its selected option, so the texts may change with the
// language while the values stay put.
#include "settings/GridModel.h"
#include "texts/TextTable.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace pb {

enum class RowState {
    Empty,  // not used: hidden, no options
    Shown,  // visible with its buttons
    Hidden, // holds its options but stays invisible, buttons too
    Filler, // hidden, holding only the filler option
};

struct RowDefinition {
    RowState state = RowState::Empty;
    QStringList options;
};

using GridDefinition = std::array<RowDefinition, kGridRows>;

// The option of the rows a type does not use; the same in every language.
inline const QString kNoItemPossible = QStringLiteral("No item possible");

// The 26 rows for a unit type in the language of texts. A code without
// settings (0, or outside 0..6) gives 26 filler rows.
GridDefinition GridRows(int16_t unitType, const TextTable& texts);

// The same rows without words: their states and as many options, each
// empty; for a program that words nothing.
GridDefinition GridLayout(int16_t unitType);

// The bleep codes of the test call, "BleepCode: 0" to "BleepCode: F".
QStringList BleepCodeOptions();
constexpr int kDefaultBleepCodePosition = 1;

} // namespace pb
