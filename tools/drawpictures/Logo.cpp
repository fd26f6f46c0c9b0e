#include "Logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace pbdraw {
namespace {

const QColor kBlue(31, 78, 140);
const QColor kOrange(240, 138, 36);

void drawPager(QPainter& p)
{
    const QRectF case_(22, 46, 92, 104);
    QLinearGradient shade(case_.topLeft(), case_.bottomRight());
    shade.setColorAt(0, kBlue.lighter(130));
    shade.setColorAt(1, kBlue.darker(130));
    p.setPen(QPen(kBlue.darker(160), 2));
    p.setBrush(shade);
    p.drawRoundedRect(case_, 16, 16);

    p.setPen(QPen(QColor(20, 40, 70), 1.5));
    p.setBrush(QColor(208, 228, 246));
    p.drawRoundedRect(QRectF(34, 60, 68, 34), 5, 5);
    p.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(42, 71), QPointF(86, 71));
    p.drawLine(QPointF(42, 83), QPointF(72, 83));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 236, 244));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(44 + 24 * i, 122), 7, 7);

    // The signal coming in at the top right.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 14 + 11 * i;
        p.setPen(QPen(kOrange, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(112 - r, 44 - r, 2 * r, 2 * r), 5 * 16, 80 * 16);
    }
}

} // namespace

QImage drawLogo()
{
    QImage image(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawPager(p);

    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(38);
    name.setBold(true);
    p.setFont(name);
    p.setPen(kBlue);
    p.drawText(QRectF(150, 58, 210, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pager"));
    p.setPen(kOrange);
    p.drawText(QRectF(150, 100, 210, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("bench"));

    p.setPen(QPen(kBlue, 3));
    p.drawLine(QPointF(150, 154), QPointF(344, 154));
    return image;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The pager and its signal span 21..151 x 6..151 in the logo's units:
    // centred in a square of 150.
    const qreal scale = size / 150.0;
    p.scale(scale, scale);
    p.translate(-11, -3);
    drawPager(p);
    return image;
}

} // namespace pbdraw
