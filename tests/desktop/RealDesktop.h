#pragma once
// Input through a real X server, for what the toolkit's test events cannot
// show: they go straight to a widget, past the window system and so past the
// activation that a real click brings.
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QWidget>

namespace pb::test {

// Why real clicks cannot be had here; empty when they can.
QString whyNoDesktop();

// A left-button click at `pos` in `widget`, made by the X server.
bool realClick(QWidget* widget, QPoint pos);
inline bool realClick(QWidget* widget) { return realClick(widget, widget->rect().center()); }

// A real click at `pos` in `widget` that returns once its press has come in:
// whatever the X server sent before it has been handled by then.
bool realClickArrived(QWidget* widget, QPoint pos);

// A window manager managing the display for as long as the object lives.
class WindowManager {
public:
    WindowManager();
    ~WindowManager();

    bool managing() const { return managing_; }

private:
    QProcess process_;
    bool managing_ = false;
};

} // namespace pb::test
