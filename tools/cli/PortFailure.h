#pragma once
// Why a port did not open, in the system's own words, from the error its
// device gave when it failed to open.
#include "link/devices/DeviceError.h"

#include <QString>

namespace pb::cli {

// "No such file or directory", "Permission denied" (with the hint to join
// the group dialout), "Device or resource busy", ... for a device path; for
// a tcp:// device, that no connection came about.
QString WhyPortDidNotOpen(const QString& device, const DeviceError& error);

} // namespace pb::cli
