#include "ui/Lamp.h"

#include <QPainter>

namespace pb {

Lamp::Lamp(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) {}

void Lamp::setColor(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(color_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace pb
