#pragma once
// The program settings dialog: views the configuration locked, edits it after
// Edit, and on Save takes the fields into the configuration and says so; the
// program then writes the file and applies it at once.
#include "app/AppState.h"
#include "files/PortsFile.h"
#include "link/check/CheckTarget.h"
#include "ui/SecondaryWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pb {

class SettingsDialog : public SecondaryWindow {
    Q_OBJECT
public:
    // Loads the dialog: captions, lists filled, fields locked and showing the
    // configuration. `parent` is the main window.
    SettingsDialog(AppState& state, QWidget* parent);

    void applyTexts();
    void LockCombo();
    void UnlockCombo();
    // Shows the configuration in the fields; a value beyond its list shows
    // the list's first entry.
    void UpdateCombo();
    // Takes the fields back into the configuration.
    void ComboToSettings();
    // The entries of ComboCom: each port's name and what it stands for on
    // this machine now.
    void ShowPortNames();
    // The selected port and the device its field names, for ports.ini; while
    // PAGERBENCH_COM<n> names the port, the entry ports.ini already has.
    PortEntry SelectedPortEntry() const;
    // The selected port as a connection check takes it: the device its
    // field names, saved or not, else what the port stands for now.
    CheckTarget SelectedTarget() const;

    // The check's lines below the buttons; the dialog grows to show them.
    void showCheckLine(const QString& line);
    void clearCheckLines();

    QLabel* LabelCompoort;
    QComboBox* ComboCom;
    QLabel* LabelUnitType;
    QComboBox* ComboUnitType;
    QLabel* LabelTaal;
    QComboBox* ComboTaal;
    QLabel* LabelMapInstellingen;
    QLineEdit* TxtSetPath;
    QLabel* LabelPortDevice;
    QLineEdit* TxtPortDevice;
    QLabel* LabelOpeningTheUnit;
    QCheckBox* CheckOpeningUnit;
    QPushButton* CmdCheckPort;
    QPlainTextEdit* TxtCheckLines = nullptr; // made with the first check
    QPushButton* CmdWijzigen;
    QPushButton* CmdSave;
    QPushButton* CmdCancel;
    QPushButton* CmdClose;

signals:
    // Save was pressed: the configuration holds the fields' values.
    void saveRequested();
    // The check beside the port was pressed.
    void checkRequested();

private slots:
    void onCmdWijzigenClicked();
    void onCmdCancelClicked();
    void onCmdSaveClicked();
    void onCmdCloseClicked();

private:
    void buildControls();
    void load();
    void setButtons(bool cancel, bool save, bool close, bool edit);
    // What ports.ini names for the selected port, or, read-only, what the
    // environment names instead.
    void showPortDevice();

    AppState& state_;
    bool portSetByEnvironment_ = false;
    QString portsFileDevice_;
};

} // namespace pb
