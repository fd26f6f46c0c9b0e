#pragma once
// Why a device did not open or went away, as a value: the kind of failure,
// as far as the device can tell it, and the system's own words for it.
#include <QString>

namespace pb {

enum class DeviceErrorKind {
    None,         // no failure
    Missing,      // no such device (path, COM port), or nothing to open it with
    Forbidden,    // the user may not open it
    Busy,         // another program holds it
    NotSerial,    // it is there, but no serial line (a plain file, say)
    Unreachable,  // a device server's host is not found or cannot be reached
    Refused,      // the server's host refused the connection
    TimedOut,     // the server did not answer in time
    ClosedByPeer, // the server hung up
    Lost,         // the device failed while it was open
    Other,        // anything else, told by the text alone
};

struct DeviceError {
    DeviceErrorKind kind = DeviceErrorKind::None;
    // As the system says it, in the user's language where it has one; a
    // device adds what the system's words leave out (a COM port's "access
    // denied" means another program holds it).
    QString systemText;

    bool failed() const { return kind != DeviceErrorKind::None; }
};

} // namespace pb
