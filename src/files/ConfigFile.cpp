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

void LeesConfig(ProgramConfig& config, const QString& path)
{
    const ProgramConfig defaults;
    LabelledSlots fields;
    fields[KeyUnitType] = QStringLiteral("1");
    ReadLabelledFile(path, fields);

    config.Compoort = numberOr(fields[KeyCompoort], defaults.Compoort);
    config.LogfileAan = numberOr(fields[KeyLogfile], defaults.LogfileAan);
    config.SetPath = fields[KeySetPath];
    config.UnitType = numberOr(fields[KeyUnitType], defaults.UnitType);
    config.Taal = numberOr(fields[KeyTaal], defaults.Taal);
    config.CaseDontShow = numberOr(fields[KeyCase], defaults.CaseDontShow);
}

QStringList ConfigLines(const ProgramConfig& config)
{
    return {
        kLabels[KeyCompoort] + QString::number(config.Compoort),
        kLabels[KeyLogfile] + QString::number(config.LogfileAan),
        kLabels[KeySetPath] + config.SetPath,
        kLabels[KeyUnitType] + QString::number(config.UnitType),
        kLabels[KeyTaal] + QString::number(config.Taal),
        kLabels[KeyCase] + QString::number(config.CaseDontShow),
    };
}

WriteOutcome SchrijfConfig(const ProgramConfig& config, const QString& path)
{
    return WriteTextFileAtomically(path, ConfigLines(config));
}

} // namespace pb
