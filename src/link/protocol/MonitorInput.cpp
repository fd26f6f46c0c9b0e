#include "link/protocol/MonitorInput.h"

#include "files/Windows1252.h"

#include <array>

namespace pb {

namespace {

constexpr std::array<const char*, 32> kControlNames = {
    "[NULL]", "[SOH]", "[STX]", "[ETX]", "[EOT]", "[ENQ]", "[ACK]", "[BEL]",
    "[BS]",   "[HT]",  "[LF]",  "[VT]",  "[FF]",  "[CR]",  "[SO]",  "[SI]",
    "[DLE]",  "[DC1]", "[DC2]", "[DC3]", "[DC4]", "[NACK]", "[SYN]", "[ETB]",
    "[CAN]",  "[EM]",  "[SUB]", "[ESC]", "[FS]",  "[GS]",  "[RS]",  "[US]",
};

constexpr uint8_t kRubout = 127;
constexpr int16_t kLF = 10;
constexpr int16_t kCR = 13;

void LogAndEmpty(QString& MonitorLine, LogSink& log)
{
    log.WriteLog(MonitorLine);
    MonitorLine.clear();
}

} // namespace

QString CharName(uint8_t byte)
{
    if (byte < kControlNames.size())
        return QString::fromLatin1(kControlNames[byte]);
    if (byte == kRubout)
        return QStringLiteral("[RUBOUT]");
    return fromWindows1252(QByteArray(1, char(byte)));
}

void MonitorInput(SerialLine& line, QString& MonitorLine, LogSink& log)
{
    for (int16_t byte = line.ReadByte(); byte >= 0; byte = line.ReadByte()) {
        if (byte == kLF || byte == kCR) {
            if (!MonitorLine.isEmpty())
                LogAndEmpty(MonitorLine, log);
        } else {
            MonitorLine += CharName(uint8_t(byte));
        }
        if (MonitorLine.size() > kMonitorLineLimit)
            LogAndEmpty(MonitorLine, log);
    }
}

} // namespace pb
