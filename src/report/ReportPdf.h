#pragma once
// The report as an A4 PDF, made by Qt's own PDF writer. Needs a
// QGuiApplication whose platform finds fonts (see ReportPlatform.h).
#include "files/TextFile.h"
#include "report/ReportContent.h"
#include "texts/TextTable.h"

#include <QByteArray>

namespace pb {

QByteArray ReportPdf(const ReportContent& content, const TextTable& texts);

// Replaces the file at once (WriteFileAtomically): never half a report.
WriteOutcome WriteReportPdf(const QString& path, const ReportContent& content, const TextTable& texts);

} // namespace pb
