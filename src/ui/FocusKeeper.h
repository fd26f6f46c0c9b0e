#pragma once
// Keeps a secondary window in front of the rest of the program while it is
// open: another window of the program becoming active, or a click on one,
// brings the keeper back with a beep. The other windows' timers keep
// running; only the user's input is turned away.
//
// The rule rests on activation rather than on modality: the toolkit drops
// clicks on a window blocked by a modal one before anything can beep.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace pb {

class FocusKeeper : public QObject {
public:
    // Watches the whole application for as long as `keeper` lives; the keeper
    // owns this object.
    explicit FocusKeeper(QWidget* keeper);
    ~FocusKeeper() override;

    // The sound made when input is turned away; the system beep unless a
    // test counts instead.
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // Whether `object` is the keeper or lies inside it (its drop-down lists
    // open in windows of their own).
    bool belongsToKeeper(const QObject* object) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activated(QWidget* window);
    void pressed(QWidget* window);
    void turnAway(bool withBeep);

    QWidget* keeper_;
    std::function<void()> beep_;
    // A window shown while the keeper is open takes the activation once
    // without it being the user's doing: no beep for that one.
    QPointer<QWidget> justShown_;
    // One click on another window both presses and activates it, in either
    // order: a window manager activates before the press arrives, the
    // toolkit on its own asks for the activation while handling the press.
    // The half that comes second makes no second beep.
    QPointer<QWidget> pressedFirst_;
    QPointer<QWidget> activatedFirst_;
};

} // namespace pb
