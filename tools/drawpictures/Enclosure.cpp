#include "Enclosure.h"

#include "Drawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace pbdraw {
namespace {

const QRectF kBody(105, 40, 560, 480);
const QRectF kCover(235, 250, 300, 170);

// Hole centres along the top edge of the cover.
const std::array<QPointF, 2> kHoles{QPointF(kCover.left() + 62, kCover.top() + 16),
                                    QPointF(kCover.right() - 62, kCover.top() + 16)};

QImage blankStep()
{
    QImage image(kStepWidth, kStepHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient wall(0, 0, 0, kStepHeight);
    wall.setColorAt(0, QColor(222, 225, 229));
    wall.setColorAt(1, QColor(184, 189, 196));
    p.fillRect(image.rect(), wall);
    return image;
}

void drawScrew(QPainter& p, QPointF centre)
{
    p.setPen(QPen(QColor(15, 15, 16), 1.5));
    p.setBrush(QColor(92, 96, 103));
    p.drawEllipse(centre, 8, 8);
    p.setPen(QPen(QColor(40, 42, 45), 2.5));
    p.drawLine(centre + QPointF(-5, 0), centre + QPointF(5, 0));
}

void drawBody(QPainter& p)
{
    // Shadow on the wall, then the black housing.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(kBody.translated(10, 12), 20, 20);

    QLinearGradient shade(kBody.topLeft(), kBody.bottomRight());
    shade.setColorAt(0, QColor(52, 54, 59));
    shade.setColorAt(1, QColor(22, 23, 25));
    p.setPen(QPen(QColor(10, 10, 11), 3));
    p.setBrush(shade);
    p.drawRoundedRect(kBody, 20, 20);

    p.setPen(QPen(QColor(110, 114, 120, 160), 2));
    p.drawLine(kBody.topLeft() + QPointF(24, 4), kBody.topRight() + QPointF(-24, 4));

    const qreal inset = 26;
    drawScrew(p, kBody.topLeft() + QPointF(inset, inset));
    drawScrew(p, kBody.topRight() + QPointF(-inset, inset));
    drawScrew(p, kBody.bottomLeft() + QPointF(inset, -inset));
    drawScrew(p, kBody.bottomRight() + QPointF(-inset, -inset));

    // Name plate above the cover.
    const QRectF plate(185, 80, 400, 58);
    p.setPen(QPen(QColor(70, 73, 79), 1.5));
    p.setBrush(QColor(38, 40, 44));
    p.drawRoundedRect(plate, 6, 6);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.setPen(QColor(168, 173, 181));
    p.drawText(plate, Qt::AlignCenter, QStringLiteral("PROTOCOL CONVERTER"));
}

void drawClosedCover(QPainter& p)
{
    QLinearGradient face(kCover.topLeft(), kCover.bottomLeft());
    face.setColorAt(0, QColor(44, 46, 50));
    face.setColorAt(1, QColor(30, 31, 34));
    p.setPen(QPen(QColor(78, 81, 88), 2));
    p.setBrush(face);
    p.drawRoundedRect(kCover, 8, 8);

    // Grip ridges near the lower edge.
    p.setPen(QPen(QColor(66, 69, 75), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal y = kCover.bottom() - 44 + 10 * i;
        p.drawLine(QPointF(kCover.left() + 90, y), QPointF(kCover.right() - 90, y));
    }

    for (const QPointF& hole : kHoles) {
        p.setPen(QPen(QColor(88, 92, 99), 2));
        p.setBrush(QColor(6, 6, 7));
        p.drawEllipse(hole, 7, 7);
    }
}

void drawConnector(QPainter& p, QPointF centre)
{
    // The flange and the D-shaped shell, wider at the top.
    QLinearGradient metal(centre + QPointF(0, -34), centre + QPointF(0, 34));
    metal.setColorAt(0, QColor(214, 218, 224));
    metal.setColorAt(1, QColor(130, 135, 143));
    p.setPen(QPen(QColor(70, 73, 78), 1.5));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(centre.x() - 108, centre.y() - 34, 216, 68), 6, 6);

    // Screw posts on the flange, either side of the shell.
    for (qreal dx : {-92.0, 92.0}) {
        p.setPen(QPen(QColor(60, 62, 66), 1.5));
        p.setBrush(QColor(190, 194, 200));
        p.drawEllipse(centre + QPointF(dx, 0), 11, 11);
        p.setBrush(QColor(45, 47, 50));
        p.drawEllipse(centre + QPointF(dx, 0), 5, 5);
    }

    const QPolygonF shell{centre + QPointF(-66, -24), centre + QPointF(66, -24), centre + QPointF(54, 24),
                          centre + QPointF(-54, 24)};
    QPainterPath d;
    d.addPolygon(shell);
    d.closeSubpath();
    p.setBrush(QColor(26, 26, 28));
    p.setPen(QPen(QColor(95, 99, 105), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(d);

    // Five pins above, four below.
    p.setPen(QPen(QColor(120, 96, 30), 1));
    p.setBrush(QColor(222, 186, 72));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(centre + QPointF(-46 + 23 * i, -9), 5, 5);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(centre + QPointF(-34.5 + 23 * i, 10), 5, 5);
}

void drawOpenedCover(QPainter& p)
{
    // The recess behind the cover.
    QLinearGradient depth(kCover.topLeft(), kCover.bottomLeft());
    depth.setColorAt(0, QColor(12, 12, 13));
    depth.setColorAt(0.12, QColor(34, 36, 39));
    depth.setColorAt(1, QColor(28, 29, 32));
    p.setPen(QPen(QColor(8, 8, 9), 3));
    p.setBrush(depth);
    p.drawRoundedRect(kCover, 6, 6);

    drawConnector(p, QPointF(kCover.left() + 124, kCover.center().y() + 6));

    // Indicator lamps with their names.
    struct LampLook {
        const char* name;
        QColor colour;
        bool lit;
    };
    const std::array<LampLook, 3> lamps{{{"PWR", QColor(48, 210, 64), true},
                                         {"TX", QColor(240, 190, 32), true},
                                         {"RX", QColor(226, 48, 40), false}}};
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        const QPointF centre(kCover.right() - 62, kCover.top() + 42 + 42 * qreal(i));
        drawLamp(p, centre, 8, lamps[i].colour, lamps[i].lit);
        p.setFont(font);
        p.setPen(QColor(176, 180, 188));
        p.drawText(QRectF(centre.x() + 16, centre.y() - 10, 44, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(lamps[i].name));
    }

    // The cover hangs from its lower hinge, folded towards the viewer.
    const qreal hinge = kCover.bottom();
    const QPolygonF flap{QPointF(kCover.left() + 4, hinge), QPointF(kCover.right() - 4, hinge),
                         QPointF(kCover.right() + 22, hinge + 58), QPointF(kCover.left() - 22, hinge + 58)};
    QLinearGradient inner(0, hinge, 0, hinge + 58);
    inner.setColorAt(0, QColor(24, 25, 28));
    inner.setColorAt(1, QColor(58, 61, 66));
    p.setPen(QPen(QColor(88, 92, 99), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(inner);
    p.drawPolygon(flap);
    p.setPen(QPen(QColor(100, 104, 111), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(kCover.left() + 10, hinge + 2), QPointF(kCover.right() - 10, hinge + 2));
}

} // namespace

QImage drawStep1()
{
    QImage image = blankStep();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBody(p);
    drawClosedCover(p);
    for (qreal x : {kCover.left() + 70, kCover.right() - 70})
        drawArrow(p, QPointF(x, kCover.bottom() + 84), QPointF(x, kCover.bottom() + 8));
    return image;
}

QImage drawStep2()
{
    QImage image = blankStep();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBody(p);
    drawClosedCover(p);
    for (const QPointF& hole : kHoles)
        drawArrow(p, hole - QPointF(0, 100), hole - QPointF(0, 12));
    return image;
}

QImage drawStep3()
{
    QImage image = blankStep();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBody(p);
    drawOpenedCover(p);
    return image;
}

} // namespace pbdraw
