#include "files/ReportFieldsFile.h"

#include "files/IniText.h"

#include <QDir>
#include <QFileInfo>

namespace pb {

namespace {

const QString kSection = QStringLiteral("report");
const QString kTechnician = QStringLiteral("Technician");
const QString kSite = QStringLiteral("Site");

IniText::KeyMatch Named(const QString& key)
{
    return [key](const QString& candidate) { return candidate.compare(key, Qt::CaseInsensitive) == 0; };
}

} // namespace

ReportFields ReadReportFields(const QString& path)
{
    ReportFields fields;
    for (const IniEntry& entry : IniText::read(path).entries(kSection)) {
        if (Named(kTechnician)(entry.key))
            fields.technician = entry.value;
        else if (Named(kSite)(entry.key))
            fields.site = entry.value;
    }
    return fields;
}

WriteOutcome WriteReportFields(const QString& path, const ReportFields& fields)
{
    IniText ini = IniText::read(path);
    ini.setEntry(kSection, Named(kTechnician), {kTechnician, fields.technician});
    ini.setEntry(kSection, Named(kSite), {kSite, fields.site});
    QDir().mkpath(QFileInfo(path).path());
    return ini.write(path);
}

} // namespace pb
