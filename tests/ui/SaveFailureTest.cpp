// A save that cannot be written says so, once, with the file and the reason,
// and leaves what was there before; the settings dialog's new values still
// apply.
#include "SettingsDialogFixture.h"
#include "support/FileSizeLimit.h"
#include "support/ModalAnswer.h"
#include "ui/HousingGuide.h"

#include <QDir>
#include <QTimer>
#include <optional>

namespace pb::test {
namespace {

// Closes every warning box that comes up while it lives, and keeps their
// texts; questions are left to their own answers.
class MessageBoxes {
public:
    MessageBoxes()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->icon() == QMessageBox::Warning) {
                texts.append(box->text());
                captions.append(box->windowTitle());
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start();
    }
    QStringList texts;
    QStringList captions;

private:
    QTimer timer_;
};

enum class Blocker { FullDisk, FolderInTheWay };
enum class Save { ToFile, AsDefault, SettingsDialog, SettingsDialogNamingAPort, GuideWithTheBoxTicked };

struct FailedSave {
    const char* name;
    Save save;
    const char* file; // in the test's folder, which is the program's folder
    Blocker blocker;
};

const FailedSave kSaves[] = {
    {"SaveToFile", Save::ToFile, "site.set", Blocker::FullDisk},
    {"SaveAsDefault", Save::AsDefault, "default.set", Blocker::FolderInTheWay},
    {"SettingsDialogSave", Save::SettingsDialog, "Pagerbench.set", Blocker::FullDisk},
    {"SettingsDialogPortsFile", Save::SettingsDialogNamingAPort, "ports.ini", Blocker::FolderInTheWay},
    {"GuideClosedWithTheBoxTicked", Save::GuideWithTheBoxTicked, "Pagerbench.set", Blocker::FolderInTheWay},
};

class FailedSaves : public SettingsDialogTest, public ::testing::WithParamInterface<FailedSave> {
protected:
    void TearDown() override { delete dialog.data(); }

    void run(Save save)
    {
        switch (save) {
        case Save::ToFile:
            pbtest::pickFile(dir.filePath(QStringLiteral("site.set")));
            window->CmdOpslaanUnitGegevens->click();
            break;
        case Save::AsDefault:
            window->CmdInstellingenOpslaan->setEnabled(true);
            pbtest::pressInMessageBox(QMessageBox::Ok);
            window->CmdInstellingenOpslaan->click();
            break;
        case Save::SettingsDialog:
        case Save::SettingsDialogNamingAPort:
            openDialog();
            dialog->CmdWijzigen->click();
            dialog->ComboTaal->setCurrentIndex(2);
            if (save == Save::SettingsDialogNamingAPort)
                dialog->TxtPortDevice->setText(QStringLiteral("tcp://10.0.0.20:4001"));
            dialog->CmdSave->click();
            break;
        case Save::GuideWithTheBoxTicked: {
            QPointer<HousingGuide> guide = new HousingGuide(state);
            guide->show();
            guide->CheckDontShow->setChecked(true);
            guide->CmdClose->click();
            EXPECT_TRUE(guide.isNull() || !guide->isVisible()) << "the guide closes in any case";
            break;
        }
        }
    }
};

TEST_P(FailedSaves, ShowOneBoxAndLeaveTheOldFile)
{
    const FailedSave& c = GetParam();
    const QString path = dir.filePath(QString::fromLatin1(c.file));
    const QByteArray old = "0    ->2\r\n";
    QFile::remove(path);
    if (c.blocker == Blocker::FolderInTheWay) {
        ASSERT_TRUE(QDir().mkdir(path));
    } else {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    const QString english = state.texts[3];

    MessageBoxes boxes;
    {
        std::optional<pbtest::FileSizeLimit> fullDisk;
        if (c.blocker == Blocker::FullDisk)
            fullDisk.emplace(64);
        run(c.save);
    }
    QCoreApplication::processEvents();

    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.captions[0], state.texts[19]);
    const QString head = QStringLiteral("The file could not be saved:\r\n") + path + QStringLiteral("\r\n");
    EXPECT_TRUE(boxes.texts[0].startsWith(head)) << boxes.texts[0].toStdString();
    EXPECT_GT(boxes.texts[0].size(), head.size()) << "the reason follows";
    if (c.blocker == Blocker::FolderInTheWay) {
        EXPECT_TRUE(QFileInfo(path).isDir());
    } else {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral(".set.")), QStringList{})
        << "no temporary file left";
    if (c.save == Save::SettingsDialog || c.save == Save::SettingsDialogNamingAPort) {
        EXPECT_EQ(state.config.language, 2) << "the new values apply for the rest of the run";
        EXPECT_NE(state.texts[3], english);
    }
}

INSTANTIATE_TEST_SUITE_P(EverySave, FailedSaves, ::testing::ValuesIn(kSaves),
                         [](const ::testing::TestParamInfo<FailedSave>& info) { return std::string(info.param.name); });

} // namespace
} // namespace pb::test
