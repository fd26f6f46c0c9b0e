#pragma once
// The engine's events in words, for the main window and pagerbench-cli
// alike: each read or write begins a progress line and a log line, each
// report ends it, and dropped or cancelled rows are said once.
#include "link/ProtocolEngine.h"
#include "log/LogSink.h"
#include "settings/RowsShown.h"
#include "texts/TextTable.h"

#include <QString>
#include <functional>

namespace pb {

class ExchangeNarration {
public:
    // Adds text at the end of the progress text; with moveCaret the newest
    // line comes in sight. Lines end in CR LF.
    using Progress = std::function<void(const QString& text, bool moveCaret)>;

    // `grid` as it is once a report's value went in.
    ExchangeNarration(const RowsShown& grid, const TextTable& texts, LogSink& log, Progress progress)
        : grid_(grid), texts_(texts), log_(log), progress_(std::move(progress))
    {
    }

    void started(const ExchangeStart& start);
    void reported(const ExchangeReport& report);
    // The engine gave up the pending rows, or everything waiting was dropped.
    void dropped();
    // The user cancelled the pending rows.
    void cancelled();

private:
    const RowsShown& grid_;
    const TextTable& texts_;
    LogSink& log_;
    Progress progress_;
};

} // namespace pb
