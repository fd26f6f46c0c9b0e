#pragma once
// The six values of the program configuration file.
#include <QString>
#include <cstdint>

namespace pb {

struct ProgramConfig {
    int16_t portIndex = 0;         // port list position: port number - 1
    int16_t logging = 0;           // 0 off, other on
    QString settingsFolder;        // starting folder of the settings-file dialogs
    int16_t unitType = 1;          // unit type code 0..6
    int16_t language = 0;          // 0 English, 1 Nederlands, 2 Deutsch, 3 Française
    int16_t hideHousingGuide = 0;  // 0 shows the housing-opening guide at start-up
};

} // namespace pb
