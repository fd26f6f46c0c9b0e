#pragma once
// Text layout needs a QGuiApplication, and a QGuiApplication a platform.
// A report is made in a shell over SSH or on a machine without X as well:
// the `minimal` platform needs no display, and with fonts enabled it finds
// the system's fonts on Linux (fontconfig) and Windows alike, which
// `offscreen` does not on Windows. Whatever DISPLAY and QT_QPA_PLATFORM
// say, it is chosen before the application is made.
#include <QByteArray>
#include <QtGlobal>

namespace pb {

inline void ChooseReportPlatform()
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("minimal:enable_fonts"));
}

} // namespace pb
