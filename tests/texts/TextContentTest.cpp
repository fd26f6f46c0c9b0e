// The texts themselves: exact wording, blanks, the names that no language
// translates, and that every text fits the 8-bit files the program writes.
#include "TextTableSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace pb::test {
namespace {

struct Expected {
    int16_t code;
    int number;
    const char* text;
};

void ExpectTexts(std::initializer_list<Expected> expected)
{
    for (const Expected& e : expected) {
        const TextTable texts = Loaded(e.code);
        EXPECT_EQ(texts[e.number], QString::fromUtf8(e.text))
            << LanguageName(e.code) << " text " << e.number;
    }
}

TEST(TextContent, EnglishTexts)
{
    ExpectTexts({
        {kEnglish, 0, "Close"},
        {kEnglish, 2, "Cancel"},
        {kEnglish, 8, "Settings"},
        {kEnglish, 11, "Are you sure to leave the Pagerbench software?"},
        {kEnglish, 15, "ComPort"},
        {kEnglish, 19, "Pagerbench by pagerbench.example"},
        {kEnglish, 31, "None"},
        {kEnglish, 38, "If firmware of converter  below 1.10, then set Diagnostic data to Debug MINIMUM!!"},
        {kEnglish, 42, "Address"},
        {kEnglish, 70, "None"},
        {kEnglish, 89, "Are you sure"},
        {kEnglish, 93, "Cancel"},
        {kEnglish, 100, "opened with"},
        {kEnglish, 107, "Reading of all settings successfull"},
        {kEnglish, 112, "ERROR: Time-out sent call to Pager via Pagerbench"},
        {kEnglish, 116, "Writing of"},
        {kEnglish, 117, "Reading of"},
        {kEnglish, 121, "ERROR: Time-out"},
        {kEnglish, 126, "Please enter a valid PagerNumber to send the message to"},
        {kEnglish, 129, "Don't show this anymore"},
        {kEnglish, 134, "RMT Portavo Sliding Door unit"},
        {kEnglish, 135, "Espa444 to Espa 443 Converter"},
        {kEnglish, 138, "starts at pos"},
        {kEnglish, 150, "DP6000 to Espa444 Converter"},
        {kEnglish, 159, "No Fixed Bleepcode, use DP6000 input"},
        {kEnglish, 161, "Espa444 to Espa 443 Converter (FW V2.00 and up) "},
        {kEnglish, 162, "Use # as final digit"},
        {kEnglish, 163, "TAP to Espa 443 Converter (FW V2.10 and up) "},
    });
}

TEST(TextContent, TranslationsLetterForLetter)
{
    ExpectTexts({
        {kDutch, 0, "Sluiten"},
        {kDutch, 11, "Programma verlaten?"},
        {kDutch, 15, "ComPoort"},
        {kDutch, 19, "Pagerbench van pagerbench.example"},
        {kDutch, 48, "ESPA seriële snelheid"},
        {kDutch, 60, "Niet begrenst"},
        {kDutch, 89, "Zeker weten"},
        {kDutch, 126, "Vergeet niet een pagernummer in te vullen voor de testoproep"},
        {kDutch, 138, "begint bij pos"},
        {kDutch, 142, "Start met"},
        {kGerman, 0, "Schließen"},
        {kGerman, 1, "Ändern"},
        {kGerman, 9, "Folder für logdatei"},
        {kGerman, 19, "Pagerbench von pagerbench.example"},
        {kGerman, 59, "ESPA Hardware Flusskontrolle"},
        {kGerman, 76, "Port-Nnummer"},
        {kGerman, 89, "Zeker weten"},
        {kGerman, 121, "FEHLER: Time-out"},
        {kGerman, 132, "Verwenden Sie einen Schraubendreher in eine der angegebenen Bohrungen, "
                        "um den Deckel zu öffnen"},
        {kFrench, 4, "Propos"},
        {kFrench, 8, "Paramétres"},
        {kFrench, 11, "Fermer le programma Pagerbench?"},
        {kFrench, 19, "Pagerbench de pagerbench.example"},
        {kFrench, 30, "Étendue"},
        {kFrench, 32, "Expiration ëtendue mode"},
        {kFrench, 71, "ne l'utilisez pas"},
        {kFrench, 74, "Espa 4.4.4.SORTIE silencieux"},
        {kFrench, 126, "S'il vous plaît entrer un numéro valide téléavertisseur pour envoyer le message à"},
        {kFrench, 139, "nombre maximum de caractères"},
    });
}

// Only the unit-type entries end in a blank; nothing else has blanks at
// either end, so captions built as text & ": " come out with one blank.
TEST(TextContent, TrailingBlanksOnlyWhereTheListShowsThem)
{
    const std::set<std::pair<int16_t, int>> trailing = {
        {kEnglish, 161}, {kEnglish, 163}, {kDutch, 163},
        {kGerman, 161}, {kGerman, 163}, {kFrench, 161}, {kFrench, 163},
    };
    for (int16_t code : kLanguages) {
        const TextTable texts = Loaded(code);
        for (int n = 0; n < kTextSlots; ++n) {
            const QString& text = texts[n];
            if (text.isEmpty())
                continue;
            if (trailing.count({code, n})) {
                EXPECT_TRUE(text.endsWith(' ') && !text.endsWith("  "))
                    << LanguageName(code) << " text " << n << " should end in one blank";
                EXPECT_EQ(text.trimmed(), text.chopped(1)) << LanguageName(code) << " text " << n;
            } else {
                EXPECT_EQ(text, text.trimmed()) << LanguageName(code) << " text " << n;
            }
        }
    }
}

TEST(TextContent, UnitTypeNamesKeepTheirProductNames)
{
    const std::vector<std::pair<int, std::vector<const char*>>> names = {
        {134, {"RMT Portavo"}},
        {135, {"Espa444", "Espa 443"}},
        {136, {"TAP", "Espa443"}},
        {137, {"Espa443", "Espa444"}},
        {150, {"DP6000", "Espa444"}},
        {161, {"Espa444", "Espa 443", "FW V2.00"}},
        {163, {"TAP", "Espa 443", "FW V2.10"}},
    };
    for (int16_t code : kLanguages) {
        const TextTable texts = Loaded(code);
        for (const auto& [n, parts] : names)
            for (const char* part : parts)
                EXPECT_TRUE(texts[n].contains(part))
                    << LanguageName(code) << " text " << n << " lacks " << part;
    }
}

TEST(TextContent, ProgramNameStaysInEveryLanguage)
{
    for (int16_t code : kLanguages) {
        const TextTable texts = Loaded(code);
        for (int n : {19, 112, 113, 114, 115})
            EXPECT_TRUE(texts[n].contains("Pagerbench")) << LanguageName(code) << " text " << n;
    }
}

bool FitsWindows1252(QChar c)
{
    static const std::set<char16_t> extras = {
        0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
        0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178,
    };
    const char16_t u = c.unicode();
    // 0x80..0x9F are control characters in Unicode; their Windows-1252 bytes
    // stand for the extras instead.
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF) || extras.count(u) == 1;
}

TEST(TextContent, EveryTextFitsWindows1252)
{
    for (int16_t code : kLanguages) {
        const TextTable texts = Loaded(code);
        for (int n = 0; n < kTextSlots; ++n)
            for (QChar c : texts[n])
                EXPECT_TRUE(FitsWindows1252(c))
                    << LanguageName(code) << " text " << n << " has U+" << std::hex << int(c.unicode());
    }
}

} // namespace
} // namespace pb::test
