#pragma once
// What the computer tells of a serial device beside opening it: where a
// link leads, which adapter it is, its latency timer, and which process
// holds it. Each system finds out its own way (unix/, win/); what cannot be
// seen stays empty.
#include <QString>
#include <optional>

namespace pb {

struct DeviceFacts {
    bool exists = false;
    QString linkTarget;      // the device a link (by-id) leads to; empty for no link
    QString maker;           // a USB adapter's manufacturer, product and serial number
    QString product;
    QString serialNumber;
    int latencyTimerMs = -1; // the adapter's latency timer; -1 where the driver has none
    bool modemClass = false; // a CDC-ACM adapter, which a modem manager may probe
};

DeviceFacts FactsOf(const QString& device);

struct PortHolder {
    qint64 pid = 0;
    QString command;   // the process's name, empty when unknown
    bool byLockFile = false; // seen by its lock file rather than its open files
};

// The other process that has the device open, where this user may see it.
std::optional<PortHolder> HolderOf(const QString& device);

// A modem manager runs, which opens new modem-class adapters to probe them.
bool ModemManagerRuns();

// How a user finds the process that holds a device, where the check could
// not see it; empty where the system offers no such command.
QString HowToFindHolder(const QString& device);
// What lets a user open a serial device that is forbidden to them; empty
// where there is nothing a user can do.
QString AccessAdvice();

} // namespace pb
