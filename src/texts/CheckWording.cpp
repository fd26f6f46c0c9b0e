#include "texts/CheckWording.h"

#include <QJsonArray>

namespace pb {

namespace {

constexpr int kTickMs = 25;
const QString kUnitLine = QStringLiteral("19200,N,8,1");

QString Text(const QJsonObject& values, const char* key)
{
    return values.value(QLatin1String(key)).toVariant().toString();
}

QString NameLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    if (f.result == QStringLiteral("nothing"))
        return QStringLiteral("%1 stands for no device (%2)").arg(Text(v, "name"), Text(v, "rule"));
    if (Text(v, "name") == Text(v, "device"))
        return QStringLiteral("%1 (%2)").arg(Text(v, "device"), Text(v, "rule"));
    return QStringLiteral("%1 stands for %2 (%3)").arg(Text(v, "name"), Text(v, "device"), Text(v, "rule"));
}

QString ReachLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    if (f.result == QStringLiteral("connected"))
        return QStringLiteral("the device server took the connection in %1 ms").arg(Text(v, "ms"));
    if (f.result == QStringLiteral("failed"))
        return QStringLiteral("no connection to the device server after %1 ms: %2").arg(Text(v, "ms"), Text(v, "systemText"));
    if (f.result == QStringLiteral("missing"))
        return QStringLiteral("%1 is not there").arg(Text(v, "device"));
    QString line = QStringLiteral("%1 is there").arg(Text(v, "device"));
    if (v.contains(QStringLiteral("linkTarget")))
        line += QStringLiteral(", a link to %1").arg(Text(v, "linkTarget"));
    const QString adapter = QStringList{Text(v, "maker"), Text(v, "product")}.join(u' ').trimmed();
    if (!adapter.isEmpty())
        line += QStringLiteral(": %1").arg(adapter);
    if (v.contains(QStringLiteral("serialNumber")))
        line += QStringLiteral(", serial number %1").arg(Text(v, "serialNumber"));
    return line;
}

QString OpenLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    if (f.result == QStringLiteral("opened"))
        return QStringLiteral("opened at %1").arg(kUnitLine);
    QString line = QStringLiteral("cannot open: ");
    if (f.result == QStringLiteral("missing"))
        line += QStringLiteral("no such device");
    else if (f.result == QStringLiteral("forbidden"))
        line += QStringLiteral("this user may not open it");
    else if (f.result == QStringLiteral("busy"))
        line += QStringLiteral("another program holds it");
    else
        line += f.result;
    if (!Text(v, "systemText").isEmpty())
        line += QStringLiteral(" (%1)").arg(Text(v, "systemText"));
    if (v.contains(QStringLiteral("holderPid"))) {
        line += QStringLiteral(": process %1 (%2), seen by its %3")
                    .arg(Text(v, "holderPid"), Text(v, "holderCommand"), Text(v, "seenBy"));
    } else if (v.contains(QStringLiteral("findHolder"))) {
        line += QStringLiteral("; which one cannot be seen from this user: %1 names it").arg(Text(v, "findHolder"));
    }
    if (v.contains(QStringLiteral("advice")))
        line += QStringLiteral("; to be allowed: %1").arg(Text(v, "advice"));
    if (v.value(QStringLiteral("modemManager")).toBool())
        line += QStringLiteral("; ModemManager runs and may be probing this adapter: it may let go within a"
                               " minute, or can be told to leave it alone (udev: ENV{ID_MM_DEVICE_IGNORE}=\"1\")");
    return line;
}

QString LineLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    QString line;
    if (f.result == QStringLiteral("unknown")) {
        line = QStringLiteral("the device keeps its own settings (a raw device server: set it to %1)").arg(kUnitLine);
    } else if (f.result == QStringLiteral("server")) {
        const QStringList untaken = v.value(QStringLiteral("notConfirmed")).toVariant().toStringList();
        line = QStringLiteral("the server was asked for %1").arg(Text(v, "settings"));
        line += untaken.isEmpty() ? QStringLiteral(" and confirmed it")
                                  : QStringLiteral(" and did not confirm: %1").arg(untaken.join(QStringLiteral(", ")));
    } else {
        line = QStringLiteral("set to %1").arg(Text(v, "settings"));
        if (Text(v, "settings") != kUnitLine)
            line += QStringLiteral(", not %1: the driver did not take the settings").arg(kUnitLine);
    }
    if (v.contains(QStringLiteral("modemLines"))) {
        const QJsonObject lines = v.value(QStringLiteral("modemLines")).toObject();
        QStringList states;
        for (const char* name : {"cts", "dsr", "dcd", "ri"}) {
            states << QStringLiteral("%1 %2").arg(QString::fromLatin1(name).toUpper(),
                                                  lines.value(QLatin1String(name)).toBool() ? QStringLiteral("on")
                                                                                            : QStringLiteral("off"));
        }
        line += QStringLiteral("; ") + states.join(QStringLiteral(", "));
    }
    if (v.contains(QStringLiteral("latencyTimerMs"))) {
        const int latency = v.value(QStringLiteral("latencyTimerMs")).toInt();
        line += QStringLiteral("; latency timer %1 ms: ").arg(latency);
        line += latency <= kTickMs ? QStringLiteral("a reply's last bytes wait at most that long, within one tick")
                                   : QStringLiteral("longer than a 25 ms tick, so replies arrive a tick late or more");
    }
    return line;
}

QString ListenLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    if (f.result == QStringLiteral("nothing"))
        return QStringLiteral("nothing came in a quiet second");
    if (f.result == QStringLiteral("text"))
        return QStringLiteral("%1 bytes of text came unasked, the unit's own diagnose output (\"%2\"): the line from"
                              " the unit to this computer works")
            .arg(Text(v, "bytes"), Text(v, "sample"));
    return QStringLiteral("%1 bytes came unasked that form no text and no frame: another speed or format?")
        .arg(Text(v, "bytes"));
}

QString EchoLine(const CheckFinding& f)
{
    if (f.result == QStringLiteral("echo"))
        return QStringLiteral("our wake-up sequence came straight back (%1)").arg(Text(f.values, "bytes"));
    return QStringLiteral("our bytes did not come back");
}

QString AskLine(const CheckFinding& f)
{
    const QJsonObject& v = f.values;
    const QString tryNumber = QStringLiteral("try %1: ").arg(Text(v, "try"));
    if (f.result == QStringLiteral("answered"))
        return tryNumber + QStringLiteral("answered in %1 ms (row %2 holds %3)").arg(Text(v, "ms"), Text(v, "row"), Text(v, "value"));
    if (f.result == QStringLiteral("silent"))
        return tryNumber + QStringLiteral("no reply");
    if (f.result == QStringLiteral("garbled"))
        return tryNumber + QStringLiteral("bytes came, but no good frame");
    if (f.result == QStringLiteral("echo"))
        return tryNumber + QStringLiteral("our own request came back, no answer");
    if (f.result == QStringLiteral("no-value"))
        return tryNumber + QStringLiteral("a reply without a value");
    return tryNumber + QStringLiteral("row %1 cannot be asked of this unit type").arg(Text(v, "row"));
}

QString VerdictLine(const CheckFinding& f)
{
    const QString kind = Text(f.values, "kind");
    if (f.result == QStringLiteral("answers"))
        return QStringLiteral("The unit answers.");
    if (f.result == QStringLiteral("answers-later"))
        return QStringLiteral("The unit answers, but not at the first try: it woke up late. If a read fails now and"
                              " then, look at the unit's power and the cable.");
    if (f.result == QStringLiteral("not-opened")) {
        if (kind == QStringLiteral("busy"))
            return QStringLiteral("Another program holds the port: close it, then try again.");
        if (kind == QStringLiteral("forbidden"))
            return QStringLiteral("This user may not open the port: see Open.");
        if (kind == QStringLiteral("missing"))
            return QStringLiteral("The device is not there: check the port's name or number, and that the adapter is"
                                  " plugged in.");
        return QStringLiteral("The port does not open: check the device server's address, port and network.");
    }
    if (f.result == QStringLiteral("echo")) {
        const QString source = Text(f.values, "looksLike");
        if (source == QStringLiteral("server"))
            return QStringLiteral("Our own bytes come back: the device server echoes them. Switch its echo off.");
        if (source == QStringLiteral("adapter"))
            return QStringLiteral("Our own bytes come back beside the unit's text: a two-wire (RS-485) adapter with echo"
                                  " on. Switch its echo off, or use a four-wire (RS-232) connection.");
        return QStringLiteral("Our own bytes come back and nothing else: a loopback plug, or a two-wire (RS-485)"
                              " adapter with echo on and no unit behind it. Connect the unit's diagnose port.");
    }
    if (f.result == QStringLiteral("garbled"))
        return QStringLiteral("Bytes come, but never a good frame: another speed or format on the way. A device"
                              " server in raw mode keeps its own settings: set it to 19200,N,8,1.");
    if (f.result == QStringLiteral("text-only"))
        return QStringLiteral("The unit's text comes, but it does not answer: the line from this computer to the unit"
                              " does not reach it (a broken wire, or a null-modem adapter in between).");
    if (f.result == QStringLiteral("no-value"))
        return QStringLiteral("Replies come without values: check the unit type.");
    return QStringLiteral("Nothing came back and nothing came unasked: the cable may be on the wrong connector (the"
                          " ESPA port instead of the diagnose port), the unit without power, or TX and RX crossed.");
}

} // namespace

QString CheckLine(const CheckFinding& finding)
{
    using Words = QString (*)(const CheckFinding&);
    static const Words kWords[] = {NameLine, ReachLine, OpenLine, LineLine, ListenLine, EchoLine, AskLine, VerdictLine};
    QString label = StepName(finding.step);
    label[0] = label[0].toUpper();
    return label.leftJustified(8) + kWords[int(finding.step)](finding);
}

} // namespace pb
