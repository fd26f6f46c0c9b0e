#pragma once
// The report as a text document, in its language: what the PDF shows.
#include "report/ReportContent.h"
#include "texts/TextTable.h"

#include <QString>

namespace pb {

// A family Windows has and Debian's fontconfig gives its metric twin
// (Liberation Sans), so the PDF's text is the same and can be extracted.
inline const QString kReportFontFamily = QStringLiteral("Arial");

// The report as HTML for QTextDocument. `texts` are the program's texts in
// the report's language (the call's field names, the options' words).
QString ReportHtml(const ReportContent& content, const TextTable& texts);

} // namespace pb
