#include "texts/ExchangeNarration.h"

#include "texts/ExchangeWording.h"

namespace pb {

void ExchangeNarration::started(const ExchangeStart& start)
{
    const QString text = ExchangeStartText(start.exchange, start.row, start.value, grid_, texts_);
    progress_(text, true);
    log_.WriteLog(text);
}

void ExchangeNarration::reported(const ExchangeReport& report)
{
    const ReportWording words = WordReport(report, grid_, texts_);
    if (!words.progress.isEmpty())
        progress_(words.progress, true);
    if (!words.log.isEmpty())
        log_.WriteLog(words.log);
}

void ExchangeNarration::dropped()
{
    progress_(DroppedText(), false);
}

void ExchangeNarration::cancelled()
{
    progress_(CancelledText(texts_), true);
}

} // namespace pb
