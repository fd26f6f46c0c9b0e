#pragma once
// The six values of the program configuration file.
#include <QString>
#include <cstdint>

namespace pb {

struct ProgramConfig {
    int16_t Compoort = 0;      // port list position: port number - 1
    int16_t LogfileAan = 0;    // 0 off, other on
    QString SetPath;           // starting folder of the settings-file dialogs
    int16_t UnitType = 1;      // unit type code 0..6
    int16_t Taal = 0;          // 0 English, 1 Nederlands, 2 Deutsch, 3 Française
    int16_t CaseDontShow = 0;  // 0 shows the housing-opening guide at start-up
};

} // namespace pb
