#pragma once
// Keeps a secondary window in front of the rest of the program while it is
// open: clicks on another window of the program, and that window becoming
// active, bring the keeper back with a beep. The other windows' timers keep
// running; only the user's input is turned away.
//
// Application modality alone is not enough: the toolkit drops clicks on
// blocked windows without a trace (so nothing could beep), yet still lets the
// window manager activate them.
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
    void turnAway(bool withBeep);

    QWidget* keeper_;
    std::function<void()> beep_;
    // A window shown while the keeper is open takes the activation once
    // without it being the user's doing: no beep for that one.
    QPointer<QWidget> justShown_;
};

} // namespace pb
