#pragma once
// Small pieces shared by the drawings.
#include <QColor>
#include <QPainter>
#include <QPointF>

namespace pbdraw {

inline const QColor kArrowRed(224, 32, 28);

// A filled arrow from `tail` to `tip`, outlined so that it stands out on dark
// and light ground alike.
void drawArrow(QPainter& p, QPointF tail, QPointF tip, qreal shaftWidth = 14, qreal headWidth = 42,
               qreal headLength = 32);

// A lamp seen from the front: lit ones carry a soft glow around them.
void drawLamp(QPainter& p, QPointF centre, qreal radius, const QColor& colour, bool lit);

} // namespace pbdraw
