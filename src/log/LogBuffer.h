#pragma once
// The scroll buffer behind the message window: the newest 25 trace lines.
#include <QString>
#include <array>
#include <cstdint>

namespace pb {

constexpr int kLogWindowLines = 25;

struct LogBuffer {
    std::array<QString, kLogWindowLines + 1> lines; // 0..24 used, 0 the oldest
    int16_t lineCount = 0;
    // Counts every change, so the window copies the lines only when one came.
    uint32_t changes = 0;
};

void AddLogLine(LogBuffer& buffer, const QString& line);
void ClearLogLines(LogBuffer& buffer);

} // namespace pb
