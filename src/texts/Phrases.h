#pragma once
// Tables of texts looked up by key, each text in the program's four
// languages (0 English, 1 Nederlands, 2 Deutsch, 3 Française); %1.. are for
// the caller to fill in.
#include <QString>
#include <cstddef>
#include <cstring>

namespace pb {

constexpr int kPhraseLanguages = 4;

struct Phrase {
    const char* key;
    const char* texts[kPhraseLanguages];
};

// The key's text in the language (English for a code outside 0..3); an
// unknown key comes back as it is.
template <std::size_t N>
QString PhraseText(const Phrase (&phrases)[N], const char* key, int language)
{
    const int index = language >= 0 && language < kPhraseLanguages ? language : 0;
    for (const Phrase& phrase : phrases) {
        if (std::strcmp(phrase.key, key) == 0)
            return QString::fromUtf8(phrase.texts[index]);
    }
    return QString::fromLatin1(key);
}

} // namespace pb
