#pragma once
// A filled rectangle that shows serial activity by its colour.
#include <QColor>
#include <QWidget>

namespace pb {

// The serial lamps: transmit red, receive green, each dark or lit.
inline const QColor kTxDark(192, 0, 0);
inline const QColor kTxLit(255, 128, 128);
inline const QColor kRxDark(0, 192, 0);
inline const QColor kRxLit(128, 255, 128);

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
