#include "link/protocol/ReplyReader.h"

#include <algorithm>

namespace pb {

void ReplyReader::Begin()
{
    std::fill(RxBuffer.begin(), RxBuffer.begin() + kRxClearedSlots, int16_t(-1));
    RxCount = 0;
}

bool ReplyReader::StartByte(int16_t byte)
{
    if (byte != kSOH)
        return false;
    sum.CheckSum = 1;
    Store(byte);
    return true;
}

void ReplyReader::LengthByte(int16_t byte)
{
    sum.AddCheckSum(byte);
    Store(byte);
    RxLength = byte;
}

ReplyProgress ReplyReader::DataByte(int16_t byte)
{
    sum.AddCheckSum(byte);
    Store(byte);
    if (RxCount > kMaxReplyLength)
        return ReplyProgress::TooLong;
    if (RxCount > RxLength)
        return sum.CheckSum == 0 ? ReplyProgress::Complete : ReplyProgress::BadCheckSum;
    return ReplyProgress::Incomplete;
}

int16_t ReplyReader::At(int position) const
{
    return position >= 0 && position < kRxSlots ? RxBuffer[position] : int16_t(-1);
}

void ReplyReader::Store(int16_t byte)
{
    // The too-long rule stops the data phase well before the end of the buffer.
    if (RxCount < kRxSlots)
        RxBuffer[RxCount] = byte;
    ++RxCount;
}

} // namespace pb
