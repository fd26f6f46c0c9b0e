#pragma once
// The program settings dialog: views the configuration locked, edits it after
// Edit, and on Save writes the configuration file and applies it at once
// (serial port reopened, texts reloaded, settings grid rebuilt).
#include "app/AppState.h"
#include "ui/SecondaryWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace pb {

class FrmHoofdscherm;

// The serial port as the dialog needs it. `open` opens port
// state.config.Compoort + 1 at 19200 baud, 8 data bits, no parity, 1 stop
// bit, no handshake; its outcome is the serial layer's to report.
struct PortControl {
    std::function<void()> close;
    std::function<void()> open;
};

class FrmInstellingen : public SecondaryWindow {
    Q_OBJECT
public:
    // Loads the dialog: captions, lists filled, fields locked and showing the
    // configuration. `main` outlives the dialog and is its parent.
    FrmInstellingen(AppState& state, FrmHoofdscherm& main, PortControl port);

    void SetTeksten();
    void LockCombo();
    void UnlockCombo();
    // Shows the configuration in the fields; a value beyond its list shows
    // the list's first entry.
    void UpdateCombo();
    // Takes the fields back into the configuration.
    void ComboToSettings();

    QLabel* LabelCompoort;
    QComboBox* ComboCom;
    QLabel* LabelUnitType;
    QComboBox* ComboUnitType;
    QLabel* LabelTaal;
    QComboBox* ComboTaal;
    QLabel* LabelMapInstellingen;
    QLineEdit* TxtSetPath;
    QLabel* LabelOpeningTheUnit;
    QCheckBox* CheckOpeningUnit;
    QPushButton* CmdWijzigen;
    QPushButton* CmdSave;
    QPushButton* CmdCancel;
    QPushButton* CmdClose;

private slots:
    void CmdWijzigen_Click();
    void CmdCancel_Click();
    void CmdSave_Click();
    void CmdClose_Click();

private:
    void buildControls();
    void Form_Load();
    void setButtons(bool cancel, bool save, bool close, bool edit);
    void applySettings();

    AppState& state_;
    FrmHoofdscherm& main_;
    PortControl port_;
};

} // namespace pb
