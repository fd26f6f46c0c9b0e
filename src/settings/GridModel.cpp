#include "settings/GridModel.h"

namespace pb {

void GridModel::setRow(int r, bool shown, const QStringList& options)
{
    Row& row = rows_[r];
    row.shown = shown;
    row.options = options;
    row.position = -1;
    row.text.clear();
    emit rowChanged(r);
}

void GridModel::select(int r, int position)
{
    Row& row = rows_[r];
    const bool valid = position >= 0 && position < row.options.size();
    const int selected = valid ? position : -1;
    const QString text = valid ? row.options[position] : QString();
    if (row.position == selected && row.text == text)
        return;
    row.position = selected;
    row.text = text;
    emit rowChanged(r);
}

void GridModel::type(int r, const QString& text)
{
    Row& row = rows_[r];
    // The option already selected keeps its place when its text is typed,
    // even where another option has the same text.
    const bool same = row.position >= 0 && row.position < row.options.size() && row.options[row.position] == text;
    const int position = same ? row.position : int(row.options.indexOf(text));
    if (row.position == position && row.text == text)
        return;
    row.position = position;
    row.text = text;
    emit rowChanged(r);
}

void GridModel::setCallPanel(bool shown, const QStringList& bleepCodes, int defaultPosition)
{
    callPanelShown_ = shown;
    bleepCodes_ = bleepCodes;
    defaultBleepCode_ = defaultPosition;
    emit callPanelChanged();
}

} // namespace pb
