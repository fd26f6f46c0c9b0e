#pragma once
// What a commissioning report says, as plain values: the header, every row
// the unit type shows, the differences from a reference file, the test call
// and the fingerprint. pagerbench-cli and the window each gather a
// ReportInputs; MakeReport turns it into the content, so the same values
// give the same report whoever asks.
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace pb {

struct ReportHeader {
    QString program;      // "Pagerbench 2.6"
    QDateTime madeAt;     // local time, with its zone
    QString computer;
    QString port;         // as named: "Com1", "/dev/ttyUSB0", "tcp://..."
    QString device;       // what the port stood for, when it is another name
    QString fromFile;     // made from this settings file without a unit
    int16_t unitType = 0;
    QString unitTypeName;
    QString technician;
    QString site;
};

// One row the unit type shows, as its owner holds it.
struct ShownRow {
    int16_t row = 0;
    QStringList options;
    int16_t position = -1; // as the grid shows it; -1 for none
    bool fromUnit = false; // the unit confirmed it
    std::optional<int16_t> unnamedUnitValue; // the byte the unit holds when no option names it
};

struct ReportCall {
    QString address;
    QString message;
    int16_t bleepCode = 0;
    bool taken = false;
};

struct ReportInputs {
    int language = 0; // 0 English, 1 Nederlands, 2 Deutsch, 3 Française
    ReportHeader header;
    QList<ShownRow> rows;
    QString referenceFile;
    std::optional<RowArray> reference; // none when the file cannot be read
    std::optional<ReportCall> call;
};

enum class RowMark { None, NotFromUnit, UnnamedInUnit };

struct ReportSetting {
    int16_t row = 0;
    QString option;   // empty when no option is shown
    int16_t value = -1; // the byte the unit is sent (or holds); -1 for none
    RowMark mark = RowMark::None;
};

struct ReportDifference {
    int16_t row = 0;
    int16_t referencePosition = -1;
    QString referenceOption; // empty when no option of the row is that position
    int16_t unitPosition = -1;
    QString unitOption;
};

struct ReportContent {
    int language = 0;
    ReportHeader header;
    QList<ReportSetting> settings;
    QString referenceFile;
    bool referenceRead = false;
    QList<ReportDifference> differences;
    std::optional<ReportCall> call;
    QString fingerprint; // SHA-256 of the settings file read --out writes for these values
};

ReportContent MakeReport(const ReportInputs& inputs);

// What every report's header says alike: this program and its version, the
// time, this computer and the unit type by its name in `texts`. The caller
// adds the port or file and the people.
ReportHeader CommonHeader(int16_t unitType, const TextTable& texts);

// The values read --out saves for these rows: each row's position, -1 for a
// value no option names, 0 for every other row.
RowValues SavedValues(const QList<ShownRow>& rows);

} // namespace pb
