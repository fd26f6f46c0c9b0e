#pragma once
// A serial line for tests: bytes arrive when the test says so, either at once
// or a number of ticks later, and every byte sent is recorded. It can refuse
// chosen bytes and answer each complete frame it receives.
#include "link/devices/SerialLine.h"

#include <QByteArray>
#include <deque>
#include <functional>
#include <map>
#include <set>

namespace pbtest {

class ScriptedLine : public pb::SerialLine {
public:
    int16_t ReadByte() override
    {
        if (waiting.empty())
            return -1;
        const int16_t byte = waiting.front();
        waiting.pop_front();
        return byte;
    }

    int16_t SendByte(int16_t value) override
    {
        const int attempt = attempts++;
        if (value < 0 || value > 0xFF || refusedAttempts.count(attempt))
            return -1;
        sent.append(char(value));
        if (collecting_)
            Collect(uint8_t(value));
        return 0;
    }

    void FlushInput() override
    {
        waiting.clear();
        ++flushes;
        // Every frame goes out right after a flush; the wake-up sequence does not.
        collecting_ = true;
        frame_.clear();
    }

    // The bytes become readable now.
    void Arrive(const QByteArray& bytes)
    {
        for (char b : bytes)
            waiting.push_back(uint8_t(b));
    }
    // The bytes become readable at the ticks-th AdvanceTick from now.
    void ArriveAfter(int ticks, const QByteArray& bytes) { later_[tick_ + ticks].append(bytes); }

    // Called by the test before each engine tick.
    void AdvanceTick()
    {
        ++tick_;
        auto due = later_.find(tick_);
        if (due != later_.end()) {
            Arrive(due->second);
            later_.erase(due);
        }
    }

    // Called with each complete frame (SOH up to its checksum byte); what it
    // returns arrives one tick later.
    std::function<QByteArray(const QByteArray& frame)> answer;

    QByteArray sent;             // every byte the port took, in order
    std::deque<int16_t> waiting; // received, not yet read
    std::set<int> refusedAttempts; // SendByte calls (from 0) that fail
    int attempts = 0;
    int flushes = 0;

private:
    void Collect(uint8_t byte)
    {
        frame_.append(char(byte));
        if (frame_.size() >= 2 && frame_.size() == uint8_t(frame_[1]) + 1) {
            collecting_ = false;
            if (answer)
                ArriveAfter(1, answer(frame_));
        }
    }

    bool collecting_ = false;
    QByteArray frame_;
    int tick_ = 0;
    std::map<int, QByteArray> later_;
};

} // namespace pbtest
