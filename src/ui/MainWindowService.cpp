// The buttons of the three hidden service frames on the "Service" tab. The
// unit offers no exchange for them, so they only change their own labels.
#include "ui/MainWindow.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace pb {

void MainWindow::connectServiceButtons()
{
    connect(CmdLeesRestarts, &QPushButton::clicked, this,
            [this] { LabRestarts->setText(QStringLiteral("Software restarts lezen ")); });
    connect(CmdWisRestarts, &QPushButton::clicked, this,
            [this] { LabRestarts->setText(QStringLiteral("Unit restarts wissen ")); });
    connect(CmdReadSwVersion, &QPushButton::clicked, this, [this] {
        LabVersionSw->clear();
        QPalette palette = LabVersionSw->palette();
        palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
        LabVersionSw->setPalette(palette);
    });
    connect(CmdWisAlles, &QPushButton::clicked, this, &MainWindow::onCmdWisAllesClicked);
    LabWisUnit->installEventFilter(this);
}

void MainWindow::onCmdWisAllesClicked()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pagerbench"),
                    QStringLiteral("Clear all settings of this unit?\r\nAre you sure? "),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Cancel)
        LabWisUnit->setText(QStringLiteral("Busy on clearing unit."));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LabWisUnit && event->type() == QEvent::MouseButtonDblClick)
        LabWisUnit->clear();
    if (watched == unitPage_ && event->type() == QEvent::ShowToParent)
        TxtProgress();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pb
