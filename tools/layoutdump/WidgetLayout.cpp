#include "WidgetLayout.h"
#include "TextFit.h"

#include <QFontInfo>
#include <QStringList>

namespace pb::layoutdump {

namespace {

bool isQtPart(const QString& name)
{
    return name.startsWith(QLatin1String("qt_"));
}

// Empty when the control or one of its ancestors is one of Qt's own parts.
QString pathOf(const QWidget& window, const QWidget& control)
{
    QStringList names;
    for (const QWidget* w = &control; w && w != &window; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (isQtPart(name))
            return QString();
        if (!name.isEmpty())
            names.prepend(name);
    }
    return names.join(u'/');
}

} // namespace

QJsonObject WidgetLayout(const QWidget& window)
{
    QJsonObject widgets;
    const auto children = window.findChildren<QWidget*>();
    for (const QWidget* control : children) {
        if (control->objectName().isEmpty() || control->isWindow())
            continue;
        const QString path = pathOf(window, *control);
        if (path.isEmpty())
            continue;
        const QPoint topLeft = control->mapTo(&window, QPoint(0, 0));
        widgets.insert(path, QJsonObject{
                                 {QStringLiteral("class"), QLatin1String(control->metaObject()->className())},
                                 {QStringLiteral("x"), topLeft.x()},
                                 {QStringLiteral("y"), topLeft.y()},
                                 {QStringLiteral("width"), control->width()},
                                 {QStringLiteral("height"), control->height()},
                                 {QStringLiteral("visible"), control->isVisibleTo(&window)},
                                 {QStringLiteral("textFits"), textFits(*control)},
                             });
    }
    const QJsonObject size{{QStringLiteral("width"), window.width()},
                           {QStringLiteral("height"), window.height()},
                           {QStringLiteral("font"), window.font().toString()},
                           {QStringLiteral("fontShown"), QFontInfo(window.font()).family()},
                           {QStringLiteral("devicePixelRatio"), window.devicePixelRatioF()}};
    return {{QStringLiteral("window"), size}, {QStringLiteral("widgets"), widgets}};
}

} // namespace pb::layoutdump
