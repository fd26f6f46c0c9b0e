#pragma once
// The settings grid without its widgets: for each of the 26 rows whether it
// is shown, its option texts, the selected position and the text shown. The
// engine, the files and the transfer procedures work on it; the main window's
// lists are one view that follows it and writes the user's pick back.
#include "settings/RowValues.h"
#include "settings/RowsShown.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace pb {

class GridModel : public QObject, public RowsShown {
    Q_OBJECT
public:
    struct Row {
        bool shown = false;
        QStringList options;
        int position = -1; // the selected option, -1 for none
        QString text;      // what the row shows: an option's text or typed text
    };

    const Row& row(int r) const { return rows_[r]; }
    bool shown(int r) const { return rows_[r].shown; }
    int count(int r) const { return int(rows_[r].options.size()); }
    // The selected option; -1 for none, and also for typed text that is no
    // option of the row.
    int position(int r) const { return rows_[r].position; }
    const QString& text(int r) const { return rows_[r].text; }

    // RowsShown
    bool rowShown(int r) const override { return shown(r); }
    int shownPosition(int r) const override { return position(r); }
    QString shownText(int r) const override { return text(r); }

    // A row anew: shown or hidden, with its options and nothing selected.
    void setRow(int r, bool shown, const QStringList& options);
    // Selects an option (-1 selects none and shows no text).
    void select(int r, int position);
    // Text typed into the row: an option's exact text selects that option.
    void type(int r, const QString& text);

    // The test-call panel and its bleep-code list, shown for one unit type.
    bool callPanelShown() const { return callPanelShown_; }
    const QStringList& bleepCodes() const { return bleepCodes_; }
    int defaultBleepCode() const { return defaultBleepCode_; }
    void setCallPanel(bool shown, const QStringList& bleepCodes = {}, int defaultPosition = -1);

signals:
    void rowChanged(int row);
    void callPanelChanged();

private:
    std::array<Row, kGridRows> rows_;
    bool callPanelShown_ = false;
    QStringList bleepCodes_;
    int defaultBleepCode_ = -1;
};

} // namespace pb
