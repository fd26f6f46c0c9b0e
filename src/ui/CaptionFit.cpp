#include "ui/CaptionFit.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace pb {

namespace {

constexpr qreal kSmallestShare = 0.75;
constexpr qreal kStep = 0.25; // points

// The caption's width and the room for it; a room of -1 when the control
// has no caption of one line to fit.
std::pair<int, int> captionAndRoom(const QWidget& control)
{
    QString caption;
    int room = -1;
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        caption = button->text().remove(u'&');
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->wordWrap() || Qt::mightBeRichText(label->text()))
            return {0, -1};
        caption = label->text();
        room = label->contentsRect().width() - 2 * label->margin();
    }
    return {control.fontMetrics().horizontalAdvance(caption), room};
}

} // namespace

bool CaptionFits(const QWidget& control)
{
    const auto [caption, room] = captionAndRoom(control);
    return room < 0 || caption <= room;
}

void FitCaptions(QWidget& window, std::initializer_list<QLabel*> captionLabels)
{
    const QFont base = window.font();
    QList<QWidget*> controls(captionLabels.begin(), captionLabels.end());
    for (QPushButton* button : window.findChildren<QPushButton*>())
        controls << button;
    for (QWidget* control : controls) {
        control->setFont(QFont()); // the parent's again
        QFont smaller = base;
        for (qreal size = base.pointSizeF() - kStep; size >= base.pointSizeF() * kSmallestShare && !CaptionFits(*control);
             size -= kStep) {
            smaller.setPointSizeF(size);
            control->setFont(smaller);
        }
    }
}

} // namespace pb
