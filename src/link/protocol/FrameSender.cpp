#include "link/protocol/FrameSender.h"

#include "settings/ValueCoding.h"

namespace pb {

namespace {

// Items and values are single bytes; anything else has no place in a frame.
bool IsByte(int16_t value)
{
    return value >= 0 && value <= 0xFF;
}

} // namespace

int16_t FrameSender::SendSummed(int16_t byte)
{
    if (line_.SendByte(byte) < 0)
        return -1;
    sum_.AddCheckSum(byte);
    return 0;
}

void FrameSender::SendFrame(const QByteArray& frame)
{
    line_.FlushInput();
    sum_.CheckSum = 0;
    for (char byte : frame)
        SendSummed(static_cast<uint8_t>(byte));
    line_.SendByte(sum_.Closing());
}

void FrameSender::SendWakeUpSequence()
{
    // Only the first and third bytes count towards the closing byte.
    line_.SendByte(kSOH);
    line_.SendByte(kSOH);
    sum_.CheckSum = 1;
    line_.SendByte(0x80);
    sum_.AddCheckSum(0x80);
    line_.SendByte(sum_.Closing());
}

int16_t FrameSender::SendReadRequest(int16_t unitType, int16_t row)
{
    const int16_t item = RowToItem(unitType, row);
    if (!IsByte(item))
        return -1;
    SendFrame(MakeFrame(ReadRecord(uint8_t(item))));
    return 1;
}

int16_t FrameSender::SendWriteRequest(int16_t unitType, int16_t row, int16_t gridValue)
{
    const int16_t item = RowToItem(unitType, row);
    if (!IsByte(item))
        return -1;
    const int16_t value = EncodeValue(unitType, item, gridValue);
    if (!IsByte(value))
        return -1;
    SendFrame(MakeFrame(WriteRecord(uint8_t(item), uint8_t(value))));
    return 1;
}

void FrameSender::SendCallNumberRequest()
{
    SendFrame(MakeFrame(CallNumberRecord()));
}

void FrameSender::SendPagerCall(const PagerCall& call)
{
    SendFrame(MakeFrame(PagerCallRecord(call)));
}

} // namespace pb
