#pragma once
// A filled rectangle that shows serial activity by its colour.
#include <QColor>
#include <QWidget>

namespace pb {

class Lamp : public QWidget {
public:
    explicit Lamp(const QColor& color, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

} // namespace pb
