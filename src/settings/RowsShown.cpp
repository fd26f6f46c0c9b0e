#include "settings/RowsShown.h"

#include "settings/RowValues.h"
#include "settings/ValueCoding.h"

#include <algorithm>

namespace pb {

QList<int16_t> ShownRowNumbers(int16_t unitType, const RowsShown& rows)
{
    QList<int16_t> numbers;
    const int16_t last = std::min<int16_t>(HighestRow(unitType), kGridRows - 1);
    for (int16_t row = 0; row <= last; ++row) {
        if (rows.rowShown(row))
            numbers.append(row);
    }
    return numbers;
}

} // namespace pb
