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
    ExitBadUsage = 2,   // also a bad type or a file that cannot be read
    ExitPortFailed = 3,
};

enum class Command { Read, Write, Call, Show, Diff, Monitor, Help, Version };

struct CliRequest {
    Command command = Command::Help;
    QString port;
    std::optional<int16_t> unitType;
    std::optional<int16_t> language; // 0 en, 1 nl, 2 de, 3 fr
    QString out;                     // read: empty for standard output
    bool json = false;
    QStringList files;               // write and show: one; diff: two
    QString address;
    QString message;
    int16_t bleepCode = 1;
    std::optional<int> seconds;      // monitor: until Ctrl-C without it
};

// The arguments after the program name. On bad usage the request is empty
// and `problem` says why.
std::optional<CliRequest> ParseArguments(const QStringList& arguments, QString& problem);

QString UsageText();

} // namespace pb::cli
