#include "ui/GridColouring.h"

#include <QApplication>

namespace pb {

QColor ConfirmedRowColour(const QComboBox* combo)
{
    return QApplication::palette(combo).color(QPalette::Disabled, QPalette::Text);
}

QColor UnconfirmedRowColour(const QComboBox* combo)
{
    return QApplication::palette(combo).color(QPalette::Active, QPalette::Text);
}

namespace {

void setTextColour(QComboBox* combo, const QColor& colour)
{
    if (combo->palette().color(QPalette::Active, QPalette::Text) == colour)
        return; // unchanged: only a row whose state changed is repainted
    QPalette palette = combo->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    combo->setPalette(palette);
}

} // namespace

void ColourSettingsGrid(const SettingsGrid& grid, const RowValues& values, const std::function<bool(int row)>& rowPending)
{
    // The lists share one class palette: look the two colours up once.
    const QComboBox* first = grid.ComboInstellingen[0];
    const QColor confirmedColour = ConfirmedRowColour(first);
    const QColor unconfirmedColour = UnconfirmedRowColour(first);
    for (int r = 0; r < kGridRows; ++r) {
        if (rowPending && rowPending(r))
            continue;
        const bool confirmed = grid.model->position(r) == values.SettingsInUnit[r];
        setTextColour(grid.ComboInstellingen[r], confirmed ? confirmedColour : unconfirmedColour);
    }
}

} // namespace pb
