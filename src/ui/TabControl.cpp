#include "ui/TabControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <functional>

namespace pb {

namespace {

// All tabs share the strip's width equally, whatever their captions; the
// last one takes the pixels left over by the division.
class StripBar : public QTabBar {
public:
    using QTabBar::QTabBar;

    std::function<void(int previousTab)> onUserChoice;

protected:
    QSize tabSizeHint(int index) const override
    {
        const int n = count();
        if (n == 0)
            return QTabBar::tabSizeHint(index);
        const int share = width() / n;
        const int w = index == n - 1 ? width() - share * (n - 1) : share;
        return QSize(w, TabControl::kStripHeight);
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    bool event(QEvent* e) override
    {
        const int before = currentIndex();
        bool onTab = false;
        if (e->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(e);
            onTab = me->button() == Qt::LeftButton && tabAt(me->position().toPoint()) >= 0
                    && isTabEnabled(tabAt(me->position().toPoint()));
        }
        const bool handled = QTabBar::event(e);
        const bool userInput = e->type() == QEvent::MouseButtonPress
                               || e->type() == QEvent::KeyPress || e->type() == QEvent::Wheel;
        if (userInput && (onTab || currentIndex() != before) && onUserChoice)
            onUserChoice(before);
        return handled;
    }
};

} // namespace

TabControl::TabControl(int tabCount, QWidget* parent) : QWidget(parent)
{
    auto* bar = new StripBar(this);
    bar->setObjectName(QStringLiteral("tabStrip"));
    bar->setDrawBase(false);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(false);
    bar->setElideMode(Qt::ElideRight);
    bar->onUserChoice = [this](int previousTab) { emit tabClicked(previousTab); };
    bar_ = bar;

    for (int i = 0; i < tabCount; ++i) {
        // Pages stay transparent so the panel border painted here shows.
        auto* page = new QWidget(this);
        page->setObjectName(QStringLiteral("page%1").arg(i));
        page->hide();
        pages_.push_back(page);
        bar_->addTab(QString());
    }
    bar_->raise();

    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        showPage(index);
        emit currentChanged(index);
    });
    showPage(bar_->currentIndex());
}

void TabControl::showPage(int index)
{
    for (int i = 0; i < count(); ++i)
        pages_[i]->setVisible(i == index);
    bar_->raise();
}

void TabControl::resizeEvent(QResizeEvent*)
{
    bar_->setGeometry(0, 0, width(), kStripHeight);
    for (QWidget* page : pages_)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = bar_->size();
    option.tabBarRect = bar_->geometry();
    option.selectedTabRect = bar_->tabRect(bar_->currentIndex());
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    option.rect = rect().adjusted(0, kStripHeight - overlap, 0, 0);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);

    // The pages sit on the window's own colour, like the rest of the window,
    // whatever shade the style gives a tab panel: fill the panel's inside,
    // where a QTabWidget would put its pages.
    QStyleOptionTabWidgetFrame whole = option;
    whole.rect = rect();
    const QRect inside = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &whole, this);
    painter.fillRect(inside, palette().color(QPalette::Window));
}

} // namespace pb
