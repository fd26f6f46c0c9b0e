// Option texts follow the active language while positions keep their meaning.
#include "EnglishTexts.h"
#include "settings/UnitCatalogue.h"
#include "texts/TextTable.h"

#include <gtest/gtest.h>

namespace {

pb::TextTable Language(int16_t code)
{
    pb::TextTable t{};
    pb::LoadTexts(t, code);
    return t;
}

} // namespace

TEST(GridLanguage, TextsComeFromTheTableGiven)
{
    pb::TextTable t = pbtest::EnglishGridTexts();
    t[48] = "Speed";
    t[140] = "chars";
    const pb::GridDefinition grid = pb::GridRows(1, t);
    EXPECT_EQ(grid[13].options[0], "Speed: 1200 baud");
    EXPECT_EQ(grid[3].options[5], "MaxLength of Buffer: 5 chars");
}

TEST(GridLanguage, DutchAndGermanOptions)
{
    const pb::GridDefinition nl = pb::GridRows(1, Language(1));
    EXPECT_EQ(nl[0].options[3], "Protocol Debug");
    EXPECT_EQ(nl[0].options[1], "Diagnose");
    EXPECT_EQ(nl[13].options[0], QString::fromUtf8("ESPA seriële snelheid: 1200 baud"));
    EXPECT_EQ(nl[5].options[0], "Adres Niet begrenst");
    EXPECT_EQ(nl[5].options[1], "Adres Lengte: 1");
    EXPECT_EQ(nl[16].options[2], "ESPA pariteit: Oneven Pariteit");
    EXPECT_EQ(nl[17].options[0], "ESPA handshake: Geen ");

    const pb::GridDefinition de = pb::GridRows(1, Language(2));
    // Text 138 is empty in Deutsch: the blank before it stays.
    EXPECT_EQ(de[4].options[3], "Adresse : 3");
    EXPECT_EQ(de[16].options[0], QString::fromUtf8("ESPA Parität: Keine Parität"));
    EXPECT_EQ(de[0].options[3], "Protokoll Debug");

    const pb::GridDefinition fr = pb::GridRows(2, Language(3));
    EXPECT_EQ(fr[17].options[1], "TAP handshake: Pas [RTS actifs]");
}

TEST(GridLanguage, LiteralRowsAreTheSameInEveryLanguage)
{
    const pb::GridDefinition en = pb::GridRows(3, Language(0));
    const pb::GridDefinition de = pb::GridRows(3, Language(2));
    for (int r = 1; r < pb::kGridRows; ++r)
        EXPECT_EQ(en[r].options, de[r].options) << "row " << r;
    EXPECT_NE(en[0].options, de[0].options);
}

TEST(GridLanguage, EveryLanguageHasTheSameRowsAndOptionCounts)
{
    for (int16_t type = 0; type <= 6; ++type) {
        const pb::GridDefinition en = pb::GridRows(type, Language(0));
        for (int16_t code = 1; code <= 3; ++code) {
            const pb::GridDefinition other = pb::GridRows(type, Language(code));
            for (int r = 0; r < pb::kGridRows; ++r) {
                EXPECT_EQ(other[r].state, en[r].state) << "type " << type << " language " << code << " row " << r;
                EXPECT_EQ(other[r].options.size(), en[r].options.size())
                    << "type " << type << " language " << code << " row " << r;
            }
        }
    }
}
