#pragma once
// The settings dialog over a main window in the state start-up leaves: unit
// type 1 in English with the default settings loaded, logging switched on,
// the program's files in a folder of the test's own.
#include "MainWindowFixture.h"
#include "app/ApplySettings.h"
#include "files/SettingsFile.h"
#include "files/TextFile.h"
#include "settings/SetupUnitType.h"
#include "ui/SettingsDialog.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace pb::test {

class SettingsDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        state.folder.path = dir.path();
        // The machine's own adapters would change the port list's texts.
        state.presentPorts = [this] { return presentPorts; };
        state.config.portIndex = 3;
        state.config.settingsFolder = QStringLiteral("/srv/settings");
        state.config.unitType = 1;
        state.config.language = 0;
        state.config.logging = 2;
        writeDefaults();
        loadLanguage(0);
        SetupUnitType(state.grid, state.texts, state.config.unitType);
        ReadDefaultSettings(state.folder, state.grid, state.rows);
    }

    // The value the default settings file holds for row r.
    static int16_t defaultValue(int r) { return static_cast<int16_t>(r % 3); }

    void writeDefaults()
    {
        QFile file(state.folder.defaultSettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int r = 0; r < kFileRows; ++r)
            file.write(QStringLiteral("%1    ->%2\r\n").arg(r).arg(defaultValue(r)).toLatin1());
    }

    // The configuration file's lines, empty when there is none.
    QStringList configFile() const { return ReadTextLines(state.folder.configFile()).value_or(QStringList{}); }

    SettingsDialog* openDialog()
    {
        PortControl port;
        port.close = [this] {
            calls.push_back("close");
            if (onClose)
                onClose();
        };
        port.open = [this] {
            calls.push_back("open");
            if (onOpen)
                onOpen();
        };
        dialog = new SettingsDialog(state, window.get());
        QObject::connect(dialog, &SettingsDialog::saveRequested, dialog,
                         [this, port] { ApplySettings(state, *window, *dialog, port); });
        return dialog;
    }

    QTemporaryDir dir;
    QList<PortDescription> presentPorts;
    QPointer<SettingsDialog> dialog;
    std::vector<std::string> calls;
    std::function<void()> onClose;
    std::function<void()> onOpen;
};

} // namespace pb::test
