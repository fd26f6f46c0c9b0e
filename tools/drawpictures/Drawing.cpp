#include "Drawing.h"

#include <QLineF>
#include <QPainterPath>
#include <QRadialGradient>

namespace pbdraw {

void drawArrow(QPainter& p, QPointF tail, QPointF tip, qreal shaftWidth, qreal headWidth, qreal headLength)
{
    const QLineF line(tail, tip);
    const qreal length = line.length();
    // Drawn pointing right along the x axis, then turned into place.
    QPainterPath arrow;
    arrow.moveTo(0, -shaftWidth / 2);
    arrow.lineTo(length - headLength, -shaftWidth / 2);
    arrow.lineTo(length - headLength, -headWidth / 2);
    arrow.lineTo(length, 0);
    arrow.lineTo(length - headLength, headWidth / 2);
    arrow.lineTo(length - headLength, shaftWidth / 2);
    arrow.lineTo(0, shaftWidth / 2);
    arrow.closeSubpath();

    p.save();
    p.translate(tail);
    p.rotate(-line.angle());
    p.setPen(QPen(QColor(255, 255, 255, 220), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kArrowRed);
    p.drawPath(arrow);
    p.restore();
}

void drawLamp(QPainter& p, QPointF centre, qreal radius, const QColor& colour, bool lit)
{
    p.save();
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient glow(centre, radius * 3);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0, halo);
        glow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(glow);
        p.drawEllipse(centre, radius * 3, radius * 3);
    }
    QRadialGradient body(centre - QPointF(radius / 3, radius / 3), radius * 1.2);
    body.setColorAt(0, lit ? colour.lighter(170) : colour.darker(150));
    body.setColorAt(1, lit ? colour : colour.darker(300));
    p.setBrush(body);
    p.setPen(QPen(QColor(20, 20, 22), 1.5));
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

} // namespace pbdraw
