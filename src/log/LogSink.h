#pragma once
// Where trace lines go. The program's sink is the log file with the message
// window's buffer; a test or a tool may hand in its own.
#include <QString>

namespace pb {

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void WriteLog(const QString& message) = 0;
};

} // namespace pb
