#pragma once
// The one entry point for trace lines: message window buffer and daily file.
#include "app/AppState.h"

namespace pb {

// "DDMMYYYY.log" for the given date.
QString LogFileName(const QDate& date);

// Stamps the message with the time of day and, while logging is on, adds it
// to the message window buffer and appends it to Log/DDMMYYYY.log. A file
// that cannot be written loses the line silently; the buffer still has it.
void WriteLog(AppState& state, const QString& message);

} // namespace pb
