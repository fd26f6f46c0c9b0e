#include "files/ConfigFile.h"

#include "files/LabelledLines.h"
#include "files/TextFile.h"

namespace pb {
namespace {

enum ConfigKey { KeyCompoort = 0, KeyLogfile = 1, KeySetPath = 2, KeyUnitType = 3, KeyTaal = 4, KeyCase = 5 };

const QString kLabels[] = {
    QStringLiteral("0        Compoort ->"),
    QStringLiteral("1      Logfile ->"),
    QStringLiteral("2       SetPath ->"),
    QStringLiteral("3       UnitType ->"),
    QStringLiteral("4       Taal ->"),
    QStringLiteral("5       Case ->"),
};

// A slot's number, or the default when it holds one that 16 bits cannot.
int16_t numberOr(const QString& slot, int16_t fallback)
{
    return LeadingNumber(slot).value_or(fallback);
}

} // namespace

void ReadConfig(ProgramConfig& config, const QString& path)
{
    const ProgramConfig defaults;
    LabelledSlots fields;
    fields[KeyUnitType] = QStringLiteral("1");
    ReadLabelledFile(path, fields);

    config.portIndex = numberOr(fields[KeyCompoort], defaults.portIndex);
    config.logging = numberOr(fields[KeyLogfile], defaults.logging);
    config.settingsFolder = fields[KeySetPath];
    config.unitType = numberOr(fields[KeyUnitType], defaults.unitType);
    config.language = numberOr(fields[KeyTaal], defaults.language);
    config.hideHousingGuide = numberOr(fields[KeyCase], defaults.hideHousingGuide);
}

QStringList ConfigLines(const ProgramConfig& config)
{
    return {
        kLabels[KeyCompoort] + QString::number(config.portIndex),
        kLabels[KeyLogfile] + QString::number(config.logging),
        kLabels[KeySetPath] + config.settingsFolder,
        kLabels[KeyUnitType] + QString::number(config.unitType),
        kLabels[KeyTaal] + QString::number(config.language),
        kLabels[KeyCase] + QString::number(config.hideHousingGuide),
    };
}

WriteOutcome WriteConfig(const ProgramConfig& config, const QString& path)
{
    return WriteTextFileAtomically(path, ConfigLines(config));
}

} // namespace pb
