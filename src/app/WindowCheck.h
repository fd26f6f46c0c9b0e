#pragma once
// The connection check run from the main window's Service tab or the
// settings dialog. It opens its port on a line of its own, so the program
// closes its port for the run when it is the same one, and the engine's
// requests wait until the check ends.
#include "app/AppState.h"
#include "link/check/ConnectionCheck.h"

#include <QString>
#include <functional>

namespace pb {

class WindowCheck {
public:
    // Each line is told as its step ends.
    WindowCheck(AppState& state, const CheckTarget& target, std::function<void(const QString& line)> line);

    void start() { check_.start(); }
    // Every tick of the program's timer while the check runs.
    void tick() { check_.tick(); }
    bool finished() const { return check_.finished(); }

private:
    Datacom port_;
    ConnectionCheck check_;
};

} // namespace pb
