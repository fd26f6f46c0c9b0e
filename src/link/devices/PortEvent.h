#pragma once
// What happened to the port, as a value: Datacom logs each in the words its
// owner gives (texts/PortWording.h), so the line's code holds no language.
#include <QString>
#include <functional>

namespace pb {

struct PortEvent {
    enum Kind {
        OpenFailed,  // portNumber
        Opened,      // portNumber, detail: the settings as text
        Closed,
        CloseFailed,
        Lost,        // detail: the device's reason
        Back,        // detail: the caption, device and settings
    };
    Kind kind = Opened;
    int portNumber = 0;
    QString detail;
};

using PortWords = std::function<QString(const PortEvent& event)>;

} // namespace pb
