#pragma once
// The parts of the program's state that the core works with, owned together
// the way the program owns them, for the core's tests.
#include "files/ProgramConfig.h"
#include "files/ProgramFolder.h"
#include "link/devices/LampFlags.h"
#include "log/LogBuffer.h"
#include "log/Logfile.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

namespace pbtest {

struct CoreState {
    pb::ProgramConfig config;
    pb::LampFlags lamps;
    pb::TextTable texts;
    pb::LogBuffer log;
    pb::RowValues rows;
    pb::ProgramFolder folder;
    pb::Logfile::Clock now = [] { return QDateTime::currentDateTime(); };
    pb::Logfile logfile{log, config.logging, folder, now};
};

} // namespace pbtest
