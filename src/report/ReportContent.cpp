#include "report/ReportContent.h"

#include "files/SettingsFile.h"
#include "settings/RowCoding.h"
#include "settings/UnitTypes.h"
#include "settings/ValueCoding.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace pb {

namespace {

int16_t SavedPosition(const ShownRow& row)
{
    return row.unnamedUnitValue ? int16_t(-1) : row.position;
}

ReportSetting SettingOf(int16_t unitType, const ShownRow& row)
{
    ReportSetting setting;
    setting.row = row.row;
    if (row.unnamedUnitValue) {
        setting.value = *row.unnamedUnitValue;
        setting.mark = RowMark::UnnamedInUnit;
        return setting;
    }
    setting.option = row.options.value(row.position);
    if (Sendable(unitType, row.row, int(row.options.size()), row.position))
        setting.value = EncodeValue(unitType, row.row, row.position);
    setting.mark = row.fromUnit ? RowMark::None : RowMark::NotFromUnit;
    return setting;
}

} // namespace

RowValues SavedValues(const QList<ShownRow>& rows)
{
    RowValues values;
    for (const ShownRow& row : rows)
        values.FileSettings[row.row] = SavedPosition(row);
    return values;
}

ReportContent MakeReport(const ReportInputs& inputs)
{
    ReportContent content;
    content.language = inputs.language;
    content.header = inputs.header;
    content.call = inputs.call;
    content.referenceFile = inputs.referenceFile;
    content.referenceRead = inputs.reference.has_value();
    for (const ShownRow& row : inputs.rows) {
        content.settings.append(SettingOf(inputs.header.unitType, row));
        if (!inputs.reference)
            continue;
        const int16_t reference = (*inputs.reference)[row.row];
        const int16_t unit = SavedPosition(row);
        if (reference == unit)
            continue;
        content.differences.append(
            {row.row, reference, row.options.value(reference), unit, row.options.value(unit)});
    }
    content.fingerprint = SettingsFileFingerprint(SavedValues(inputs.rows));
    return content;
}

ReportHeader CommonHeader(int16_t unitType, const TextTable& texts)
{
    ReportHeader header;
    header.program = QStringLiteral("Pagerbench ") + QCoreApplication::applicationVersion();
    header.madeAt = QDateTime::currentDateTime();
    header.computer = QSysInfo::machineHostName();
    header.unitType = unitType;
    if (const UnitTypeInfo* type = FindUnitType(unitType))
        header.unitTypeName = texts[type->nameText];
    return header;
}

} // namespace pb
