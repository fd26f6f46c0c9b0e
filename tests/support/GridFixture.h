#pragma once
// A settings grid built from plain widgets, without the main window: 26
// editable lists under one parent that is never shown.
#include "settings/SettingsGrid.h"

#include <QComboBox>
#include <QPushButton>
#include <QWidget>
#include <memory>

namespace pbtest {

class GridFixture {
public:
    GridFixture()
    {
        for (int r = 0; r < pb::kGridRows; ++r) {
            auto* combo = new QComboBox(&parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            grid.ComboInstellingen[r] = combo;
            grid.CmdReadSingleSetting[r] = new QPushButton(&parent);
            grid.CmdWriteSingleSetting[r] = new QPushButton(&parent);
        }
        grid.FramePagerOproepen = new QWidget(&parent);
        grid.ComboTestBleepCode = new QComboBox(&parent);
    }

    // Gives row r `options` options "r/0", "r/1", ... and shows or hides it.
    void row(int r, int options, bool shown = true)
    {
        QComboBox* combo = grid.ComboInstellingen[r];
        combo->clear();
        for (int i = 0; i < options; ++i)
            combo->addItem(QString("%1/%2").arg(r).arg(i));
        combo->setCurrentIndex(-1);
        combo->setVisible(shown);
    }

    // Every row shown with `options` options.
    void allRows(int options)
    {
        for (int r = 0; r < pb::kGridRows; ++r)
            row(r, options);
    }

    QComboBox* combo(int r) const { return grid.ComboInstellingen[r]; }

    QWidget parent;
    pb::SettingsGrid grid;
};

} // namespace pbtest
