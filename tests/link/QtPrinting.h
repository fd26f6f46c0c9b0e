#pragma once
// Lets failed expectations show Qt strings and byte arrays as text.
#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8().replace("\r", "\\r").replace("\n", "\\n").constData() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << bytes.toHex(' ').toUpper().constData();
}
