#pragma once
// The log lines of the port's events, in the program's language where it
// has one for them.
#include "link/devices/PortEvent.h"
#include "texts/TextTable.h"

namespace pb {

QString WordPortEvent(const PortEvent& event, const TextTable& texts);

// The texts are looked up at each event, so a change of language applies.
inline PortWords PortWordsOf(const TextTable& texts)
{
    return [&texts](const PortEvent& event) { return WordPortEvent(event, texts); };
}

} // namespace pb
