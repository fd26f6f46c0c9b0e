#pragma once
// The one entry point for trace lines: message window buffer and daily file.
#include "files/ProgramFolder.h"
#include "log/LogBuffer.h"
#include "log/LogSink.h"

#include <QDateTime>
#include <functional>

namespace pb {

// "DDMMYYYY.log" for the given date.
QString LogFileName(const QDate& date);

class Logfile : public LogSink {
public:
    using Clock = std::function<QDateTime()>;

    // `enabled` is the configuration's switch (0 off); the buffer, the
    // switch, the folder and the clock belong to the program and outlive
    // the log.
    Logfile(LogBuffer& buffer, const int16_t& enabled, const ProgramFolder& folder, const Clock& now)
        : buffer_(buffer), enabled_(enabled), folder_(folder), now_(now)
    {
    }

    // Stamps the message with the time of day and, while logging is on, adds
    // it to the message window buffer and appends it to Log/DDMMYYYY.log. A
    // file that cannot be written loses the line silently; the buffer still
    // has it.
    void WriteLog(const QString& message) override;

private:
    LogBuffer& buffer_;
    const int16_t& enabled_;
    const ProgramFolder& folder_;
    const Clock& now_;
};

} // namespace pb
