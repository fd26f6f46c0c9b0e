#include "link/RowDescription.h"

#include "settings/GridTransfer.h"
#include "settings/NumberText.h"

namespace pb {

QString RowDescription(const SettingsGrid& grid, const TextTable& Tekst, int16_t row)
{
    if (row < 0 || row >= kGridRows || !RowShown(grid, row))
        return QString();
    const QComboBox* combo = grid.ComboInstellingen[row];
    return u'[' + combo->currentText() + QStringLiteral(": ") + IntToText(row) + u' ' + Tekst[119]
        + QStringLiteral(": ") + IntToText(int16_t(SelectedPosition(combo))) + QStringLiteral("] ");
}

} // namespace pb
