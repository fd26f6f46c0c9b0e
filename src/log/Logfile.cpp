#include "log/Logfile.h"

#include "files/TextFile.h"

#include <QDir>

namespace pb {

QString LogFileName(const QDate& date)
{
    return date.toString(QStringLiteral("ddMMyyyy")) + QStringLiteral(".log");
}

void Logfile::WriteLog(const QString& message)
{
    const QDateTime moment = now_(); // read once, so time and file name agree
    const QString line = moment.time().toString(QStringLiteral("HH:mm:ss")) + u' ' + message;
    if (enabled_ == 0)
        return;
    AddLogLine(buffer_, line);

    const QString folder = folder_.logFolder();
    const QString file = folder + u'/' + LogFileName(moment.date());
    if (AppendTextLine(file, line))
        return;
    if (!QDir(folder).exists() && QDir().mkpath(folder))
        AppendTextLine(file, line);
}

} // namespace pb
