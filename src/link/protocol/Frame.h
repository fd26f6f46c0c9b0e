#pragma once
// The frames exchanged with the unit, as plain bytes with no port in sight.
//
// A frame is SOH, LEN, the header 01 00, STX and a data record; LEN counts
// the bytes from SOH up to the last data byte. One more byte, the checksum,
// brings the sum of all bytes to 0 modulo 256. The builders stop before the
// checksum: it is added on the wire, where a byte the port refuses must not
// count (see FrameSender).
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace pb {

constexpr uint8_t kSOH = 0x01;
constexpr uint8_t kSTX = 0x02;
constexpr uint8_t kACK = 0x06;
constexpr uint8_t kRS = 0x1E; // ends a field
constexpr uint8_t kUS = 0x1F; // separates a field's identifier from its value

constexpr int kFrameHeaderLength = 5; // SOH, LEN, 01, 00, STX

// The 8-bit running sum of a frame, kept in 0..255.
struct RunningCheckSum {
    int16_t CheckSum = 0;

    void AddCheckSum(int16_t byte);
    // The byte that brings the sum to 0: (256 - CheckSum) modulo 256.
    int16_t Closing() const { return int16_t((256 - CheckSum) % 256); }
};

// SOH, LEN, header and record. The record must leave LEN below 256.
QByteArray MakeFrame(const QByteArray& record);

// Item and value travel as raw bytes, unescaped.
QByteArray ReadRecord(uint8_t item);                  // "w" US item RS
QByteArray WriteRecord(uint8_t item, uint8_t value);  // "W" US item RS "w" US value RS
QByteArray CallNumberRecord();                        // "2"

// The fields of a pager test call as the window holds them.
struct PagerCall {
    int16_t callDigit = 0;  // from the reply to the call-number request
    QString address;        // only the first 10 characters are sent
    QString message;        // the first 40; an empty message leaves its field out
    int16_t bleepCode = -1; // list position, -1 for none ("FFFF")
};

// "A" US digit RS, "1" US address RS, ["2" US message RS], "3" US bleep code RS,
// in Windows-1252, one byte per character.
QByteArray PagerCallRecord(const PagerCall& call);

// Not a frame: it wakes the unit's diagnose port. 01 01 80 7F.
QByteArray WakeUpSequence();

} // namespace pb
