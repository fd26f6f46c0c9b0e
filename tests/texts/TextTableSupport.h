#pragma once
// Helpers shared by the text-table tests.
#include "texts/TextTable.h"

#include <set>

namespace pb::test {

constexpr int16_t kEnglish = 0;
constexpr int16_t kDutch = 1;
constexpr int16_t kGerman = 2;
constexpr int16_t kFrench = 3;
constexpr int16_t kLanguages[] = {kEnglish, kDutch, kGerman, kFrench};

inline const char* LanguageName(int16_t code)
{
    static const char* const names[] = {"English", "Nederlands", "Deutsch", "Française"};
    return code >= 0 && code <= 3 ? names[code] : "none";
}

inline TextTable Loaded(int16_t code)
{
    TextTable texts;
    LoadTexts(texts, code);
    return texts;
}

// The numbers a language leaves empty: the unused numbers below 164, all of
// 164..300, and 138 in Deutsch and Française.
inline std::set<int> UnfilledNumbers(int16_t code)
{
    std::set<int> unfilled = {6, 7, 12, 13, 18, 37, 52, 65};
    for (int n = 164; n <= 300; ++n)
        unfilled.insert(n);
    if (code == kGerman || code == kFrench)
        unfilled.insert(138);
    return unfilled;
}

} // namespace pb::test
