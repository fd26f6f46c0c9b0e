// Which numbers each language fills, what the language code does, and that a
// reload never leaves texts of the previous language behind.
#include "TextTableSupport.h"

#include <gtest/gtest.h>

namespace pb::test {
namespace {

TEST(LoadTexts, EachLanguageFillsExactlyItsNumbers)
{
    for (int16_t code : kLanguages) {
        const TextTable texts = Loaded(code);
        const std::set<int> unfilled = UnfilledNumbers(code);
        for (int n = 0; n < kTextSlots; ++n)
            EXPECT_EQ(texts[n].isEmpty(), unfilled.count(n) == 1)
                << LanguageName(code) << " text " << n << ": \"" << texts[n].toStdString() << '"';
    }
}

TEST(LoadTexts, CodeAboveThreeGivesEnglishAndResetsTheCallersCode)
{
    const TextTable english = Loaded(kEnglish);
    for (int16_t code : {int16_t(4), int16_t(7), int16_t(32767)}) {
        int16_t language = code;
        TextTable texts;
        LoadTexts(texts, language);
        EXPECT_EQ(language, 0) << "code " << code;
        EXPECT_EQ(texts, english) << "code " << code;
    }
    EXPECT_EQ(english[0], "Close");
}

TEST(LoadTexts, NegativeCodeLeavesEveryTextEmpty)
{
    for (int16_t code : {int16_t(-1), int16_t(-32768)}) {
        int16_t language = code;
        TextTable texts = Loaded(kDutch);
        LoadTexts(texts, language);
        EXPECT_EQ(language, code);
        for (int n = 0; n < kTextSlots; ++n)
            EXPECT_TRUE(texts[n].isEmpty()) << "code " << code << " text " << n;
    }
}

TEST(LoadTexts, ValidCodesAreKept)
{
    const char* const closeText[] = {"Close", "Sluiten", "Schließen", "Fermer"};
    for (int16_t code : kLanguages) {
        int16_t language = code;
        TextTable texts;
        LoadTexts(texts, language);
        EXPECT_EQ(language, code);
        EXPECT_EQ(texts[0], QString::fromUtf8(closeText[code])) << LanguageName(code);
    }
}

TEST(LoadTextsSwitch, DutchThenEnglishLeavesNoDutchText)
{
    const TextTable dutch = Loaded(kDutch);
    const TextTable english = Loaded(kEnglish);

    TextTable texts = dutch;
    int16_t language = kEnglish;
    LoadTexts(texts, language);

    int differing = 0;
    for (int n = 0; n < kTextSlots; ++n) {
        EXPECT_EQ(texts[n], english[n]) << "text " << n;
        if (dutch[n] != english[n]) {
            ++differing;
            EXPECT_NE(texts[n], dutch[n]) << "text " << n << " still Dutch";
        }
    }
    // Most texts differ between the two, so the loop above checked something.
    EXPECT_GT(differing, 100);
}

TEST(LoadTextsSwitch, NumberEmptyInTheNewLanguageBecomesEmpty)
{
    TextTable texts = Loaded(kDutch);
    ASSERT_EQ(texts[138], "begint bij pos");

    int16_t language = kGerman;
    LoadTexts(texts, language);
    EXPECT_TRUE(texts[138].isEmpty());
    EXPECT_EQ(texts[54], QString::fromUtf8("Länge"));
}

TEST(LoadTextsSwitch, UnusedNumbersAreClearedOfAnythingBefore)
{
    TextTable texts;
    texts.fill("stale");
    int16_t language = kEnglish;
    LoadTexts(texts, language);
    for (int n : UnfilledNumbers(kEnglish))
        EXPECT_TRUE(texts[n].isEmpty()) << "text " << n;
    for (int n = 0; n < kTextSlots; ++n)
        EXPECT_NE(texts[n], "stale") << "text " << n;
}

} // namespace
} // namespace pb::test
