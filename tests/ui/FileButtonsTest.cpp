#include "MainWindowFixture.h"
#include "settings/SetupUnitType.h"
#include "support/ModalAnswer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using pbtest::pressInMessageBox;

class FileButtonsTest : public pb::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        state.folder.path = dir.path();
        state.config.settingsFolder = dir.path();
        loadLanguage(0);
        pb::SetupUnitType(state.grid, state.texts, 1);
        for (int r = 0; r < pb::kGridRows; ++r) {
            if (!window->ComboInstellingen[r]->isHidden())
                window->ComboInstellingen[r]->setCurrentIndex(1);
        }
    }
    void put(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QComboBox* row(int r) const { return window->ComboInstellingen[r]; }

    QTemporaryDir dir;
};

TEST_F(FileButtonsTest, ReadDefaultsAsksFirstAndCancelChangesNothing)
{
    put("default.set", "0    ->3\r\n");
    state.rows.SettingsInUnit[0] = 1;
    QString question;
    pressInMessageBox(QMessageBox::Cancel, &question);
    window->CmdInstellingenLezen->click();
    EXPECT_EQ(question, "Read defaults from file.\r\nAll changes in the settings will be lost.\r\nAre you sure?");
    EXPECT_EQ(row(0)->currentIndex(), 1);
    EXPECT_EQ(state.rows.SettingsInUnit[0], 1);

    pressInMessageBox(QMessageBox::Ok);
    window->CmdInstellingenLezen->click();
    EXPECT_EQ(row(0)->currentIndex(), 3);
    EXPECT_EQ(state.rows.SettingsInUnit[0], -1);
}

TEST_F(FileButtonsTest, SaveDefaultsAsksFirst)
{
    window->CmdInstellingenOpslaan->setEnabled(true);
    QString question;
    pressInMessageBox(QMessageBox::Cancel, &question);
    window->CmdInstellingenOpslaan->click();
    EXPECT_EQ(question, "Write defaults to file.\r\nThe old defaults will be overwritten.\r\nAre you sure?");
    EXPECT_FALSE(QFile::exists(dir.filePath("default.set")));

    pressInMessageBox(QMessageBox::Ok);
    window->CmdInstellingenOpslaan->click();
    QFile f(dir.filePath("default.set"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("0    ->1\r\n1    ->0\r\n"));
}

TEST_F(FileButtonsTest, SaveToFileUsesTheChosenNameAsIs)
{
    pbtest::pickFile(dir.filePath("site-a"));
    window->CmdOpslaanUnitGegevens->click();
    EXPECT_TRUE(QFile::exists(dir.filePath("site-a"))) << "no extension is added";
    EXPECT_FALSE(QFile::exists(dir.filePath("site-a.set")));
}

TEST_F(FileButtonsTest, ReadFromFileLoadsTheChosenFile)
{
    put("site.set", "5    ->4\r\n");
    state.rows.SettingsInUnit[5] = 1;
    pbtest::pickFile(dir.filePath("site.set"));
    window->CmdLezenUnitgegevens->click();
    EXPECT_EQ(row(5)->currentIndex(), 4);
    EXPECT_EQ(row(0)->currentIndex(), 0);
    EXPECT_EQ(state.rows.SettingsInUnit[5], -1);
}

TEST_F(FileButtonsTest, CancellingTheFileDialogOpensInSetPathAndChangesNothing)
{
    state.rows.SettingsInUnit[5] = 1;
    state.rows.FileSettings[5] = 2;
    QString folder;
    pbtest::cancelFileDialog(&folder);
    window->CmdLezenUnitgegevens->click();
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(row(5)->currentIndex(), 1);
    EXPECT_EQ(state.rows.SettingsInUnit[5], 1);
    EXPECT_EQ(state.rows.FileSettings[5], 2);

    pbtest::cancelFileDialog();
    window->CmdOpslaanUnitGegevens->click();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(FileButtonsTest, TheOneShotTimerLoadsTheDefaultsAgain)
{
    put("default.set", "0    ->2\r\n");
    window->TimerDisplayInstellingen->setInterval(10);
    window->TimerDisplayInstellingen->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(0)->currentIndex() == 2; }, 2000));
    EXPECT_FALSE(window->TimerDisplayInstellingen->isActive());
}

TEST_F(FileButtonsTest, TheColouringTimerMutesConfirmedRows)
{
    row(0)->setCurrentIndex(2);
    state.rows.SettingsInUnit[0] = 2;
    const QColor before = row(0)->palette().color(QPalette::Text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(0)->palette().color(QPalette::Text) != before; }, 2000));
}

} // namespace

namespace {

class ServiceFramesTest : public pb::test::MainWindowTest {};

TEST_F(ServiceFramesTest, ButtonsOnlyChangeTheirLabels)
{
    window->CmdLeesRestarts->click();
    EXPECT_EQ(window->LabRestarts->text(), "Software restarts lezen ");
    window->CmdWisRestarts->click();
    EXPECT_EQ(window->LabRestarts->text(), "Unit restarts wissen ");
    window->CmdReadSwVersion->click();
    EXPECT_EQ(window->LabVersionSw->text(), "");
}

TEST_F(ServiceFramesTest, ClearAllAsksAndDoubleClickEmptiesTheLabel)
{
    QString question;
    pbtest::pressInMessageBox(QMessageBox::Cancel, &question);
    window->CmdWisAlles->click();
    EXPECT_EQ(question, "Clear all settings of this unit?\r\nAre you sure? ");
    EXPECT_EQ(window->LabWisUnit->text(), "");
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window->CmdWisAlles->click();
    EXPECT_EQ(window->LabWisUnit->text(), "Busy on clearing unit.");
    QTest::mouseDClick(window->LabWisUnit, Qt::LeftButton);
    EXPECT_EQ(window->LabWisUnit->text(), "");
}

} // namespace
