#pragma once
// The main window's 26 lists as one view of the grid model: they show what
// the model holds and write the user's pick, or typed text, back into it.
#include "settings/GridModel.h"

#include <QComboBox>
#include <QObject>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <bitset>

namespace pb {

// The controls of the settings grid and the test-call panel, with the model
// they show. The main window owns the widgets.
struct SettingsGrid {
    std::array<QComboBox*, kGridRows> ComboInstellingen{};
    std::array<QPushButton*, kGridRows> CmdReadSingleSetting{};
    std::array<QPushButton*, kGridRows> CmdWriteSingleSetting{};
    QWidget* FramePagerOproepen = nullptr;
    QComboBox* ComboTestBleepCode = nullptr;
    const GridModel* model = nullptr;
};

// A row counts as visible when the model shows it, whatever page or frame
// holds it: the grid keeps working while the settings tab is not current.
inline bool RowShown(const SettingsGrid& grid, int row)
{
    return grid.model->shown(row);
}

// Gives the list its text part. Typed text completes to nothing: an option
// is chosen from the list or by its whole text, never by a prefix the list
// would fill in unasked. The line edit comes with a completer that has no
// options, so the combo box does not make its default one, which costs more
// than the rest of the list.
void MakeEditableList(QComboBox* combo);

// The position of the option the list shows; -1 when none, and also when the
// user typed text into the editable list that is no option of it.
int SelectedPosition(const QComboBox* combo);

class GridView : public QObject {
public:
    // Shows the model in the widgets from now on; `grid.model` is `model`.
    // While the page that holds the lists is hidden (another tab is shown),
    // a changed row waits and is shown as the page appears; the lists get
    // their text parts when the page is first on the screen. The program
    // starts on another tab, and making 26 lists nobody sees would cost its
    // start.
    GridView(const SettingsGrid& grid, GridModel& model, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rowChanged(int row);
    void showRow(int row);
    void showWaitingRows();
    void makeListsEditable();
    void showCallPanel();
    void takeFromList(int row);

    SettingsGrid grid_;
    GridModel& model_;
    QWidget* page_;        // the parent of the lists: the Settings tab's page
    QWidget* callPage_;    // the parent of the test-call panel: the Service tab's page
    std::bitset<kGridRows> waiting_;
    bool editable_ = false;
    bool bleepCodesWaiting_ = false;
    bool showing_ = false; // the widgets change because the model did
};

} // namespace pb
