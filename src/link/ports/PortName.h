#pragma once
// Which device stands behind "Com n". A USB adapter or a pseudo-terminal has
// no fixed number, so an environment variable may name the device instead.
#include <QString>
#include <functional>

namespace pb {

// Value of an environment variable, empty when it is not set.
using EnvironmentLookup = std::function<QString(const QString& name)>;

// The variables of this process.
EnvironmentLookup ProcessEnvironment();

// "PAGERBENCH_COM" and the port number: names the device for that port.
QString PortEnvironmentVariable(int portNumber);

// What the system itself calls port n: "COMn" on Windows, "/dev/ttyS<n-1>"
// elsewhere (link/win, link/unix). Empty for a number below 1.
QString PlatformPortDevice(int portNumber);

// The device for port number n (1-based): the device named by
// PAGERBENCH_COM<n> when that is set, otherwise the platform's device.
// Empty for a number below 1.
QString PortDeviceName(int portNumber, const EnvironmentLookup& environment);

// The same, from the process environment.
QString PortDeviceName(int portNumber);

} // namespace pb
