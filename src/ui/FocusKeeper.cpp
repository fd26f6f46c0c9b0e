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

bool isClick(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    default:
        return false;
    }
}

// Input that must not reach the other windows either, but that the user did
// not aim at them: no beep for it.
bool isOtherInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonRelease:
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
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType() && !watched->isWindowType())
        return false;

    if (type == QEvent::Show) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->isWindow() && !belongsToKeeper(widget))
            justShown_ = widget;
        return false;
    }

    if (type == QEvent::WindowActivate) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || !widget->isWindow() || belongsToKeeper(widget))
            return false;
        const bool byUser = widget != justShown_;
        justShown_.clear();
        turnAway(byUser);
        return false;
    }

    if (isClick(type) && !belongsToKeeper(watched)) {
        turnAway(true);
        return true;
    }
    // Keys reach another window only once it has become active, and that
    // activation has beeped already.
    return isOtherInput(type) && !belongsToKeeper(watched);
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
