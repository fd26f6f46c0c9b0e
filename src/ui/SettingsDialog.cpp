#include "ui/SettingsDialog.h"
#include "ui/CaptionFit.h"

#include "link/ports/PortMap.h"
#include "settings/UnitTypes.h"
#include "texts/CheckWording.h"
#include "texts/TextNumbers.h"

#include <QApplication>

namespace pb {

namespace {

constexpr int kClientWidth = 489;
constexpr int kClientHeight = 233;
constexpr int kPortCount = 30;

const QColor kLockedText(192, 192, 192);

const char* const kLanguageNames[] = {"English", "Nederlands", "Deutsch", "Française"};

// The text colour of a field, for its list entry or its typed text alike.
void setTextColour(QWidget* field, const QColor& colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    field->setPalette(palette);
}

// A field the user may type in, or one that only shows its text.
void setEditable(QLineEdit* field, bool editable)
{
    field->setReadOnly(!editable);
    setTextColour(field, editable ? QApplication::palette().color(QPalette::WindowText) : kLockedText);
}

// A stored value its list has no entry for shows the first entry.
void showPosition(QComboBox* combo, int16_t position)
{
    combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : 0);
}

int16_t positionOf(const QComboBox* combo)
{
    return static_cast<int16_t>(combo->currentIndex());
}

} // namespace

SettingsDialog::SettingsDialog(AppState& state, QWidget* parent)
    : SecondaryWindow(parent, kClientWidth, kClientHeight), state_(state)
{
    setObjectName(QStringLiteral("frmInstellingen"));
    buildControls();
    connect(CmdWijzigen, &QPushButton::clicked, this, &SettingsDialog::onCmdWijzigenClicked);
    connect(CmdCancel, &QPushButton::clicked, this, &SettingsDialog::onCmdCancelClicked);
    connect(CmdSave, &QPushButton::clicked, this, &SettingsDialog::onCmdSaveClicked);
    connect(CmdClose, &QPushButton::clicked, this, &SettingsDialog::onCmdCloseClicked);
    connect(ComboCom, &QComboBox::currentIndexChanged, this, &SettingsDialog::showPortDevice);
    connect(CmdCheckPort, &QPushButton::clicked, this, &SettingsDialog::checkRequested);
    load();
}

void SettingsDialog::load()
{
    applyTexts();
    ComboCom->clear();
    LockCombo();
    ShowPortNames();

    ComboTaal->clear();
    for (const char* name : kLanguageNames)
        ComboTaal->addItem(QString::fromUtf8(name));

    // The names keep the language of this load, even after a save.
    ComboUnitType->clear();
    for (const UnitTypeInfo& type : kUnitTypes)
        ComboUnitType->addItem(state_.texts[type.nameText]);

    UpdateCombo();
    setButtons(false, false, true, true);
}

void SettingsDialog::applyTexts()
{
    const TextTable& t = state_.texts;
    CmdWijzigen->setText(t[TxtEdit]);
    CmdSave->setText(t[TxtSave]);
    CmdCancel->setText(t[TxtCancel]);
    CmdClose->setText(t[TxtClose]);
    setWindowTitle(t[TxtSettings]);
    LabelCompoort->setText(t[TxtComPort] + QStringLiteral(": "));
    LabelMapInstellingen->setText(t[TxtFolderForSettings]);
    LabelTaal->setText(t[TxtLanguage]);
    LabelOpeningTheUnit->setText(t[TxtOpeningDiagnoseCover]);
    CheckOpeningUnit->setText(t[TxtDontShowAgain]);
    CmdCheckPort->setText(CheckControlText(CheckControl::CheckPortButton, state_.config.language));
    FitCaptions(*this, {LabelCompoort, LabelMapInstellingen, LabelTaal, LabelOpeningTheUnit});
}

void SettingsDialog::LockCombo()
{
    for (QComboBox* combo : {ComboCom, ComboUnitType, ComboTaal}) {
        combo->setEnabled(false);
        setTextColour(combo, kLockedText);
    }
    for (QLineEdit* field : {TxtSetPath, TxtPortDevice})
        setEditable(field, false);
    CheckOpeningUnit->setEnabled(false);
}

void SettingsDialog::UnlockCombo()
{
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    for (QComboBox* combo : {ComboCom, ComboUnitType, ComboTaal}) {
        combo->setEnabled(true);
        setTextColour(combo, windowText);
    }
    setEditable(TxtSetPath, true);
    setEditable(TxtPortDevice, !portSetByEnvironment_);
    CheckOpeningUnit->setEnabled(true);
}

void SettingsDialog::UpdateCombo()
{
    const ProgramConfig& config = state_.config;
    showPosition(ComboCom, config.portIndex);
    // The same position as before fires no change: ports.ini is read anew.
    showPortDevice();
    showPosition(ComboUnitType, config.unitType);
    showPosition(ComboTaal, config.language);
    TxtSetPath->setText(config.settingsFolder);
    CheckOpeningUnit->setChecked(config.hideHousingGuide >= 1);
}

void SettingsDialog::ComboToSettings()
{
    ProgramConfig& config = state_.config;
    config.portIndex = positionOf(ComboCom);
    config.unitType = positionOf(ComboUnitType);
    config.language = positionOf(ComboTaal);
    config.settingsFolder = TxtSetPath->text();
    config.hideHousingGuide = CheckOpeningUnit->isChecked() ? 1 : 0;
}

void SettingsDialog::ShowPortNames()
{
    const PortMap ports = PortMap::load(state_.folder, state_.presentPorts());
    for (int n = 1; n <= kPortCount; ++n) {
        if (ComboCom->count() < n)
            ComboCom->addItem(QString());
        ComboCom->setItemText(n - 1, ports.entryText(n));
    }
}

PortEntry SettingsDialog::SelectedPortEntry() const
{
    // The field shows the environment's device then, which ports.ini must not take.
    return {ComboCom->currentIndex() + 1, portSetByEnvironment_ ? portsFileDevice_ : TxtPortDevice->text().trimmed()};
}

CheckTarget SettingsDialog::SelectedTarget() const
{
    const QString name = QStringLiteral("Com%1").arg(ComboCom->currentIndex() + 1);
    const QString typed = TxtPortDevice->text().trimmed();
    if (portSetByEnvironment_ || typed.isEmpty() || typed == portsFileDevice_)
        return TargetOf(name, state_.folder);
    return {name, DeviceIdentity(typed), PortRuleName(PortRule::PortsFile)};
}

void SettingsDialog::showPortDevice()
{
    const int number = ComboCom->currentIndex() + 1;
    const PortEntries entries = ReadPortEntries(state_.folder);
    const auto entry = entries.find(number);
    portsFileDevice_ = entry == entries.end() ? QString() : entry->second;
    // What the user would type has no effect while the environment names
    // the port: the field shows that device and says where it comes from.
    const PortChoice choice = PortMap(ProcessEnvironment(), entries, {}).choice(number);
    portSetByEnvironment_ = choice.rule == PortRule::Environment;
    // Not in the text table: the same in every language, as the variable is.
    LabelPortDevice->setText(portSetByEnvironment_
                                 ? QStringLiteral("Set by %1:").arg(PortEnvironmentVariable(number))
                                 : QStringLiteral("Device:"));
    TxtPortDevice->setText(portSetByEnvironment_ ? choice.device : portsFileDevice_);
    setEditable(TxtPortDevice, ComboCom->isEnabledTo(this) && !portSetByEnvironment_);
    // A by-id name is long; its start says which adapter it is.
    TxtPortDevice->setCursorPosition(0);
}

void SettingsDialog::setButtons(bool cancel, bool save, bool close, bool edit)
{
    CmdCancel->setEnabled(cancel);
    CmdSave->setEnabled(save);
    CmdClose->setEnabled(close);
    CmdWijzigen->setEnabled(edit);
}

void SettingsDialog::onCmdWijzigenClicked()
{
    setButtons(true, true, false, false);
    UnlockCombo();
}

void SettingsDialog::onCmdCancelClicked()
{
    setButtons(false, false, true, true);
    LockCombo();
    UpdateCombo();
}

void SettingsDialog::onCmdSaveClicked()
{
    setButtons(false, false, true, true);
    LockCombo();
    ComboToSettings();
    emit saveRequested();
    // The save may have named a port anew.
    ShowPortNames();
    showPortDevice();
}

void SettingsDialog::onCmdCloseClicked()
{
    close();
}

} // namespace pb
