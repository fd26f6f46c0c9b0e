#pragma once
// The virtual unit on a pseudo-terminal, for as long as this object lives.
#include <QProcess>
#include <QString>
#include <QTemporaryFile>

namespace pb::bench {

class VirtualUnit {
public:
    VirtualUnit(const QString& simulator, int unitType, bool quiet);
    ~VirtualUnit();
    VirtualUnit(const VirtualUnit&) = delete;
    VirtualUnit& operator=(const VirtualUnit&) = delete;

    // The device the program opens; empty when the unit did not start.
    const QString& device() const { return device_; }

private:
    QProcess process_;
    // Its output goes to a file: nobody drains a pipe while a measurement runs.
    QTemporaryFile output_;
    QString device_;
};

} // namespace pb::bench
