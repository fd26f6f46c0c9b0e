// The four buttons of the "File" tab: default settings and user settings files.
#include "files/SettingsFile.h"
#include "texts/TextNumbers.h"
#include "ui/FrmHoofdscherm.h"
#include "ui/SaveFailureBox.h"

#include <QApplication>
#include <QMessageBox>

namespace pb {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
const QString kSettingsFilter = QStringLiteral("set (*.set)");
}

void FrmHoofdscherm::connectFileButtons()
{
    connect(CmdInstellingenLezen, &QPushButton::clicked, this, &FrmHoofdscherm::CmdInstellingenLezen_Click);
    connect(CmdInstellingenOpslaan, &QPushButton::clicked, this, &FrmHoofdscherm::CmdInstellingenOpslaan_Click);
    connect(CmdLezenUnitgegevens, &QPushButton::clicked, this, &FrmHoofdscherm::CmdLezenUnitgegevens_Click);
    connect(CmdOpslaanUnitGegevens, &QPushButton::clicked, this, &FrmHoofdscherm::CmdOpslaanUnitGegevens_Click);
}

bool FrmHoofdscherm::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, state_.Tekst[TxtProgramTitle], question,
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() != QMessageBox::Cancel;
}

QString FrmHoofdscherm::chooseSettingsFile(QFileDialog::AcceptMode mode, const QString& presetName)
{
    QFileDialog dialog(this, state_.Tekst[TxtProgramTitle], state_.config.SetPath, kSettingsFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The name is used as returned: no extension added, no overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FrmHoofdscherm::CmdInstellingenLezen_Click()
{
    const QString question = state_.Tekst[TxtReadDefaultsFromFile] + kLineBreak + state_.Tekst[TxtChangesWillBeLost] + kLineBreak + state_.Tekst[TxtAreYouSure] + u'?';
    if (confirm(question))
        LeesDefault(state_.folder, state_.grid, state_.rows);
}

void FrmHoofdscherm::CmdInstellingenOpslaan_Click()
{
    const QString question = state_.Tekst[TxtWriteDefaultsToFile] + kLineBreak + state_.Tekst[TxtOldDefaultsOverwritten] + kLineBreak + state_.Tekst[TxtAreYouSure] + u'?';
    if (confirm(question))
        ReportFailedSave(this, state_.Tekst, SchrijfDefault(state_.folder, state_.grid, state_.rows));
}

void FrmHoofdscherm::CmdLezenUnitgegevens_Click()
{
    const QString path = chooseSettingsFile(QFileDialog::AcceptOpen, QStringLiteral("*.*"));
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    LeesSetFile(state_.grid, state_.rows, path);
}

void FrmHoofdscherm::CmdOpslaanUnitGegevens_Click()
{
    const QString path = chooseSettingsFile(QFileDialog::AcceptSave, QStringLiteral("NewSettings"));
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    ReportFailedSave(this, state_.Tekst, SchrijfSetFile(state_.grid, state_.rows, path));
}

} // namespace pb
