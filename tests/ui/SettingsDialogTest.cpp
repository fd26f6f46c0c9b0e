// The settings dialog: view and edit modes, Cancel, and the save sequence
// that writes the configuration and applies it at once.
#include "SettingsDialogFixture.h"
#include "files/ConfigFile.h"
#include "link/ports/PortMap.h"
#include "settings/GridTransfer.h"
#include "settings/UnitCatalogue.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <map>

namespace pb::test {
namespace {

const QColor kLockedGrey(192, 192, 192);

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

struct ButtonStates {
    bool cancel, save, close, edit;
    bool operator==(const ButtonStates& o) const
    {
        return cancel == o.cancel && save == o.save && close == o.close && edit == o.edit;
    }
};

ButtonStates buttons(const SettingsDialog& d)
{
    return {d.CmdCancel->isEnabled(), d.CmdSave->isEnabled(), d.CmdClose->isEnabled(), d.CmdWijzigen->isEnabled()};
}

void expectLocked(const SettingsDialog& d, bool locked)
{
    for (const QComboBox* combo : {d.ComboCom, d.ComboUnitType, d.ComboTaal}) {
        EXPECT_EQ(combo->isEnabled(), !locked) << combo->objectName().toStdString();
        EXPECT_EQ(combo->palette().color(QPalette::ButtonText) == kLockedGrey, locked);
    }
    for (const QLineEdit* field : {d.TxtSetPath, d.TxtPortDevice}) {
        EXPECT_EQ(field->isReadOnly(), locked) << field->objectName().toStdString();
        EXPECT_EQ(field->palette().color(QPalette::Text) == kLockedGrey, locked);
    }
    EXPECT_EQ(d.CheckOpeningUnit->isEnabled(), !locked);
}

// Every translated caption of the main window, by control. Windows of its
// own, such as the dialog, are not part of it.
std::map<std::string, std::string> captions(const MainWindow& w)
{
    std::map<QString, QString> all;
    all[QStringLiteral("title")] = w.windowTitle();
    for (const QAction* a : {w.Setup, w.Quit, w.About})
        all[a->objectName()] = a->text();
    for (int i = 0; i < w.SSTab1->count(); ++i)
        all[QStringLiteral("tab%1").arg(i)] = w.SSTab1->tabText(i);
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->window() == &w)
            all[b->objectName()] = b->text();
    for (const QGroupBox* g : w.findChildren<QGroupBox*>())
        if (g->window() == &w)
            all[g->objectName()] = g->title();
    for (const QLineEdit* e : w.findChildren<QLineEdit*>())
        if (e->objectName().startsWith(QStringLiteral("TxtLegenda")))
            all[e->objectName()] = e->text();
    std::map<std::string, std::string> printable;
    for (const auto& [name, text] : all)
        printable[name.toStdString()] = text.toStdString();
    return printable;
}

std::map<std::string, std::string> captionsIn(int16_t language)
{
    AppState other;
    MainWindow reference(other);
    other.config.language = language;
    LoadTexts(other.texts, other.config.language);
    reference.applyTexts();
    return captions(reference);
}

TEST_F(SettingsDialogTest, LoadShowsTheConfigurationLockedInViewMode)
{
    openDialog();
    EXPECT_EQ(dialog->objectName(), QStringLiteral("frmInstellingen"));
    EXPECT_EQ(dialog->size(), QSize(489, 233));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(dialog->LabelCompoort->text(), QStringLiteral("ComPort: "));
    EXPECT_EQ(dialog->LabelUnitType->text(), QStringLiteral("[Unit type:]"));
    EXPECT_EQ(dialog->LabelTaal->text(), QStringLiteral("Language"));
    EXPECT_EQ(dialog->LabelMapInstellingen->text(), QStringLiteral("Folder for settings"));
    EXPECT_EQ(dialog->LabelOpeningTheUnit->text(), QStringLiteral("Opening the diagnose cover"));
    EXPECT_EQ(dialog->CheckOpeningUnit->text(), QStringLiteral("Don't show this anymore"));
    EXPECT_EQ(dialog->CmdWijzigen->text(), QStringLiteral("Edit"));
    EXPECT_EQ(dialog->CmdSave->text(), QStringLiteral("Save"));
    EXPECT_EQ(dialog->CmdCancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog->CmdClose->text(), QStringLiteral("Close"));
    EXPECT_EQ(dialog->LabelPortDevice->text(), QStringLiteral("Device:"));
    EXPECT_TRUE(dialog->TxtPortDevice->text().isEmpty());

    // The added field found room: nothing overlaps, all within the window.
    const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* a : controls) {
        EXPECT_TRUE(dialog->rect().contains(a->geometry())) << a->objectName().toStdString();
        for (const QWidget* b : controls)
            EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " " << b->objectName().toStdString();
    }

    const QStringList ports = items(dialog->ComboCom);
    ASSERT_EQ(ports.size(), 30);
    EXPECT_EQ(ports.front(), QStringLiteral("Com1"));
    EXPECT_EQ(ports.back(), QStringLiteral("Com30"));
    EXPECT_EQ(items(dialog->ComboTaal), (QStringList{"English", "Nederlands", "Deutsch", "Française"}));
    const QStringList types = items(dialog->ComboUnitType);
    ASSERT_EQ(types.size(), 7);
    EXPECT_EQ(types[0], QStringLiteral("RMT Portavo Sliding Door unit"));
    EXPECT_EQ(types[3], QStringLiteral("Espa443 to Espa444 Converter"));
    EXPECT_EQ(types[4], QStringLiteral("DP6000 to Espa444 Converter"));
    EXPECT_EQ(types[6], QStringLiteral("TAP to Espa 443 Converter (FW V2.10 and up) "));
    for (const QComboBox* combo : {dialog->ComboCom, dialog->ComboUnitType, dialog->ComboTaal})
        EXPECT_FALSE(combo->isEditable());

    EXPECT_EQ(dialog->ComboCom->currentIndex(), 3);
    EXPECT_EQ(dialog->ComboUnitType->currentIndex(), 1);
    EXPECT_EQ(dialog->ComboTaal->currentIndex(), 0);
    EXPECT_EQ(dialog->TxtSetPath->text(), QStringLiteral("/srv/settings"));
    EXPECT_FALSE(dialog->CheckOpeningUnit->isChecked());

    expectLocked(*dialog, true);
    EXPECT_EQ(buttons(*dialog), (ButtonStates{false, false, true, true}));
}

TEST_F(SettingsDialogTest, EditUnlocksTheFieldsAndSwapsTheButtons)
{
    openDialog();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    expectLocked(*dialog, false);
    EXPECT_EQ(buttons(*dialog), (ButtonStates{true, true, false, false}));
}

TEST_F(SettingsDialogTest, CancelShowsTheOldValuesAndWritesNothing)
{
    openDialog();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    dialog->ComboTaal->setCurrentIndex(2);
    dialog->ComboCom->setCurrentIndex(7);
    dialog->TxtSetPath->setText(QStringLiteral("/elsewhere"));
    dialog->CheckOpeningUnit->setChecked(true);
    dialog->TxtPortDevice->setText(QStringLiteral("/dev/ttyUSB0"));

    QTest::mouseClick(dialog->CmdCancel, Qt::LeftButton);
    EXPECT_TRUE(dialog->TxtPortDevice->text().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(state.folder.portsFile()));
    EXPECT_EQ(dialog->ComboTaal->currentIndex(), 0);
    EXPECT_EQ(dialog->ComboCom->currentIndex(), 3);
    EXPECT_EQ(dialog->TxtSetPath->text(), QStringLiteral("/srv/settings"));
    EXPECT_FALSE(dialog->CheckOpeningUnit->isChecked());
    EXPECT_EQ(state.config.language, 0);
    EXPECT_EQ(state.config.portIndex, 3);
    EXPECT_TRUE(configFile().isEmpty());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(window->Setup->text(), QStringLiteral("Settings"));
    expectLocked(*dialog, true);
    EXPECT_EQ(buttons(*dialog), (ButtonStates{false, false, true, true}));
}

TEST_F(SettingsDialogTest, SaveWritesTheFileAndAppliesTheNewLanguageAndUnitType)
{
    const int16_t newType = 3;
    state.rows.SettingsInUnit.fill(1);
    // A unit-type row of type 1 with a value of its own, to see it replaced.
    window->ComboInstellingen[2]->setCurrentIndex(0);

    // The port is closed after the file is written and the grid is rebuilt
    // with the defaults, but before the texts change.
    QStringList fileAtClose;
    QString textAtClose;
    std::vector<bool> rowsAtClose;
    onClose = [&] {
        fileAtClose = configFile();
        textAtClose = state.texts[8];
        for (int r = 0; r < kGridRows; ++r)
            rowsAtClose.push_back(RowShown(window->grid(), r));
    };
    int16_t portAtOpen = -1;
    QString textAtOpen;
    onOpen = [&] {
        portAtOpen = state.config.portIndex;
        textAtOpen = state.texts[8];
    };

    openDialog();
    const QStringList typeNames = items(dialog->ComboUnitType);
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    dialog->ComboTaal->setCurrentIndex(1);
    dialog->ComboUnitType->setCurrentIndex(newType);
    dialog->ComboCom->setCurrentIndex(5);
    dialog->TxtSetPath->setText(QStringLiteral("D:\\sets"));
    dialog->CheckOpeningUnit->setChecked(true);
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);

    ProgramConfig expected;
    expected.portIndex = 5;
    expected.logging = 2;
    expected.settingsFolder = QStringLiteral("D:\\sets");
    expected.unitType = newType;
    expected.language = 1;
    expected.hideHousingGuide = 1;
    EXPECT_EQ(configFile(), ConfigLines(expected));
    EXPECT_EQ(configFile().value(1), QStringLiteral("1      Logfile ->2"));
    EXPECT_EQ(state.config.language, 1);
    EXPECT_EQ(state.config.unitType, newType);

    ASSERT_EQ(calls, (std::vector<std::string>{"close", "open"}));
    EXPECT_EQ(fileAtClose, ConfigLines(expected));
    EXPECT_EQ(textAtClose.toStdString(), "Settings");
    EXPECT_EQ(portAtOpen, 5);
    EXPECT_EQ(textAtOpen.toStdString(), "Settings");

    // Every caption of the main window is now Dutch.
    EXPECT_EQ(captions(*window), captionsIn(1));
    EXPECT_NE(captionsIn(1), captionsIn(0));

    // The grid holds the new type's rows, in Dutch, with the default values.
    const GridDefinition rows = GridRows(newType, state.texts);
    for (int r = 0; r < kGridRows; ++r) {
        QComboBox* combo = window->ComboInstellingen[r];
        const bool shown = rows[r].state == RowState::Shown;
        EXPECT_EQ(RowShown(window->grid(), r), shown) << r;
        EXPECT_EQ(rowsAtClose.at(r), shown) << r;
        if (!shown)
            continue;
        EXPECT_EQ(items(combo), rows[r].options) << r;
        const int16_t value = defaultValue(r) < combo->count() ? defaultValue(r) : 0;
        EXPECT_EQ(combo->currentIndex(), value) << r;
        EXPECT_EQ(state.rows.UnitSettings[r], value) << r;
    }
    for (int16_t confirmed : state.rows.SettingsInUnit)
        EXPECT_EQ(confirmed, -1);

    // The dialog is back in view mode with Dutch captions; the unit type
    // names keep the language they were filled in.
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Instellingen"));
    EXPECT_EQ(dialog->CmdWijzigen->text(), QStringLiteral("Wijzigen"));
    EXPECT_EQ(dialog->LabelCompoort->text(), QStringLiteral("ComPoort: "));
    EXPECT_EQ(items(dialog->ComboUnitType), typeNames);
    expectLocked(*dialog, true);
    EXPECT_EQ(buttons(*dialog), (ButtonStates{false, false, true, true}));
}

TEST_F(SettingsDialogTest, SaveWithoutAChangeStillReopensThePortAndReloadsTheDefaults)
{
    int unsavedRow = -1;
    for (int r = 0; r < kGridRows && unsavedRow < 0; ++r)
        if (RowShown(window->grid(), r) && window->ComboInstellingen[r]->count() > 1)
            unsavedRow = r;
    ASSERT_GE(unsavedRow, 0);
    const int16_t loaded = state.rows.UnitSettings[unsavedRow];
    const int changed = loaded == 0 ? 1 : 0;
    window->ComboInstellingen[unsavedRow]->setCurrentIndex(changed);
    GridToSettings(state.grid, state.rows);

    openDialog();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);

    EXPECT_EQ(calls, (std::vector<std::string>{"close", "open"}));
    EXPECT_EQ(window->ComboInstellingen[unsavedRow]->currentIndex(), loaded);
    EXPECT_EQ(state.rows.UnitSettings[unsavedRow], loaded);
    ProgramConfig expected = state.config;
    EXPECT_EQ(configFile(), ConfigLines(expected));
    EXPECT_EQ(state.config.portIndex, 3);
    EXPECT_EQ(state.config.settingsFolder, QStringLiteral("/srv/settings"));
}

TEST_F(SettingsDialogTest, ValuesBeyondTheirListsShowTheFirstEntryAndAreSavedAsZero)
{
    state.config.portIndex = 35;
    state.config.unitType = 9;
    state.config.language = 5;
    state.config.hideHousingGuide = 2;
    openDialog();
    EXPECT_EQ(dialog->ComboCom->currentIndex(), 0);
    EXPECT_EQ(dialog->ComboCom->currentText(), QStringLiteral("Com1"));
    EXPECT_EQ(dialog->ComboUnitType->currentIndex(), 0);
    EXPECT_EQ(dialog->ComboTaal->currentIndex(), 0);
    EXPECT_TRUE(dialog->CheckOpeningUnit->isChecked());

    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    QTest::mouseClick(dialog->CmdCancel, Qt::LeftButton);
    EXPECT_EQ(state.config.portIndex, 35);
    EXPECT_EQ(state.config.unitType, 9);

    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);
    EXPECT_EQ(state.config.portIndex, 0);
    EXPECT_EQ(state.config.unitType, 0);
    EXPECT_EQ(state.config.language, 0);
    EXPECT_EQ(state.config.hideHousingGuide, 1);
    const QStringList lines = configFile();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("0        Compoort ->0"));
    EXPECT_EQ(lines[3], QStringLiteral("3       UnitType ->0"));
    EXPECT_EQ(lines[4], QStringLiteral("4       Taal ->0"));
    EXPECT_EQ(lines[5], QStringLiteral("5       Case ->1"));
}

TEST_F(SettingsDialogTest, PortListShowsWhatEachPortStandsForOnThisMachine)
{
    QFile file(state.folder.portsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[ports]\r\nCom5=tcp://10.0.0.20:4001\r\nCom7=/dev/ttyS6\r\n");
    file.close();
    presentPorts = {{"/dev/ttyS0", "", "", ""},
                    {"/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0", "FT232R USB UART", "A10K3X"}};
    qputenv("PAGERBENCH_COM7", "/dev/pts/7");
    openDialog();
    qunsetenv("PAGERBENCH_COM7");

    const QString dash = QStringLiteral(" \u2013 ");
    const QStringList ports = items(dialog->ComboCom);
    ASSERT_EQ(ports.size(), 30);
    EXPECT_EQ(ports[0], "Com1" + dash + "/dev/ttyS0");
    EXPECT_EQ(ports[1], "Com2" + dash + "/dev/ttyUSB0 (FT232R USB UART, A10K3X)");
    EXPECT_EQ(ports[2], QStringLiteral("Com3")) << "the bare platform name adds nothing";
    EXPECT_EQ(ports[4], "Com5" + dash + "tcp://10.0.0.20:4001");
    EXPECT_EQ(ports[6], "Com7" + dash + "/dev/pts/7");
    EXPECT_EQ(ports[29], QStringLiteral("Com30"));

    // The field shows what ports.ini says, not what the environment overrides.
    EXPECT_TRUE(dialog->TxtPortDevice->text().isEmpty());
    dialog->ComboCom->setCurrentIndex(4);
    EXPECT_EQ(dialog->TxtPortDevice->text(), QStringLiteral("tcp://10.0.0.20:4001"));
    dialog->ComboCom->setCurrentIndex(6);
    EXPECT_EQ(dialog->TxtPortDevice->text(), QStringLiteral("/dev/ttyS6"));
}

TEST_F(SettingsDialogTest, SaveNamesTheSelectedPortInPortsIniBeforeThePortOpens)
{
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0");
    QString deviceAtOpen;
    onOpen = [&] {
        deviceAtOpen = ResolvePortDevice(state.config.portIndex + 1, state.folder, [this] { return presentPorts; });
    };
    openDialog();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    dialog->ComboCom->setCurrentIndex(5);
    dialog->TxtPortDevice->setText(byId);
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);

    EXPECT_EQ(deviceAtOpen, byId);
    EXPECT_EQ(ReadPortEntries(state.folder), (PortEntries{{6, byId}}));
    EXPECT_EQ(dialog->ComboCom->itemText(5), QStringLiteral("Com6 \u2013 ") + byId) << "the list follows the save";
    EXPECT_EQ(dialog->TxtPortDevice->text(), byId);
    expectLocked(*dialog, true);

    // An empty field takes the entry out again.
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    dialog->TxtPortDevice->clear();
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);
    EXPECT_EQ(deviceAtOpen, PlatformPortDevice(6));
    EXPECT_TRUE(ReadPortEntries(state.folder).empty());
    EXPECT_EQ(dialog->ComboCom->itemText(5), QStringLiteral("Com6"));
}

// What the field would say has no effect while PAGERBENCH_COM<n> names the
// port: it shows that device, read-only, and Save leaves ports.ini alone.
TEST_F(SettingsDialogTest, APortTheEnvironmentNamesShowsItsDeviceAndVariableAndKeepsPortsIni)
{
    QFile file(state.folder.portsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[ports]\r\nCom4=/dev/ttyUSB9\r\nCom5=/dev/ttyUSB5\r\n");
    file.close();
    qputenv("PAGERBENCH_COM4", "/dev/pts/4");
    openDialog();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    for (int port : {3, 4, 3}) {
        dialog->ComboCom->setCurrentIndex(port);
        const bool fromEnvironment = port == 3;
        EXPECT_EQ(dialog->TxtPortDevice->text(), fromEnvironment ? "/dev/pts/4" : "/dev/ttyUSB5");
        EXPECT_EQ(dialog->TxtPortDevice->isReadOnly(), fromEnvironment);
        EXPECT_EQ(dialog->LabelPortDevice->text(), fromEnvironment ? "Set by PAGERBENCH_COM4:" : "Device:");
    }
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);
    qunsetenv("PAGERBENCH_COM4");
    EXPECT_EQ(ReadPortEntries(state.folder), (PortEntries{{4, "/dev/ttyUSB9"}, {5, "/dev/ttyUSB5"}}));
}

TEST_F(SettingsDialogTest, CloseDestroysTheDialogAndANewOneUsesTheCurrentLanguage)
{
    openDialog();
    dialog->show();
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    dialog->ComboTaal->setCurrentIndex(2);
    QTest::mouseClick(dialog->CmdSave, Qt::LeftButton);
    QTest::mouseClick(dialog->CmdClose, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());

    openDialog();
    EXPECT_EQ(dialog->ComboTaal->currentIndex(), 2);
    EXPECT_EQ(dialog->ComboUnitType->itemText(0), state.texts[134]);
    EXPECT_EQ(dialog->CmdClose->text(), QStringLiteral("Schließen"));
}

} // namespace
} // namespace pb::test
