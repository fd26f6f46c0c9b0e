#pragma once
// The rows of the text table: each text number with its text in the four
// languages. Only TextTable.cpp reads these; everyone else reads the TextTable.
#include <cstddef>
#include <cstdint>

namespace pb {

// nullptr where a language has no text for the number.
struct TextEntry {
    int16_t number;
    const char* english;
    const char* dutch;
    const char* german;
    const char* french;
};

extern const TextEntry kTextEntries[];
extern const std::size_t kTextEntryCount;

} // namespace pb
