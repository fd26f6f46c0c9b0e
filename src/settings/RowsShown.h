#pragma once
// What the settings grid shows of a row, as the words of an exchange name
// it: the window's grid model, or a tool's rows without one.
#include <QList>
#include <QString>
#include <cstdint>

namespace pb {

class RowsShown {
public:
    virtual ~RowsShown() = default;
    virtual bool rowShown(int row) const = 0;
    // The selected option, -1 for none.
    virtual int shownPosition(int row) const = 0;
    // The option's text, or what was typed; empty for none.
    virtual QString shownText(int row) const = 0;
};

// The rows a read all or write all visits for the unit type that `rows`
// shows, lowest first.
QList<int16_t> ShownRowNumbers(int16_t unitType, const RowsShown& rows);

} // namespace pb
