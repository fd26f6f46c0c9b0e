#pragma once
// A tab control whose pages cover the whole control, strip included, so that
// the positions of the controls on a page count from the control's own
// top-left corner. The strip lies across the top; the pages are drawn inside
// a panel border below it, on the window's background colour.
#include <QTabBar>
#include <QWidget>
#include <vector>

namespace pb {

class TabControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStripHeight = 28;

    TabControl(int tabCount, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(pages_.size()); }
    QWidget* page(int index) const { return pages_.at(index); }
    QTabBar* tabBar() const { return bar_; }

    int currentIndex() const { return bar_->currentIndex(); }
    void setCurrentIndex(int index) { bar_->setCurrentIndex(index); }

    QString tabText(int index) const { return bar_->tabText(index); }
    void setTabText(int index, const QString& text) { bar_->setTabText(index, text); }
    bool isTabEnabled(int index) const { return bar_->isTabEnabled(index); }
    void setTabEnabled(int index, bool enabled) { bar_->setTabEnabled(index, enabled); }
    bool isTabVisible(int index) const { return bar_->isTabVisible(index); }
    void setTabVisible(int index, bool visible) { bar_->setTabVisible(index, visible); }

signals:
    // The shown page changed, by the user or by code.
    void currentChanged(int index);
    // The user clicked a tab (or chose one with the keyboard or the wheel);
    // currentIndex() already tells the tab now shown.
    void tabClicked(int previousTab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int index);

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
};

} // namespace pb
