#include "app/WindowReport.h"

#include "files/SettingsFile.h"
#include "settings/RowCoding.h"
#include "settings/ValueCoding.h"

#include <QFileInfo>
#include <algorithm>

namespace pb {

namespace {

// The row as the grid shows it. Its value from the unit counts while the
// grid shows what that read left there: the option, none, or the first
// option for a position beyond the list.
ShownRow RowOf(const AppState& state, int16_t r)
{
    const GridModel& grid = state.grid;
    const RowValues& values = state.rows;
    ShownRow row{r, grid.row(r).options, int16_t(grid.position(r)), false, std::nullopt};
    const int16_t confirmed = values.SettingsInUnit[r];
    row.fromUnit = confirmed != -1 && confirmed == row.position;
    const int16_t sent = values.ValueFromUnit[r];
    const int16_t leftByRead = confirmed >= -1 && confirmed < grid.count(r) ? confirmed : int16_t(0);
    if (sent != -1 && row.position == leftByRead
        && !OptionOfUnitValue(state.config.unitType, r, grid.count(r), sent))
        row.unnamedUnitValue = sent;
    return row;
}

std::optional<RowArray> ReferenceRows(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    GridModel unused;
    RowValues values;
    ReadSettingsFile(unused, values, path);
    return values.FileSettings;
}

} // namespace

ReportInputs WindowReportInputs(const AppState& state, const QString& device,
                                const std::optional<TestCallRecord>& call)
{
    ReportInputs inputs;
    inputs.language = state.config.language;
    inputs.header = CommonHeader(state.config.unitType, state.texts);
    ReportHeader& header = inputs.header;
    header.port = QStringLiteral("Com%1").arg(state.config.portIndex + 1);
    header.device = device;
    header.technician = state.reportFields.technician;
    header.site = state.reportFields.site;

    for (int16_t r : ShownRowNumbers(state.config.unitType, state.grid))
        inputs.rows.append(RowOf(state, r));
    const QString reference = state.folder.defaultSettingsFileToRead();
    inputs.referenceFile = QFileInfo(reference).fileName();
    inputs.reference = ReferenceRows(reference);
    if (call)
        inputs.call = ReportCall{call->fields.address, call->fields.message, call->fields.bleepCode, call->taken};
    return inputs;
}

} // namespace pb
