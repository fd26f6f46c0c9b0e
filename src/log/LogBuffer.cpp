#include "log/LogBuffer.h"

namespace pb {

void AddLogLine(LogBuffer& buffer, const QString& line)
{
    ++buffer.changes;
    if (buffer.lineCount != kLogWindowLines) {
        buffer.lines[buffer.lineCount] = line;
        ++buffer.lineCount;
        return;
    }
    // Full: the oldest line leaves at the top, the newest goes to line 24.
    for (int i = 0; i < kLogWindowLines - 1; ++i)
        buffer.lines[i] = buffer.lines[i + 1];
    buffer.lines[kLogWindowLines - 1] = line;
}

void ClearLogLines(LogBuffer& buffer)
{
    ++buffer.changes;
    for (int i = 0; i < kLogWindowLines; ++i)
        buffer.lines[i].clear();
    buffer.lineCount = 0;
}

} // namespace pb
