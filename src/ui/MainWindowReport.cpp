// The report frame of the "File" tab, below the settings files: the
// technician and the site, kept per user, and "Save report…", which the
// program wires (it needs the port and the test call).
#include "files/ReportFieldsFile.h"
#include "texts/ReportWording.h"
#include "texts/TextNumbers.h"
#include "ui/MainWindow.h"
#include "ui/Place.h"

namespace pb {

namespace {
const QString kReportFilter = QStringLiteral("PDF (*.pdf)");
}

void MainWindow::buildReportFrame(QWidget* page)
{
    FrameReport = place<QGroupBox>(page, QStringLiteral("FrameReport"), 16, 136, 705, 97);
    LabTechnician = place<QLabel>(FrameReport, QStringLiteral("LabTechnician"), 16, 28, 97, 17);
    TxtTechnician = place<QLineEdit>(FrameReport, QStringLiteral("TxtTechnician"), 120, 24, 337, 21);
    LabSite = place<QLabel>(FrameReport, QStringLiteral("LabSite"), 16, 60, 97, 17);
    TxtSite = place<QLineEdit>(FrameReport, QStringLiteral("TxtSite"), 120, 56, 337, 21);
    CmdSaveReport = place<QPushButton>(FrameReport, QStringLiteral("CmdSaveReport"), 544, 40, 145, 33);
    for (QLineEdit* field : {TxtTechnician, TxtSite})
        connect(field, &QLineEdit::editingFinished, this, &MainWindow::rememberReportFields);
}

void MainWindow::applyReportTexts()
{
    const int language = state_.config.language;
    FrameReport->setTitle(ReportWords("title", language) + QStringLiteral(": "));
    LabTechnician->setText(ReportWords("technician field", language));
    LabSite->setText(ReportWords("site field", language));
    CmdSaveReport->setText(ReportWords("save report", language));
}

void MainWindow::showReportFields()
{
    TxtTechnician->setText(state_.reportFields.technician);
    TxtSite->setText(state_.reportFields.site);
}

void MainWindow::rememberReportFields()
{
    const ReportFields fields{TxtTechnician->text(), TxtSite->text()};
    if (fields.technician == state_.reportFields.technician && fields.site == state_.reportFields.site)
        return;
    state_.reportFields = fields;
    // Only the memory is lost when the per-user folder takes no file.
    WriteReportFields(state_.folder.reportFieldsFile(), fields);
}

QString MainWindow::chooseReportFile()
{
    QFileDialog dialog(this, state_.texts[TxtProgramTitle], state_.config.settingsFolder, kReportFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Report.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace pb
