#include "log/Logfile.h"

#include "files/TextFile.h"

#include <QDir>

namespace pb {

QString LogFileName(const QDate& date)
{
    return date.toString(QStringLiteral("ddMMyyyy")) + QStringLiteral(".log");
}

void WriteLog(AppState& state, const QString& message)
{
    const QDateTime now = state.now(); // read once, so time and file name agree
    const QString line = now.time().toString(QStringLiteral("HH:mm:ss")) + u' ' + message;
    if (state.config.LogfileAan == 0)
        return;
    AddLogLine(state.log, line);

    const QString folder = state.folder.logFolder();
    const QString file = folder + u'/' + LogFileName(now.date());
    if (AppendTextLine(file, line))
        return;
    if (!QDir(folder).exists() && QDir().mkpath(folder))
        AppendTextLine(file, line);
}

} // namespace pb
