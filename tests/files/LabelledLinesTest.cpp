#include "files/LabelledLines.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

namespace {

using pb::LeadingNumber;

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndStopsAtTheRest)
{
    EXPECT_EQ(LeadingNumber(u"42"), 42);
    EXPECT_EQ(LeadingNumber(u"  7 apples"), 7);
    EXPECT_EQ(LeadingNumber(u"\t-12xyz"), -12);
    EXPECT_EQ(LeadingNumber(u"+3"), 3);
    EXPECT_EQ(LeadingNumber(u"0        Compoort ->"), 0);
    EXPECT_EQ(LeadingNumber(u"12.3.4"), 12);
}

TEST(LeadingNumber, TextWithoutANumberGivesZero)
{
    EXPECT_EQ(LeadingNumber(u""), 0);
    EXPECT_EQ(LeadingNumber(u"abc"), 0);
    EXPECT_EQ(LeadingNumber(u"-"), 0);
    EXPECT_EQ(LeadingNumber(u"."), 0);
    EXPECT_EQ(LeadingNumber(u"x12"), 0);
}

TEST(LeadingNumber, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(LeadingNumber(u"1.5"), 2);
    EXPECT_EQ(LeadingNumber(u"2.5"), 2);
    EXPECT_EQ(LeadingNumber(u"3.5"), 4);
    EXPECT_EQ(LeadingNumber(u"0.5"), 0);
    EXPECT_EQ(LeadingNumber(u"-2.5"), -2);
    EXPECT_EQ(LeadingNumber(u"2.51"), 3);
    EXPECT_EQ(LeadingNumber(u"2.49"), 2);
    EXPECT_EQ(LeadingNumber(u".7"), 1);
    EXPECT_EQ(LeadingNumber(u"5."), 5);
}

TEST(LeadingNumber, NumbersBeyondSixteenBitsGiveNothing)
{
    EXPECT_EQ(LeadingNumber(u"32767"), 32767);
    EXPECT_EQ(LeadingNumber(u"-32768"), -32768);
    EXPECT_EQ(LeadingNumber(u"32767.4"), 32767);
    EXPECT_FALSE(LeadingNumber(u"32767.5"));
    EXPECT_FALSE(LeadingNumber(u"32768"));
    EXPECT_FALSE(LeadingNumber(u"-32769"));
    EXPECT_FALSE(LeadingNumber(QString(5000, u'9')));
}

TEST(LeadingNumber, IgnoresAGermanLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* cBefore = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = cBefore ? cBefore : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(LeadingNumber(u"2.5"), 2);
    EXPECT_EQ(LeadingNumber(u"1.5"), 2);
    EXPECT_EQ(LeadingNumber(u"2,5"), 2);
    std::setlocale(LC_NUMERIC, saved.c_str());
    QLocale::setDefault(before);
}

pb::LabelledSlots read(const QStringList& lines)
{
    pb::LabelledSlots fields;
    pb::ReadLabelledLines(lines, fields);
    return fields;
}

TEST(LabelledLines, KeyFromTheFirstFourCharactersValueAfterTheFirstArrow)
{
    const auto fields = read({"2       SetPath ->C:\\a->b", "10  whatever ->x", "4->2"});
    EXPECT_EQ(fields[2], "C:\\a->b");
    EXPECT_EQ(fields[10], "x");
    EXPECT_EQ(fields[4], "2");
}

TEST(LabelledLines, TheNameIsNeverLookedAt)
{
    const auto fields = read({"3       Anything at all ->6"});
    EXPECT_EQ(fields[3], "6");
}

TEST(LabelledLines, ALaterLineOverwritesAndOrderDoesNotMatter)
{
    const auto fields = read({"5 ->1", "1 ->9", "5 ->3"});
    EXPECT_EQ(fields[5], "3");
    EXPECT_EQ(fields[1], "9");
}

TEST(LabelledLines, Keys299AndUpAreSkipped)
{
    const auto fields = read({"298 ->a", "299 ->b", "300 ->c", "9999->d"});
    EXPECT_EQ(fields[298], "a");
    EXPECT_TRUE(fields[299].isEmpty());
    EXPECT_TRUE(fields[300].isEmpty());
}

TEST(LabelledLines, ANegativeKeyEndsReading)
{
    const auto fields = read({"1 ->a", "-1 ->b", "2 ->c"});
    EXPECT_EQ(fields[1], "a");
    EXPECT_TRUE(fields[2].isEmpty());
}

TEST(LabelledLines, FractionalKeysRoundHalfToEven)
{
    const auto fields = read({"2.5 ->two", "3.5 ->four"});
    EXPECT_EQ(fields[2], "two");
    EXPECT_EQ(fields[4], "four");
    EXPECT_TRUE(fields[3].isEmpty());
}

TEST(LabelledLines, EmptyLinesAndLinesWithoutArrowAreIgnored)
{
    pb::LabelledSlots fields;
    fields[3] = "1";
    pb::ReadLabelledLines({"", "3 no arrow here", "garbage"}, fields);
    EXPECT_EQ(fields[3], "1");
    EXPECT_TRUE(fields[0].isEmpty());
}

TEST(LabelledLines, AKeyWithoutANumberIsKeyZero)
{
    const auto fields = read({"abc ->zero"});
    EXPECT_EQ(fields[0], "zero");
}

} // namespace
