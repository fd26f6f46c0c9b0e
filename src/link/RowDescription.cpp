#include "link/RowDescription.h"

#include "settings/NumberText.h"
#include "texts/TextNumbers.h"

namespace pb {

QString RowDescription(const GridModel& grid, const TextTable& Tekst, int16_t row)
{
    if (row < 0 || row >= kGridRows || !grid.shown(row))
        return QString();
    return u'[' + grid.text(row) + QStringLiteral(": ") + IntToText(row) + u' ' + Tekst[TxtValue]
        + QStringLiteral(": ") + IntToText(int16_t(grid.position(row))) + QStringLiteral("] ");
}

} // namespace pb
