#include "texts/TextTable.h"

#include "texts/TextEntries.h"

namespace pb {

namespace {

// The column of a row for language code 0..3.
const char* TextIn(const TextEntry& entry, int16_t code)
{
    switch (code) {
    case 0: return entry.english;
    case 1: return entry.dutch;
    case 2: return entry.german;
    case 3: return entry.french;
    default: return nullptr;
    }
}

} // namespace

void LoadTexts(TextTable& texts, int16_t& code)
{
    // Empty first, so nothing of an earlier language survives a switch.
    texts.fill(QString());

    if (code > 3)
        code = 0;
    if (code < 0)
        return;

    for (std::size_t i = 0; i < kTextEntryCount; ++i) {
        const TextEntry& entry = kTextEntries[i];
        if (const char* text = TextIn(entry, code))
            texts[entry.number] = QString::fromUtf8(text);
    }
}

} // namespace pb
