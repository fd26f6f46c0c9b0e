#pragma once
// The controls of the settings grid and the test-call panel, as the settings
// code sees them. The main window owns the widgets and hands out this view.
//
// A row counts as visible when its own visibility flag is set (!isHidden()),
// whatever its page, frame or window shows: the grid keeps working while the
// settings tab is not the current one.
#include <QComboBox>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace pb {

constexpr int kGridRows = 26; // rows 0..25

struct SettingsGrid {
    std::array<QComboBox*, kGridRows> ComboInstellingen{};
    std::array<QPushButton*, kGridRows> CmdReadSingleSetting{};
    std::array<QPushButton*, kGridRows> CmdWriteSingleSetting{};
    QWidget* FramePagerOproepen = nullptr;
    QComboBox* ComboTestBleepCode = nullptr;
};

inline bool RowShown(const SettingsGrid& grid, int row)
{
    return !grid.ComboInstellingen[row]->isHidden();
}

} // namespace pb
