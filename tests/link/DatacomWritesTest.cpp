#include "link/Datacom.h"
#include "link/FrameSender.h"
#include "support/CoreState.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A device that only notes what is asked of it, in order.
class NotingDevice : public pb::LineDevice {
public:
    explicit NotingDevice(QStringList& calls) : calls_(calls) {}
    bool open(const pb::LineSettings&) override { return open_ = true; }
    bool isOpen() const override { return open_; }
    void close() override { calls_ << "close"; open_ = false; }
    QByteArray readWaiting() override { calls_ << "read"; return {}; }
    bool write(const QByteArray& bytes) override { calls_ << "write " + bytes.toHex(' '); return true; }
    void clearInput() override { calls_ << "clear"; }
    void setModemLines(bool, bool) override {}

private:
    QStringList& calls_;
    bool open_ = false;
};

// A frame goes to the device in one write, before whatever the engine or
// its owner asks of the line next.
TEST(DatacomWrites, AFrameIsOneWriteBeforeTheNextCallOnTheLine)
{
    const std::pair<const char*, std::function<void(pb::Datacom&)>> nextCalls[] = {
        {"read", [](pb::Datacom& com) { com.ReadByte(); }},
        {"clear", [](pb::Datacom& com) { com.FlushInput(); }},
        {"close", [](pb::Datacom& com) { com.CloseComPort(); }},
        {"", [](pb::Datacom& com) { com.Tick(); }},
    };
    for (const auto& [deviceCall, next] : nextCalls) {
        SCOPED_TRACE(deviceCall);
        pbtest::CoreState state;
        QStringList calls;
        pb::Datacom com(state.logfile, state.Tekst, state.lamps);
        com.deviceName = [](int) { return pb::DeviceIdentity(QStringLiteral("unit")); };
        com.makeLineDevice = [&](const QString&) { return std::make_unique<NotingDevice>(calls); };
        ASSERT_EQ(com.OpenComPort(0, 5, 0, 1, 0, 0), 0);

        pb::FrameSender(com).SendFrame(QByteArray("\x02\x11\x22", 3));
        calls.removeAll("clear"); // the frame's own flush, before its bytes
        EXPECT_TRUE(calls.isEmpty()) << calls.join(", ").toStdString();
        next(com);
        QStringList expected{"write 02 11 22 cb"}; // with its closing byte
        if (*deviceCall)
            expected << deviceCall;
        EXPECT_EQ(calls, expected);
    }
}

} // namespace
