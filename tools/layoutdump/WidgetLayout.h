#pragma once
// The places of a window's named controls, as JSON.
#include <QJsonObject>
#include <QWidget>

namespace pb::layoutdump {

// {"window": {"width", "height", "font", "fontShown", "devicePixelRatio"}, "widgets": {path:
// {"class", "x", "y", "width", "height", "visible", "textFits"}}}, in logical pixels (device
// pixels over devicePixelRatio). A control's path joins the names of its
// named ancestors below the window ("client/SSTab1/page3/CmdLeesAlles"), so
// names that repeat on different pages stay apart. Positions count from the
// window's top-left corner. Qt's own parts of a control (named "qt_...")
// are left out: they belong to the style, not to the window's design.
QJsonObject WidgetLayout(const QWidget& window);

} // namespace pb::layoutdump
