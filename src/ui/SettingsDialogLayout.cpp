// The controls of the settings dialog at their fixed places: one column of
// labels, one of fields, the four buttons along the bottom.
#include "ui/SettingsDialog.h"
#include "ui/Place.h"

#include <QFontDatabase>

namespace pb {

namespace {

constexpr int kLabelX = 16;
constexpr int kLabelWidth = 177;
constexpr int kFieldX = 200;
constexpr int kFieldWidth = 273;
constexpr int kRowHeight = 32;
constexpr int kFirstRowY = 16;
constexpr int kButtonY = 192;

int rowY(int row)
{
    return kFirstRowY + kRowHeight * row;
}

QLabel* placeLabel(QWidget* parent, const char* name, int row)
{
    return place<QLabel>(parent, QLatin1String(name), kLabelX, rowY(row) + 2, kLabelWidth, 17);
}

// The lists offer their entries only: a typed text could stand for no
// position at all.
QComboBox* placeList(QWidget* parent, const char* name, int row)
{
    auto* combo = place<QComboBox>(parent, QLatin1String(name), kFieldX, rowY(row), kFieldWidth, 21);
    combo->setEditable(false);
    return combo;
}

QPushButton* placeButton(QWidget* parent, const char* name, int x)
{
    return place<QPushButton>(parent, QLatin1String(name), x, kButtonY, 105, 25);
}

} // namespace

void SettingsDialog::buildControls()
{
    LabelCompoort = placeLabel(this, "LabelCompoort", 0);
    ComboCom = placeList(this, "ComboCom", 0);

    LabelUnitType = placeLabel(this, "LabelUnitType", 1);
    // Not in the text table: the same in every language.
    LabelUnitType->setText(QStringLiteral("[Unit type:]"));
    ComboUnitType = placeList(this, "ComboUnitType", 1);

    LabelTaal = placeLabel(this, "LabelTaal", 2);
    ComboTaal = placeList(this, "ComboTaal", 2);

    LabelMapInstellingen = placeLabel(this, "LabelMapInstellingen", 3);
    TxtSetPath = place<QLineEdit>(this, QStringLiteral("TxtSetPath"), kFieldX, rowY(3), kFieldWidth, 21);

    LabelOpeningTheUnit = placeLabel(this, "LabelOpeningTheUnit", 4);
    CheckOpeningUnit =
        place<QCheckBox>(this, QStringLiteral("CheckOpeningUnit"), kFieldX, rowY(4) + 2, kFieldWidth, 17);

    // Between the last row and the buttons, where the dialog has room left.
    constexpr int kPortDeviceY = 167;
    LabelPortDevice =
        place<QLabel>(this, QStringLiteral("LabelPortDevice"), kLabelX, kPortDeviceY + 2, kLabelWidth, 17);
    // The connection check for the port chosen here, beside its device.
    constexpr int kCheckWidth = 81;
    TxtPortDevice = place<QLineEdit>(this, QStringLiteral("TxtPortDevice"), kFieldX, kPortDeviceY,
                                     kFieldWidth - kCheckWidth - 8, 21);
    CmdCheckPort = place<QPushButton>(this, QStringLiteral("CmdCheckPort"), kFieldX + kFieldWidth - kCheckWidth,
                                      kPortDeviceY - 2, kCheckWidth, 25);

    CmdWijzigen = placeButton(this, "CmdWijzigen", 16);
    CmdSave = placeButton(this, "CmdSave", 131);
    CmdCancel = placeButton(this, "CmdCancel", 246);
    CmdClose = placeButton(this, "CmdClose", 368);
}

// Below the buttons, in room the dialog takes when the first check starts.
void SettingsDialog::showCheckLine(const QString& line)
{
    if (!TxtCheckLines) {
        constexpr int kLinesHeight = 160;
        TxtCheckLines = place<QPlainTextEdit>(this, QStringLiteral("TxtCheckLines"), kLabelX, height() - 4,
                                              kFieldX + kFieldWidth - kLabelX, kLinesHeight);
        TxtCheckLines->setReadOnly(true);
        TxtCheckLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        setFixedSize(width(), height() + kLinesHeight + 4);
        TxtCheckLines->show();
    }
    TxtCheckLines->appendPlainText(line);
}

void SettingsDialog::clearCheckLines()
{
    if (TxtCheckLines)
        TxtCheckLines->clear();
}

} // namespace pb
