#include "ui/FocusKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace pb {

namespace {

// The widget behind one of the program's native windows, if any.
QWidget* widgetOf(const QWindow* window)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window)
            return top;
    return nullptr;
}

// The window, as a widget, that `watched` stands for or lies in.
QWidget* windowOf(QObject* watched)
{
    if (auto* widget = qobject_cast<QWidget*>(watched))
        return widget->window();
    return widgetOf(qobject_cast<QWindow*>(watched));
}

bool isPress(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress;
}

// Input that must not reach the other windows either but makes no beep of
// its own: a double-click follows a press that has beeped already, and keys
// reach another window only once it has become active, which has beeped.
bool isOtherInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

} // namespace

FocusKeeper::FocusKeeper(QWidget* keeper)
    : QObject(keeper), keeper_(keeper), beep_([] { QApplication::beep(); })
{
    qApp->installEventFilter(this);
}

FocusKeeper::~FocusKeeper()
{
    qApp->removeEventFilter(this);
}

bool FocusKeeper::belongsToKeeper(const QObject* object) const
{
    const QWidget* widget = qobject_cast<const QWidget*>(object);
    if (widget == nullptr)
        if (const auto* window = qobject_cast<const QWindow*>(object))
            widget = widgetOf(window);
    // Walk past window boundaries too: a drop-down list's popup is a window
    // whose parent is the list.
    for (; widget != nullptr; widget = widget->parentWidget())
        if (widget == keeper_)
            return true;
    return false;
}

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (!keeper_->isVisible())
        return false;
    if (!watched->isWidgetType() && !watched->isWindowType())
        return false;
    const QEvent::Type type = event->type();

    if (type == QEvent::Show || type == QEvent::WindowActivate) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || !widget->isWindow())
            return false;
        if (widget == keeper_ && type == QEvent::WindowActivate) {
            // Back in front: whatever half of a click was still to come has come.
            pressedFirst_.clear();
            activatedFirst_.clear();
        } else if (!belongsToKeeper(widget)) {
            if (type == QEvent::Show)
                justShown_ = widget;
            else
                activated(widget);
        }
        return false;
    }

    if (belongsToKeeper(watched))
        return false;
    if (isPress(type)) {
        pressed(windowOf(watched));
        return true;
    }
    return isOtherInput(type);
}

void FocusKeeper::activated(QWidget* window)
{
    if (window == pressedFirst_) {
        pressedFirst_.clear();
        turnAway(false);
        return;
    }
    const bool byUser = window != justShown_;
    justShown_.clear();
    if (byUser)
        activatedFirst_ = window;
    turnAway(byUser);
}

void FocusKeeper::pressed(QWidget* window)
{
    if (window != nullptr && window == activatedFirst_) {
        activatedFirst_.clear();
        return;
    }
    pressedFirst_ = window;
    turnAway(true);
}

void FocusKeeper::turnAway(bool withBeep)
{
    if (withBeep && beep_)
        beep_();
    // Activating from inside another window's activation would be undone by
    // it; do it once the event has run its course.
    QPointer<QWidget> keeper(keeper_);
    QMetaObject::invokeMethod(
        keeper_,
        [keeper] {
            if (keeper && keeper->isVisible()) {
                keeper->raise();
                keeper->activateWindow();
            }
        },
        Qt::QueuedConnection);
}

} // namespace pb
