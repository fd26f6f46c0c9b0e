// Which numbers each language fills, what the language code does, and that a
// reload never leaves texts of the previous language behind.
#include "TextTableSupport.h"

#include <gtest/gtest.h>

namespace pb::test {
namespace {

TEST(LaadTeksten, EachLanguageFillsExactlyItsNumbers)
{
    for (int16_t code : kLanguages) {
        const TextTable tekst = Loaded(code);
        const std::set<int> unfilled = UnfilledNumbers(code);
        for (int n = 0; n < kTextSlots; ++n)
            EXPECT_EQ(tekst[n].isEmpty(), unfilled.count(n) == 1)
                << LanguageName(code) << " text " << n << ": \"" << tekst[n].toStdString() << '"';
    }
}

TEST(LaadTeksten, CodeAboveThreeGivesEnglishAndResetsTheCallersCode)
{
    const TextTable english = Loaded(kEnglish);
    for (int16_t code : {int16_t(4), int16_t(7), int16_t(32767)}) {
        int16_t taal = code;
        TextTable tekst;
        LaadTeksten(tekst, taal);
        EXPECT_EQ(taal, 0) << "code " << code;
        EXPECT_EQ(tekst, english) << "code " << code;
    }
    EXPECT_EQ(english[0], "Close");
}

TEST(LaadTeksten, NegativeCodeLeavesEveryTextEmpty)
{
    for (int16_t code : {int16_t(-1), int16_t(-32768)}) {
        int16_t taal = code;
        TextTable tekst = Loaded(kNederlands);
        LaadTeksten(tekst, taal);
        EXPECT_EQ(taal, code);
        for (int n = 0; n < kTextSlots; ++n)
            EXPECT_TRUE(tekst[n].isEmpty()) << "code " << code << " text " << n;
    }
}

TEST(LaadTeksten, ValidCodesAreKept)
{
    const char* const closeText[] = {"Close", "Sluiten", "Schließen", "Fermer"};
    for (int16_t code : kLanguages) {
        int16_t taal = code;
        TextTable tekst;
        LaadTeksten(tekst, taal);
        EXPECT_EQ(taal, code);
        EXPECT_EQ(tekst[0], QString::fromUtf8(closeText[code])) << LanguageName(code);
    }
}

TEST(LaadTekstenSwitch, DutchThenEnglishLeavesNoDutchText)
{
    const TextTable dutch = Loaded(kNederlands);
    const TextTable english = Loaded(kEnglish);

    TextTable tekst = dutch;
    int16_t taal = kEnglish;
    LaadTeksten(tekst, taal);

    int differing = 0;
    for (int n = 0; n < kTextSlots; ++n) {
        EXPECT_EQ(tekst[n], english[n]) << "text " << n;
        if (dutch[n] != english[n]) {
            ++differing;
            EXPECT_NE(tekst[n], dutch[n]) << "text " << n << " still Dutch";
        }
    }
    // Most texts differ between the two, so the loop above checked something.
    EXPECT_GT(differing, 100);
}

TEST(LaadTekstenSwitch, NumberEmptyInTheNewLanguageBecomesEmpty)
{
    TextTable tekst = Loaded(kNederlands);
    ASSERT_EQ(tekst[138], "begint bij pos");

    int16_t taal = kDeutsch;
    LaadTeksten(tekst, taal);
    EXPECT_TRUE(tekst[138].isEmpty());
    EXPECT_EQ(tekst[54], QString::fromUtf8("Länge"));
}

TEST(LaadTekstenSwitch, UnusedNumbersAreClearedOfAnythingBefore)
{
    TextTable tekst;
    tekst.fill("stale");
    int16_t taal = kEnglish;
    LaadTeksten(tekst, taal);
    for (int n : UnfilledNumbers(kEnglish))
        EXPECT_TRUE(tekst[n].isEmpty()) << "text " << n;
    for (int n = 0; n < kTextSlots; ++n)
        EXPECT_NE(tekst[n], "stale") << "text " << n;
}

} // namespace
} // namespace pb::test
