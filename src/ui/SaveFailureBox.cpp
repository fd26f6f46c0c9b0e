#include "ui/SaveFailureBox.h"

#include "texts/TextNumbers.h"

#include <QDir>
#include <QMessageBox>

namespace pb {

QString SaveFailureMessage(const WriteOutcome& outcome)
{
    return QStringLiteral("The file could not be saved:\r\n") + QDir::toNativeSeparators(outcome.path)
        + QStringLiteral("\r\n") + outcome.failure;
}

void ReportFailedSave(QWidget* parent, const TextTable& texts, const WriteOutcome& outcome)
{
    if (outcome.ok())
        return;
    QMessageBox box(QMessageBox::Warning, texts[TxtProgramTitle], SaveFailureMessage(outcome), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace pb
