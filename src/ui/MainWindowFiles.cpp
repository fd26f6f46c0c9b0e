// The four buttons of the "File" tab: default settings and user settings files.
#include "files/SettingsFile.h"
#include "texts/TextNumbers.h"
#include "ui/MainWindow.h"
#include "ui/SaveFailureBox.h"

#include <QApplication>
#include <QMessageBox>

namespace pb {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
const QString kSettingsFilter = QStringLiteral("set (*.set)");
}

void MainWindow::connectFileButtons()
{
    connect(CmdInstellingenLezen, &QPushButton::clicked, this, &MainWindow::onCmdInstellingenLezenClicked);
    connect(CmdInstellingenOpslaan, &QPushButton::clicked, this, &MainWindow::onCmdInstellingenOpslaanClicked);
    connect(CmdLezenUnitgegevens, &QPushButton::clicked, this, &MainWindow::onCmdLezenUnitgegevensClicked);
    connect(CmdOpslaanUnitGegevens, &QPushButton::clicked, this, &MainWindow::onCmdOpslaanUnitGegevensClicked);
}

bool MainWindow::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, state_.texts[TxtProgramTitle], question,
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() != QMessageBox::Cancel;
}

QString MainWindow::chooseSettingsFile(QFileDialog::AcceptMode mode, const QString& presetName)
{
    QFileDialog dialog(this, state_.texts[TxtProgramTitle], state_.config.settingsFolder, kSettingsFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The name is used as returned: no extension added, no overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void MainWindow::onCmdInstellingenLezenClicked()
{
    const QString question = state_.texts[TxtReadDefaultsFromFile] + kLineBreak + state_.texts[TxtChangesWillBeLost] + kLineBreak + state_.texts[TxtAreYouSure] + u'?';
    if (confirm(question))
        ReadDefaultSettings(state_.folder, state_.grid, state_.rows);
}

void MainWindow::onCmdInstellingenOpslaanClicked()
{
    const QString question = state_.texts[TxtWriteDefaultsToFile] + kLineBreak + state_.texts[TxtOldDefaultsOverwritten] + kLineBreak + state_.texts[TxtAreYouSure] + u'?';
    if (confirm(question))
        ReportFailedSave(this, state_.texts, WriteDefaultSettings(state_.folder, state_.grid, state_.rows));
}

void MainWindow::onCmdLezenUnitgegevensClicked()
{
    const QString path = chooseSettingsFile(QFileDialog::AcceptOpen, QStringLiteral("*.*"));
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    ReadSettingsFile(state_.grid, state_.rows, path);
}

void MainWindow::onCmdOpslaanUnitGegevensClicked()
{
    const QString path = chooseSettingsFile(QFileDialog::AcceptSave, QStringLiteral("NewSettings"));
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    ReportFailedSave(this, state_.texts, WriteSettingsFile(state_.grid, state_.rows, path));
}

} // namespace pb
