#include "report/ReportDocument.h"

#include "texts/ReportWording.h"
#include "texts/TextNumbers.h"

namespace pb {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// "2026-12-03 14:05:33 UTC+01:00 (CET)"
QString WhenMade(const QDateTime& madeAt)
{
    const int offset = madeAt.offsetFromUtc() / kSecondsPerMinute;
    const int minutes = offset < 0 ? -offset : offset;
    QString when = madeAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        + QStringLiteral(" UTC%1%2:%3")
              .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
              .arg(minutes / kMinutesPerHour, 2, 10, QLatin1Char('0'))
              .arg(minutes % kMinutesPerHour, 2, 10, QLatin1Char('0'));
    const QString zone = madeAt.timeZoneAbbreviation();
    if (!zone.isEmpty() && !zone.startsWith(QStringLiteral("UTC")))
        when += QStringLiteral(" (%1)").arg(zone);
    return when;
}

class Html {
public:
    explicit Html(int language) : language_(language) {}

    QString say(const char* key) const { return ReportWords(key, language_); }
    void heading(const QString& text) { html_ += QStringLiteral("<h3>%1</h3>").arg(Escaped(text)); }
    void paragraph(const QString& text) { html_ += QStringLiteral("<p>%1</p>").arg(Escaped(text)); }
    void beginTable(const QStringList& headings)
    {
        html_ += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><tr>");
        for (const QString& heading : headings)
            html_ += QStringLiteral("<th align=\"left\">%1</th>").arg(Escaped(heading));
        html_ += QStringLiteral("</tr>");
    }
    void row(const QStringList& cells)
    {
        html_ += QStringLiteral("<tr>");
        for (const QString& cell : cells)
            html_ += QStringLiteral("<td>%1</td>").arg(Escaped(cell));
        html_ += QStringLiteral("</tr>");
    }
    void endTable() { html_ += QStringLiteral("</table>"); }
    void field(const char* key, const QString& value)
    {
        if (!value.isEmpty())
            row({say(key), value});
    }
    QString html() const { return html_; }
    QString& raw() { return html_; }

private:
    int language_;
    QString html_;
};

// An option, or the words for a value no option names.
QString OptionText(const QString& option, int16_t position, const Html& out)
{
    return option.isEmpty() ? QStringLiteral("%1 %2").arg(position).arg(out.say("no option")) : option;
}

void Header(const ReportHeader& header, Html& out)
{
    out.raw() += QStringLiteral("<h2>%1</h2>").arg(Escaped(out.say("title")));
    out.raw() += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    out.field("program", header.program);
    out.field("made", WhenMade(header.madeAt));
    out.field("computer", header.computer);
    if (header.fromFile.isEmpty()) {
        const bool sameName = header.device.isEmpty() || header.device == header.port;
        out.field("port", sameName ? header.port : out.say("stands for").arg(header.port, header.device));
    } else {
        out.field("source", out.say("from file").arg(header.fromFile));
    }
    out.field("unit type", QStringLiteral("%1 %2").arg(header.unitType).arg(header.unitTypeName));
    out.field("technician", header.technician);
    out.field("site", header.site);
    out.endTable();
}

void Settings(const ReportContent& content, Html& out)
{
    out.heading(out.say("settings"));
    out.beginTable({out.say("row"), out.say("setting"), out.say("value"), out.say("note")});
    for (const ReportSetting& setting : content.settings) {
        QString note;
        if (setting.mark == RowMark::NotFromUnit)
            note = out.say("not from unit");
        else if (setting.mark == RowMark::UnnamedInUnit)
            note = out.say("unnamed").arg(setting.value);
        const QString value = setting.value < 0 ? QStringLiteral("–") : QString::number(setting.value);
        const QString option = setting.option.isEmpty() ? out.say("no option") : setting.option;
        out.row({QString::number(setting.row), option, value, note});
    }
    out.endTable();
}

void Differences(const ReportContent& content, Html& out)
{
    out.heading(out.say("differences").arg(content.referenceFile));
    if (!content.referenceRead) {
        out.paragraph(out.say("no reference").arg(content.referenceFile));
        return;
    }
    if (content.differences.isEmpty()) {
        out.paragraph(out.say("no differences"));
        return;
    }
    out.beginTable({out.say("row"), out.say("reference"), out.say("unit")});
    for (const ReportDifference& difference : content.differences) {
        out.row({QString::number(difference.row),
                 OptionText(difference.referenceOption, difference.referencePosition, out),
                 OptionText(difference.unitOption, difference.unitPosition, out)});
    }
    out.endTable();
}

void Call(const ReportContent& content, const TextTable& texts, Html& out)
{
    out.heading(out.say("test call"));
    if (!content.call) {
        out.paragraph(out.say("no call"));
        return;
    }
    const ReportCall& call = *content.call;
    out.paragraph(QStringLiteral("%1 %2, %3 \"%4\", %5 %6: %7")
                      .arg(texts[TxtAddress], call.address, texts[TxtMessage], call.message, texts[TxtBleepcode],
                           call.bleepCode < 0 ? QStringLiteral("–") : QString::number(call.bleepCode, 16).toUpper(),
                           out.say(call.taken ? "call taken" : "call not taken")));
}

} // namespace

QString ReportHtml(const ReportContent& content, const TextTable& texts)
{
    Html out(content.language);
    Header(content.header, out);
    Settings(content, out);
    Differences(content, out);
    Call(content, texts, out);
    out.heading(out.say("fingerprint"));
    out.paragraph(content.fingerprint);
    out.paragraph(out.say("fingerprint note"));
    return out.html();
}

} // namespace pb
