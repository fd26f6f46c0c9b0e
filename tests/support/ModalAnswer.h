#pragma once
// Answers the next modal dialog (message box or file dialog) from the event
// loop that its exec() runs, so a test can press OK, Cancel or pick a file.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace pbtest {

// Runs `answer` on the dialog that is modal once the event loop turns.
template <typename Dialog>
void whenModal(std::function<void(Dialog*)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog)
            answer(dialog);
    });
}

inline void pressInMessageBox(QMessageBox::StandardButton button, QString* seenText = nullptr)
{
    whenModal<QMessageBox>([button, seenText](QMessageBox* box) {
        if (seenText)
            *seenText = box->text();
        box->button(button)->click();
    });
}

inline void pickFile(const QString& path)
{
    whenModal<QFileDialog>([path](QFileDialog* dialog) {
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

inline void cancelFileDialog(QString* seenFolder = nullptr)
{
    whenModal<QFileDialog>([seenFolder](QFileDialog* dialog) {
        if (seenFolder)
            *seenFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
}

} // namespace pbtest
