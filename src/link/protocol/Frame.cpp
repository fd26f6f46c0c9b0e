#include "link/protocol/Frame.h"

#include "files/Windows1252.h"
#include "settings/NumberText.h"

namespace pb {

namespace {

constexpr int kAddressLength = 10;
constexpr int kMessageLength = 40;

QString Field(QChar identifier, const QString& value)
{
    return QString(identifier) + QChar(kUS) + value + QChar(kRS);
}

} // namespace

void RunningCheckSum::AddCheckSum(int16_t byte)
{
    CheckSum = int16_t(CheckSum + byte);
    if (CheckSum >= 256)
        CheckSum = int16_t(CheckSum - 256);
}

QByteArray MakeFrame(const QByteArray& record)
{
    QByteArray frame;
    frame.reserve(kFrameHeaderLength + record.size());
    frame.append(char(kSOH));
    frame.append(char(kFrameHeaderLength + record.size()));
    frame.append(char(0x01));
    frame.append(char(0x00));
    frame.append(char(kSTX));
    frame.append(record);
    return frame;
}

QByteArray ReadRecord(uint8_t item)
{
    const char bytes[] = {'w', char(kUS), char(item), char(kRS)};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray WriteRecord(uint8_t item, uint8_t value)
{
    const char bytes[] = {'W', char(kUS), char(item), char(kRS), 'w', char(kUS), char(value), char(kRS)};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray CallNumberRecord()
{
    return QByteArray("2");
}

QByteArray PagerCallRecord(const PagerCall& call)
{
    QString record = Field(u'A', IntToText(call.callDigit));
    record += Field(u'1', call.address.left(kAddressLength));
    if (!call.message.isEmpty())
        record += Field(u'2', call.message.left(kMessageLength));
    record += Field(u'3', ToHex(call.bleepCode));
    return toWindows1252(record);
}

QByteArray WakeUpSequence()
{
    return QByteArray::fromHex("0101807F");
}

} // namespace pb
