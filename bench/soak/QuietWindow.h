#pragma once
// What the engine sees of a main window, without one: the tab the soak
// shows, the test call's fields, and a progress text and log that only
// count what they are given, so that they do not grow.
#include "link/EngineView.h"
#include "log/LogSink.h"

namespace pb::bench {

class QuietWindow : public EngineView, public LogSink {
public:
    void show(int16_t tab) { tab_ = tab; }

    int16_t VisibleTab() const override { return tab_; }
    void AppendProgress(const QString&, bool) override { ++progressTexts_; }
    void ClearProgress() override {}
    QString PagerAddress() const override { return QStringLiteral("1234"); }
    QString PagerMessage() const override { return QStringLiteral("Soak"); }
    int16_t BleepCodePosition() const override { return 0; }

    void WriteLog(const QString&) override { ++logLines_; }

    long long progressTexts() const { return progressTexts_; }
    long long logLines() const { return logLines_; }

private:
    int16_t tab_ = FileTab; // serves nothing
    long long progressTexts_ = 0;
    long long logLines_ = 0;
};

} // namespace pb::bench
