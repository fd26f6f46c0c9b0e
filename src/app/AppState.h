#pragma once
// The program-wide state. One object lives for the whole run; every module
// receives it (or the piece it needs), so a test builds a fresh one.
#include "app/ProgramFolder.h"
#include "log/LogBuffer.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace pb {

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 6;

// Flags use -1 for true and 0 for false throughout.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The six values of the configuration file.
struct ProgramConfig {
    int16_t Compoort = 0;      // port list position: port number - 1
    int16_t LogfileAan = 0;    // 0 off, other on
    QString SetPath;           // starting folder of the settings-file dialogs
    int16_t UnitType = 1;      // unit type code 0..6
    int16_t Taal = 0;          // 0 English, 1 Nederlands, 2 Deutsch, 3 Française
    int16_t CaseDontShow = 0;  // 0 shows the housing-opening guide at start-up
};

// Activity flags between the serial layer and the lamp timer.
struct LampFlags {
    int16_t TxActief = kFalse;
    int16_t RxActief = kFalse;
    int16_t TxLedAan = kFalse;
    int16_t RxLedAan = kFalse;
};

struct AppState {
    ProgramConfig config;
    int16_t DebugLevel = 0;    // 0 normal, 1 "/LOG", 2 "/DEBUG" (service mode)
    LampFlags lamps;
    TextTable Tekst;
    LogBuffer log;
    RowValues rows;
    ProgramFolder folder;
    QString commandLine;       // the whole argument text, searched for switches

    // The clock of the log; a test puts a fixed moment here.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

} // namespace pb
