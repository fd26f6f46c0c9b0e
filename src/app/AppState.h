#pragma once
// The program-wide state. One object lives for the whole run and owns every
// part; each module receives only the parts it needs, so a test builds a
// fresh one or just the parts it tests.
#include "files/ProgramConfig.h"
#include "files/ProgramFolder.h"
#include "files/ReportFieldsFile.h"
#include "link/devices/Datacom.h"
#include "link/devices/LampFlags.h"
#include "link/ports/PresentPorts.h"
#include "log/LogBuffer.h"
#include "log/Logfile.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QString>
#include <cstdint>

namespace pb {

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 6;

struct AppState {
    ProgramConfig config;
    int16_t serviceLevel = 0;  // 0 normal, 1 "/LOG", 2 "/DEBUG" (service mode)
    LampFlags lamps;
    TextTable texts;
    LogBuffer log;             // the message window's lines
    RowValues rows;
    GridModel grid;
    ProgramFolder folder;
    QString commandLine;       // the whole argument text, searched for switches
    ReportFields reportFields; // the File tab's technician and site, kept per user
    // The clock of the log; a test puts a fixed moment here.
    Logfile::Clock now = [] { return QDateTime::currentDateTime(); };
    Logfile logfile{log, config.logging, folder, now};
    // The serial ports the automatic numbering counts; a test puts its own here.
    std::function<QList<PortDescription>()> presentPorts = PresentPorts;
    // The clock that paces the reopening of a lost device, in milliseconds;
    // a test steps its own.
    Datacom::Clock portClock = Datacom::SteadyClock();
};

} // namespace pb
