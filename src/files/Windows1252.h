#pragma once
// Windows-1252, the 8-bit code page of every file the program reads and
// writes. Written out as a table because Qt offers the codec only where it
// was built with ICU.
#include <QByteArray>
#include <QString>

namespace pb {

QString fromWindows1252(const QByteArray& bytes);

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString& text);

} // namespace pb
