#include "texts/ExchangeWording.h"

#include "texts/RowDescription.h"
#include "settings/NumberText.h"
#include "texts/TextNumbers.h"

namespace pb {

namespace {

using Result = ExchangeResult;

const QString kCrLf = QStringLiteral("\r\n");
const QString kArrow = QStringLiteral(" -> ");

struct Words {
    const ExchangeReport& report;
    const RowsShown& grid;
    const TextTable& texts;

    QString operator[](int number) const { return texts[number]; }
    QString combo(int16_t row) const { return grid.shownText(row); }
    // " [Item: 4 Value: 2] "
    QString itemValue(int16_t row, int16_t value) const
    {
        return QStringLiteral(" [") + texts[TxtItem] + QStringLiteral(": ") + IntToText(row) + u' '
            + texts[TxtValue] + QStringLiteral(": ") + IntToText(value) + QStringLiteral("] ");
    }
    // What a failed read says: the row as it stood, then the fault.
    QString readError(const QString& fault) const
    {
        return RowDescription(grid, texts, report.row) + fault;
    }
};

using Text = QString (*)(const Words&);

struct Wording {
    Exchange exchange;
    Result result;
    Text progress; // nullptr: nothing
    Text log;      // nullptr: nothing
};

QString ReadDoneValue(const Words& w)
{
    return w.itemValue(w.report.row, w.report.value) + u' ' + w.combo(w.report.storedRow);
}

// The error part of a failed read, for both its progress text and its log line.
QString ReadFault(const Words& w)
{
    switch (w.report.result) {
    case Result::NoStartByte: return w.readError(w[TxtErrorTimeout] + QStringLiteral(" [SOH]. "));
    case Result::NoLengthByte: return w.readError(w[TxtErrorTimeout] + QStringLiteral(" [LEN]. "));
    case Result::TooLong: return w.readError(u' ' + w[TxtError] + QStringLiteral(" Len > Max. "));
    case Result::Checksum: return w.readError(w[TxtError] + QStringLiteral(" [checksum]. "));
    case Result::NoRowOrValue: return w.readError(w[TxtError] + QStringLiteral(" [reply without row or value]. "));
    default: return QString();
    }
}

QString ReadFaultProgress(const Words& w) { return ReadFault(w) + kCrLf; }
QString ReadFaultLog(const Words& w)
{
    return w[TxtError] + u' ' + w[TxtReadingOf] + QStringLiteral(": ") + ReadFault(w);
}

const Wording kWordings[] = {
    {Exchange::ReadRow, Result::Done,
     [](const Words& w) { return kArrow + ReadDoneValue(w) + QStringLiteral(" OK. ") + kCrLf; },
     [](const Words& w) { return w[TxtReadingOf] + ReadDoneValue(w); }},
    {Exchange::ReadRow, Result::NoStartByte, ReadFaultProgress, ReadFaultLog},
    {Exchange::ReadRow, Result::NoLengthByte, ReadFaultProgress, ReadFaultLog},
    {Exchange::ReadRow, Result::TooLong, ReadFaultProgress, ReadFaultLog},
    {Exchange::ReadRow, Result::Checksum, ReadFaultProgress, ReadFaultLog},
    {Exchange::ReadRow, Result::NoRowOrValue, ReadFaultProgress, ReadFaultLog},

    {Exchange::WriteRow, Result::Done,
     [](const Words& w) { return kArrow + w[TxtSaved] + u'.' + kCrLf; },
     [](const Words& w) { return w[TxtWritingOf] + u' ' + w.combo(w.report.row) + w[TxtSaved]; }},
    {Exchange::WriteRow, Result::NoStartByte,
     [](const Words& w) { return kArrow + w[TxtErrorTimeout] + QStringLiteral("[SOH].") + kCrLf; }, nullptr},
    {Exchange::WriteRow, Result::NoLengthByte,
     [](const Words& w) { return kArrow + w[TxtErrorTimeout] + QStringLiteral("[LEN].") + kCrLf; }, nullptr},
    {Exchange::WriteRow, Result::TooLong,
     [](const Words& w) { return kArrow + w[TxtError] + QStringLiteral(" > InfoMaxLen.") + kCrLf; }, nullptr},
    {Exchange::WriteRow, Result::Checksum,
     [](const Words& w) { return kArrow + w[TxtError] + QStringLiteral(" checksum.") + kCrLf; }, nullptr},

    // The call exchanges report in the log only. A garbled reply too long to
    // be a frame still means the call did not go through, so it says so
    // rather than leaving the user waiting for a result that never comes.
    {Exchange::CallNumber, Result::CallDigitOutOfRange, nullptr, nullptr},
    {Exchange::CallNumber, Result::NoStartByte, nullptr,
     [](const Words& w) { return w[TxtCallTimedOut] + QStringLiteral(". (SOH req BufPos)"); }},
    {Exchange::CallNumber, Result::NoLengthByte, nullptr,
     [](const Words& w) { return w[TxtCallTimedOut] + QStringLiteral(". (Len BufPos)"); }},
    {Exchange::CallNumber, Result::Checksum, nullptr,
     [](const Words& w) { return w[TxtCallChecksumError] + QStringLiteral(". (CheckSumn req BufPos)"); }},
    {Exchange::CallNumber, Result::TooLong, nullptr,
     [](const Words& w) { return w[TxtCallFailed] + u'.'; }},

    {Exchange::Call, Result::Done, nullptr,
     [](const Words& w) { return w[TxtCallSucceeded] + u'.'; }},
    {Exchange::Call, Result::Refused, nullptr,
     [](const Words& w) { return w[TxtCallFailed] + u'.'; }},
    {Exchange::Call, Result::NoStartByte, nullptr,
     [](const Words& w) { return w[TxtCallTimedOut] + QStringLiteral(". (SOH snd call)"); }},
    {Exchange::Call, Result::NoLengthByte, nullptr,
     [](const Words& w) { return w[TxtCallTimedOut] + QStringLiteral(". (Len send Call)"); }},
    {Exchange::Call, Result::Checksum, nullptr,
     [](const Words& w) { return w[TxtCallTimedOut] + QStringLiteral(". (Data send Call)"); }},
    {Exchange::Call, Result::TooLong, nullptr,
     [](const Words& w) { return w[TxtCallFailed] + u'.'; }},
};

} // namespace

// A report the table has no line for (a call number that came, a row that
// could not be coded) shows nothing.
ReportWording WordReport(const ExchangeReport& report, const RowsShown& grid, const TextTable& texts)
{
    const Words words{report, grid, texts};
    for (const Wording& wording : kWordings) {
        if (wording.exchange != report.exchange || wording.result != report.result)
            continue;
        return {wording.progress ? wording.progress(words) : QString(), wording.log ? wording.log(words) : QString()};
    }
    return {};
}

QString CancelledText(const TextTable& texts)
{
    return kCrLf + texts[TxtCancelled] + u'!' + kCrLf;
}

QString DroppedText()
{
    return kCrLf + QStringLiteral("Cancelled!") + kCrLf;
}

QString ExchangeStartText(Exchange exchange, int16_t row, int16_t value, const RowsShown& grid,
                          const TextTable& texts)
{
    const ExchangeReport report{exchange, Result::Done, row, row, value};
    const Words w{report, grid, texts};
    if (exchange == Exchange::WriteRow)
        return w[TxtWritingOf] + u' ' + w.combo(row) + u' ' + w.itemValue(row, value);
    return w[TxtReadingOf] + u' ' + w.combo(row);
}

} // namespace pb
