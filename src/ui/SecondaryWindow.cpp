#include "ui/SecondaryWindow.h"

#include <QScreen>
#include <QShowEvent>
#include <QStyle>

namespace pb {

SecondaryWindow::SecondaryWindow(QWidget* parent, int clientWidth, int clientHeight)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      keeper_(new FocusKeeper(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(clientWidth, clientHeight);
}

void SecondaryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Not modal, so nothing activates the window for it where no window
    // manager does.
    activateWindow();
    if (centred_)
        return;
    centred_ = true;
    if (QScreen* screen = this->screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 screen->availableGeometry())
                 .topLeft());
}

} // namespace pb
