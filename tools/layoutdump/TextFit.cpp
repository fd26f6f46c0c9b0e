#include "TextFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>

namespace pb::layoutdump {

namespace {

// Accelerator marks take no room.
int textWidth(const QWidget& control, QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, control.fontMetrics().horizontalAdvance(line));
    return widest;
}

bool labelFits(const QLabel& label)
{
    const QString text = label.text();
    if (text.isEmpty() || Qt::mightBeRichText(text))
        return true;
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    if (!label.wordWrap())
        return textWidth(label, text) <= room.width();
    const QRect needed = label.fontMetrics().boundingRect(room, int(label.alignment()) | Qt::TextWordWrap, text);
    return needed.height() <= room.height() && needed.width() <= room.width();
}

template <typename Button>
bool buttonFits(const Button& button, QStyle::SubElement contents)
{
    if (button.text().isEmpty())
        return true;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    return textWidth(button, button.text()) <= room.width();
}

bool comboFits(const QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    const QRect room =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    return textWidth(combo, combo.currentText()) <= room.width();
}

bool groupTitleFits(const QGroupBox& group)
{
    if (group.title().isEmpty())
        return true;
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect room = group.rect();
    const QRect label =
        group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
    return label.left() >= 0 && label.left() + textWidth(group, group.title()) <= room.right();
}

} // namespace

bool textFits(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return labelFits(*label);
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return buttonFits(*button, QStyle::SE_PushButtonContents);
    if (const auto* box = qobject_cast<const QCheckBox*>(&control))
        return buttonFits(*box, QStyle::SE_CheckBoxContents);
    if (const auto* radio = qobject_cast<const QRadioButton*>(&control))
        return buttonFits(*radio, QStyle::SE_RadioButtonContents);
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return comboFits(*combo);
    if (const auto* group = qobject_cast<const QGroupBox*>(&control))
        return groupTitleFits(*group);
    return true;
}

} // namespace pb::layoutdump
