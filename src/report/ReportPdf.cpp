#include "report/ReportPdf.h"

#include "report/ReportDocument.h"
#include "texts/ReportWording.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace pb {

namespace {

constexpr int kResolution = 300; // dots per inch of the page's layout
constexpr int kPointSize = 9;

} // namespace

QByteArray ReportPdf(const ReportContent& content, const TextTable& texts)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(), QPageLayout::Millimeter));
        writer.setResolution(kResolution);
        writer.setCreator(content.header.program);
        writer.setTitle(ReportWords("title", content.language));
        QTextDocument document;
        QFont font(kReportFontFamily, kPointSize);
        // No ligatures: "ff" in a fingerprint stays two letters for pdftotext
        // and a reader's search, whichever font stands in for Arial.
        font.setStyleStrategy(QFont::PreferNoShaping);
        document.setDefaultFont(font);
        document.setHtml(ReportHtml(content, texts));
        // Prints with margins of 2 cm and the page number at the foot.
        document.print(&writer);
    }
    return buffer.data();
}

WriteOutcome WriteReportPdf(const QString& path, const ReportContent& content, const TextTable& texts)
{
    return WriteFileAtomically(path, ReportPdf(content, texts));
}

} // namespace pb
