#include "link/UnitOperations.h"

#include "link/ExchangeWording.h"
#include "settings/GridTransfer.h"
#include "texts/TextNumbers.h"

namespace pb {

namespace {

bool IsGridRow(int row)
{
    return row >= 0 && row < kGridRows;
}

} // namespace

void UnitOperations::ReadSingleSetting(int row)
{
    requests_.read(row);
}

void UnitOperations::WriteSingleSetting(int row)
{
    if (!IsGridRow(row))
        return;
    GridToSetting(grid_, rows_, row);
    requests_.write(row);
}

void UnitOperations::ReadAll()
{
    requests_.readAll();
}

QString UnitOperations::WriteAllQuestion() const
{
    return Tekst[TxtWriteAllToUnit] + QStringLiteral("!\r\n") + Tekst[TxtAreYouSure] + u'?';
}

void UnitOperations::WriteAll()
{
    GridToSettings(grid_, rows_);
    view_.ClearProgress();
    requests_.writeAll();
}

void UnitOperations::Cancel()
{
    requests_.cancelRows();
    view_.AppendProgress(CancelledText(Tekst), true);
}

void UnitOperations::ClearProgress()
{
    view_.ClearProgress();
}

bool UnitOperations::TestCall()
{
    if (view_.PagerAddress().isEmpty())
        return false;
    requests_.testCall();
    return true;
}

} // namespace pb
