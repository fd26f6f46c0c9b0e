#include "app/UnitDriver.h"

#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "texts/TextNumbers.h"
#include "ui/MainTabs.h"

#include <algorithm>

namespace pb {

UnitDriver::UnitDriver(const DriverParts& parts)
    : parts_(parts),
      narration_(parts.grid, parts.texts, parts.log,
                 [&window = parts.window](const QString& text, bool moveCaret) {
                     window.appendProgress(text, moveCaret);
                 })
{
    ProtocolEngine& engine = parts_.engine;
    engine.onExchangeStart = [this](const ExchangeStart& start) { narration_.started(start); };
    engine.onReport = [this](const ExchangeReport& report) {
        apply(report);
        narration_.reported(report);
    };
    engine.onRowsDropped = [this] { narration_.dropped(); };
}

ServingMode UnitDriver::ModeOfTab(int tab)
{
    switch (tab) {
    case StatusTab: return ServingMode::Monitor;
    case SettingsTab: return ServingMode::Rows;
    case UnitTab: return ServingMode::RowsAndBulk;
    case ServiceTab: return ServingMode::Call;
    default: return ServingMode::Hold;
    }
}

void UnitDriver::tick()
{
    parts_.engine.tick(ModeOfTab(parts_.window.visibleTab()));
}

void UnitDriver::apply(const ExchangeReport& report)
{
    if (report.result != ExchangeResult::Done)
        return;
    RowValues& rows = parts_.rows;
    switch (report.exchange) {
    case Exchange::WriteRow:
        rows.SettingsInUnit[report.row] = report.value;
        rows.ValueFromUnit[report.row] = -1; // the unit holds an option of ours now
        SettingToGrid(parts_.grid, rows, report.row);
        break;
    case Exchange::ReadRow: {
        const int16_t row = report.storedRow;
        rows.ValueFromUnit[row] = report.unitValue;
        rows.SettingsInUnit[row] = report.value;
        rows.UnitSettings[row] = report.value;
        SettingToGrid(parts_.grid, rows, row);
        break;
    }
    case Exchange::Call:
        if (lastCall_)
            lastCall_->taken = true;
        break;
    case Exchange::CallNumber:
        break;
    }
}

QList<RowValue> UnitDriver::shownRows(bool withValues)
{
    QList<RowValue> shown;
    for (int16_t r : ShownRowNumbers(parts_.unitType, parts_.grid)) {
        if (withValues)
            GridToSetting(parts_.grid, parts_.rows, r);
        shown.append({r, withValues ? parts_.rows.UnitSettings[r] : int16_t(-1)});
    }
    return shown;
}

void UnitDriver::ReadSingleSetting(int row)
{
    parts_.engine.request(UnitRequest::ReadRow(int16_t(row)));
}

void UnitDriver::WriteSingleSetting(int row)
{
    if (row < 0 || row >= kGridRows)
        return;
    GridToSetting(parts_.grid, parts_.rows, row);
    parts_.engine.request(UnitRequest::WriteRow(int16_t(row), parts_.rows.UnitSettings[row]));
}

void UnitDriver::ReadAll()
{
    parts_.engine.request(UnitRequest::ReadAll([this] { return shownRows(false); }));
}

QString UnitDriver::WriteAllQuestion() const
{
    const TextTable& texts = parts_.texts;
    return texts[TxtWriteAllToUnit] + QStringLiteral("!\r\n") + texts[TxtAreYouSure] + u'?';
}

void UnitDriver::WriteAll()
{
    GridToSettings(parts_.grid, parts_.rows);
    parts_.window.clearProgress();
    parts_.engine.request(UnitRequest::WriteAll([this] { return shownRows(true); }));
}

void UnitDriver::Cancel()
{
    parts_.engine.cancelRows();
    narration_.cancelled();
}

void UnitDriver::ClearProgress()
{
    parts_.window.clearProgress();
}

bool UnitDriver::TestCall()
{
    if (parts_.window.callFields().address.isEmpty())
        return false;
    lastCall_ = TestCallRecord{parts_.window.callFields(), false};
    parts_.engine.request(UnitRequest::TestCall([this] {
        lastCall_ = TestCallRecord{parts_.window.callFields(), false};
        return lastCall_->fields;
    }));
    return true;
}

} // namespace pb
