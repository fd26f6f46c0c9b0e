#pragma once
// Creating a control at a fixed position: the windows use no layouts, every
// control sits where the window's design puts it.
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace pb {

template <typename Control>
Control* place(QWidget* parent, const QString& name, int x, int y, int w, int h)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    return control;
}

// "Name(3)": the object name of element 3 of a control array.
inline QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A read-only text without border or background of its own: a label whose
// text can be selected and copied.
inline void makeStaticText(QLineEdit* edit)
{
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    edit->setPalette(palette);
}

} // namespace pb
