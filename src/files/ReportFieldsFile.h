#pragma once
// The window's report fields, kept in the per-user folder (report.ini), not
// in the configuration file, whose format stays:
//
//     [report]
//     Technician=J. Jansen
//     Site=Hospital, building C
#include "files/TextFile.h"

#include <QString>

namespace pb {

struct ReportFields {
    QString technician;
    QString site;
};

// Empty fields when the file is missing or unreadable.
ReportFields ReadReportFields(const QString& path);

// Sets the two entries; the file's other lines stay as they are.
WriteOutcome WriteReportFields(const QString& path, const ReportFields& fields);

} // namespace pb
