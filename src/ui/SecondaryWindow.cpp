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
    // Blocks the other windows' input, not their timers: show() returns at
    // once, unlike a dialog's own event loop.
    setWindowModality(Qt::ApplicationModal);
}

void SecondaryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen* screen = this->screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 screen->availableGeometry())
                 .topLeft());
}

} // namespace pb
