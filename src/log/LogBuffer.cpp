#include "log/LogBuffer.h"

namespace pb {

void AddLogLine(LogBuffer& buffer, const QString& line)
{
    ++buffer.changes;
    if (buffer.LogLineCount != kLogWindowLines) {
        buffer.LogLines[buffer.LogLineCount] = line;
        ++buffer.LogLineCount;
        return;
    }
    // Full: the oldest line leaves at the top, the newest goes to line 24.
    for (int i = 0; i < kLogWindowLines - 1; ++i)
        buffer.LogLines[i] = buffer.LogLines[i + 1];
    buffer.LogLines[kLogWindowLines - 1] = line;
}

void ClearLogLines(LogBuffer& buffer)
{
    ++buffer.changes;
    for (int i = 0; i < kLogWindowLines; ++i)
        buffer.LogLines[i].clear();
    buffer.LogLineCount = 0;
}

} // namespace pb
