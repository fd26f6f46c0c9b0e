// Every report's words, letter for letter: the one place they are tested.
#include "LinkTexts.h"
#include "QtPrinting.h"
#include "texts/ExchangeWording.h"
#include "support/GridFixture.h"

#include <gtest/gtest.h>

namespace {

using pb::ErrorEffect;
using pb::Exchange;
using Result = pb::ExchangeResult;

struct WordingCase {
    Exchange exchange;
    Result result;
    const char* progress;
    const char* log;
    ErrorEffect effect;
};

const char* const kCallTimedOut = "ERROR: Time-out sent call to Pager via Pagerbench";

// Row 4 shows "4/2", its option at position 2; the reply named row 4 too.
const WordingCase kCases[] = {
    {Exchange::ReadRow, Result::Done, " ->  [Item: 4 Value: 2]  4/2 OK. \r\n", "Reading of [Item: 4 Value: 2]  4/2",
     ErrorEffect::Clears},
    {Exchange::ReadRow, Result::NoStartByte, "[4/2: 4 Value: 2] ERROR: Time-out [SOH]. \r\n",
     "ERROR Reading of: [4/2: 4 Value: 2] ERROR: Time-out [SOH]. ", ErrorEffect::Counts},
    {Exchange::ReadRow, Result::NoLengthByte, "[4/2: 4 Value: 2] ERROR: Time-out [LEN]. \r\n",
     "ERROR Reading of: [4/2: 4 Value: 2] ERROR: Time-out [LEN]. ", ErrorEffect::Counts},
    {Exchange::ReadRow, Result::TooLong, "[4/2: 4 Value: 2]  ERROR Len > Max. \r\n",
     "ERROR Reading of: [4/2: 4 Value: 2]  ERROR Len > Max. ", ErrorEffect::None},
    {Exchange::ReadRow, Result::Checksum, "[4/2: 4 Value: 2] ERROR [checksum]. \r\n",
     "ERROR Reading of: [4/2: 4 Value: 2] ERROR [checksum]. ", ErrorEffect::Counts},
    {Exchange::ReadRow, Result::NoRowOrValue, "[4/2: 4 Value: 2] ERROR [reply without row or value]. \r\n",
     "ERROR Reading of: [4/2: 4 Value: 2] ERROR [reply without row or value]. ", ErrorEffect::Counts},
    {Exchange::ReadRow, Result::NotCodable, "", "", ErrorEffect::None},

    {Exchange::WriteRow, Result::Done, " -> Saved.\r\n", "Writing of 4/2Saved", ErrorEffect::Clears},
    {Exchange::WriteRow, Result::NoStartByte, " -> ERROR: Time-out[SOH].\r\n", "", ErrorEffect::Counts},
    {Exchange::WriteRow, Result::NoLengthByte, " -> ERROR: Time-out[LEN].\r\n", "", ErrorEffect::Counts},
    {Exchange::WriteRow, Result::TooLong, " -> ERROR > InfoMaxLen.\r\n", "", ErrorEffect::None},
    {Exchange::WriteRow, Result::Checksum, " -> ERROR checksum.\r\n", "", ErrorEffect::Counts},
    {Exchange::WriteRow, Result::NotCodable, "", "", ErrorEffect::None},

    {Exchange::CallNumber, Result::Done, "", "", ErrorEffect::None},
    {Exchange::CallNumber, Result::CallDigitOutOfRange, "", "", ErrorEffect::Counts},
    {Exchange::CallNumber, Result::NoStartByte, "", "(SOH req BufPos)", ErrorEffect::Counts},
    {Exchange::CallNumber, Result::NoLengthByte, "", "(Len BufPos)", ErrorEffect::None},
    {Exchange::CallNumber, Result::Checksum, "",
     "ERROR: ChecksumError sending Paging Call via Pagerbench. (CheckSumn req BufPos)", ErrorEffect::None},
    {Exchange::CallNumber, Result::TooLong, "", "ERROR: Call Pager via Pagerbench not succeeded.", ErrorEffect::None},

    {Exchange::Call, Result::Done, "", "STATUS: Call Pager via Pagerbench succeeded.", ErrorEffect::None},
    {Exchange::Call, Result::Refused, "", "ERROR: Call Pager via Pagerbench not succeeded.", ErrorEffect::None},
    {Exchange::Call, Result::NoStartByte, "", "(SOH snd call)", ErrorEffect::Counts},
    {Exchange::Call, Result::NoLengthByte, "", "(Len send Call)", ErrorEffect::None},
    {Exchange::Call, Result::Checksum, "", "(Data send Call)", ErrorEffect::None},
    {Exchange::Call, Result::TooLong, "", "ERROR: Call Pager via Pagerbench not succeeded.", ErrorEffect::None},
};

// A log line given in parentheses only follows the call time-out's text.
QString expectedLog(const char* log)
{
    const QString text = QString::fromLatin1(log);
    return text.startsWith('(') ? QString::fromLatin1(kCallTimedOut) + ". " + text : text;
}

TEST(ExchangeWording, EachReportHasItsWordsAndItsWeight)
{
    pbtest::GridFixture grid;
    grid.allRows(4);
    grid.combo(4)->setCurrentIndex(2);
    const pb::TextTable texts = pbtest::EnglishLinkTexts();
    for (const WordingCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << int(c.exchange) << '/' << int(c.result));
        const bool rowExchange = c.exchange == Exchange::ReadRow || c.exchange == Exchange::WriteRow;
        const pb::ExchangeReport report{c.exchange, c.result, int16_t(rowExchange ? 4 : -1),
                                        int16_t(rowExchange ? 4 : -1), 2};
        const pb::ReportWording words = pb::WordReport(report, grid.grid, texts);
        EXPECT_EQ(words.progress, QString::fromLatin1(c.progress));
        EXPECT_EQ(words.log, expectedLog(c.log));
        EXPECT_EQ(pb::FailureCountEffect(report), c.effect);
    }
    EXPECT_EQ(pb::ExchangeStartText(Exchange::ReadRow, 4, 2, grid.grid, texts), "Reading of 4/2");
    EXPECT_EQ(pb::ExchangeStartText(Exchange::WriteRow, 4, 2, grid.grid, texts), "Writing of 4/2  [Item: 4 Value: 2] ");
}

} // namespace
