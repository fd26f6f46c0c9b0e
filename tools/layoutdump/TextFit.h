#pragma once
// Whether a control shows all of its text at the size it has, in its font:
// the room the style gives the text against the text's width.
#include <QWidget>

namespace pb::layoutdump {

// False for a label, button, check box, radio button, list or group box
// whose text runs past the room for it; true for any other control.
bool textFits(const QWidget& control);

} // namespace pb::layoutdump
