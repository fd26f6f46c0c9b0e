#pragma once
// The text the unit prints on its diagnose port, turned into log lines while
// no exchange is going on.
#include "link/devices/SerialLine.h"
#include "log/LogSink.h"

#include <QString>
#include <cstdint>

namespace pb {

// Longer monitor lines are logged in pieces.
constexpr int kMonitorLineLimit = 130;

// One received byte as log text: control bytes as "[SOH]" and the like,
// 127 as "[RUBOUT]", everything else as its Windows-1252 character.
QString CharName(uint8_t byte);

// Drains the waiting bytes into MonitorLine. CR or LF ends a line, which is
// logged unless empty; a line longer than kMonitorLineLimit characters is
// logged as it stands. An unfinished line waits for the next call.
void MonitorInput(SerialLine& line, QString& MonitorLine, LogSink& log);

} // namespace pb
