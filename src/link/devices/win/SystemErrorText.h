#pragma once
// The words Windows has for an error code of GetLastError.
#include <QString>

namespace pb {

QString SystemErrorText(unsigned long error);

} // namespace pb
