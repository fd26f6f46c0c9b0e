#pragma once
// Why a unit does not answer, step by step: what the port name stands for,
// whether the device is there and opens, the line as it stands, what comes
// unasked, whether our own bytes come back, and a harmless read of one row
// with the engine's own wake-up, up to three tries. Each step's finding is
// told as soon as it is known, then the most likely cause. The caller opens
// nothing itself, runs an event loop and calls tick every 25 ms until
// finished; the port opens in the background, so nothing here holds the
// caller up. The whole check ends within about 15 s whatever the cause.
#include "link/check/CheckFinding.h"
#include "link/check/CheckTarget.h"
#include "link/devices/Datacom.h"
#include "link/protocol/ProtocolEngine.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <functional>
#include <memory>

namespace pb {

class ConnectionCheck : private LogSink {
public:
    // `port` is closed and stays the check's until it finishes. `askRow` is
    // the first row the unit type shows.
    ConnectionCheck(const CheckTarget& target, int16_t unitType, int16_t askRow, Datacom& port);
    ~ConnectionCheck() override;

    std::function<void(const CheckFinding& finding)> onFinding;

    // Name and reach at once; open and line once the port opened, or the
    // verdict when it did not.
    void start();
    void tick();
    bool finished() const { return phase_ == Phase::Done; }
    CheckCause cause() const { return cause_; }

    static constexpr int kListenTicks = 40;  // a quiet second of its own
    static constexpr int kEchoTicks = 8;     // our bytes back "at once"
    static constexpr int kMostTries = 3;
    static constexpr int kMostSilentTries = 2;
    static constexpr int kMostTicks = 600;   // 15 s in all

private:
    enum class Phase { NotStarted, Opening, Listening, Echoing, Asking, Ending, Done };

    // The port as the engine reads it, keeping what a try brought, which
    // the engine itself drops while it waits for a start byte.
    class WatchedLine : public SerialLine {
    public:
        explicit WatchedLine(SerialLine& line) : line_(line) {}
        int16_t ReadByte() override;
        int16_t SendByte(int16_t value) override { return line_.SendByte(value); }
        void FlushInput() override { line_.FlushInput(); }
        QByteArray take();

    private:
        SerialLine& line_;
        QByteArray read_;
    };

    void tell(CheckStep step, const QString& result, const QJsonObject& values = {});
    void findReach();
    void opened(bool opened);
    bool findOpen(bool opened);
    void findLine();
    void listen();
    void echo();
    void startAsking();
    void ask();
    void noteTry(const ExchangeReport& report);
    void finish();
    CheckCause judge() const;
    QString echoSource() const;
    // Takes what waits in the port, outside any exchange.
    QByteArray drain();
    // LogSink: the unit's text while the engine waits between tries.
    void WriteLog(const QString& message) override;

    CheckTarget target_;
    int16_t unitType_;
    int16_t askRow_;
    Datacom& port_;
    WatchedLine watched_{port_};
    Phase phase_ = Phase::NotStarted;
    CheckCause cause_ = CheckCause::Nothing;
    int ticks_ = 0;      // since the check started
    int phaseTicks_ = 0; // since the phase began
    QByteArray unasked_; // every byte that came unasked
    QByteArray echoed_;  // what came right after the probe
    bool echo_ = false;
    std::unique_ptr<ProtocolEngine> engine_;
    QElapsedTimer openClock_;
    QElapsedTimer tryClock_;
    int tries_ = 0;
    int silentTries_ = 0;
    bool answered_ = false;
    bool answeredFirst_ = false;
    bool bytesInTries_ = false;
    bool frameWithoutValue_ = false;
    bool askEnded_ = false;
    QString openFailure_; // the kind of a failed open, "server" for a device server's
};

} // namespace pb
