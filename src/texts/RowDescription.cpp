#include "texts/RowDescription.h"

#include "settings/NumberText.h"
#include "settings/RowValues.h"
#include "texts/TextNumbers.h"

namespace pb {

QString RowDescription(const RowsShown& grid, const TextTable& texts, int16_t row)
{
    // A row that shows nothing (a tool that has not read it yet) would give
    // an empty caption and the absolute of -1: it is left out instead.
    if (row < 0 || row >= kGridRows || !grid.rowShown(row) || grid.shownText(row).isEmpty())
        return QString();
    return u'[' + grid.shownText(row) + QStringLiteral(": ") + IntToText(row) + u' ' + texts[TxtValue]
        + QStringLiteral(": ") + IntToText(int16_t(grid.shownPosition(row))) + QStringLiteral("] ");
}

} // namespace pb
