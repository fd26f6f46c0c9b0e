#pragma once
// What one call of pagerbench-cli asks for, and how it ends.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace pb::cli {

enum ExitStatus : int {
    ExitDone = 0,
    ExitUnitFailed = 1, // for diff: the files differ
    ExitBadUsage = 2,   // also bad input, and output that cannot be written
    ExitPortFailed = 3,
    ExitInterrupted = 130, // Ctrl-C or SIGTERM, as a shell counts SIGINT
};

// What the unit's call frame carries; longer is refused, not cut.
constexpr int kMaxAddressLength = 10;
constexpr int kMaxMessageLength = 40;

// Standing for standard input (write's file) or standard output (--out).
inline const QString kStandardStream = QStringLiteral("-");

enum class Command { Read, Write, Call, Show, Diff, Monitor, Ports, Check, Report, Help, Version };

struct CliRequest {
    Command command = Command::Help;
    QString port;
    std::optional<int16_t> unitType;
    std::optional<int16_t> language; // 0 en, 1 nl, 2 de, 3 fr
    QString out;                     // read: empty or "-" for standard output; report: the PDF
    bool json = false;
    QStringList files;               // write ("-": standard input) and show: one; diff: two
    QString address;                 // call's --address, report's --call
    QString message;
    int16_t bleepCode = 1;
    std::optional<int> seconds;      // monitor: until Ctrl-C without it
    QString backup;                  // write: the unit's settings saved here first
    QString from;                    // report: a settings file instead of a unit
    QString against;                 // report: the reference; empty for default.set
    QString technician;              // report
    QString site;                    // report
};

// The arguments after the program name. On bad usage the request is empty
// and `problem` says why.
std::optional<CliRequest> ParseArguments(const QStringList& arguments, QString& problem);

QString UsageText();

} // namespace pb::cli
