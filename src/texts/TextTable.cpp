#include "texts/TextTable.h"

#include "texts/TextEntries.h"

namespace pb {

namespace {

// The column of a row for language code 0..3.
const char* TextIn(const TextEntry& entry, int16_t code)
{
    switch (code) {
    case 0: return entry.english;
    case 1: return entry.nederlands;
    case 2: return entry.deutsch;
    case 3: return entry.francaise;
    default: return nullptr;
    }
}

} // namespace

void LaadTeksten(TextTable& Tekst, int16_t& code)
{
    // Empty first, so nothing of an earlier language survives a switch.
    Tekst.fill(QString());

    if (code > 3)
        code = 0;
    if (code < 0)
        return;

    for (std::size_t i = 0; i < kTextEntryCount; ++i) {
        const TextEntry& entry = kTextEntries[i];
        if (const char* text = TextIn(entry, code))
            Tekst[entry.nummer] = QString::fromUtf8(text);
    }
}

} // namespace pb
