#include "unitsim/CommandLine.h"

#include <cstdlib>

namespace pb::unitsim {

namespace {

bool ToNumber(const std::string& text, double& number)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

} // namespace

std::string ParseCommandLine(int argc, const char* const argv[], SimulatorOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--quiet") {
            options.unit.quiet = true;
            continue;
        }
        const bool takesValue = name == "--type" || name == "--link" || name == "--device" || name == "--fault"
            || name == "--hangup-after" || name == "--status-every" || name == "--late-ms" || name == "--tcp";
        if (!takesValue)
            return "unknown option " + name;
        if (i + 1 >= argc)
            return name + " needs a value";
        const std::string value = argv[++i];
        double number = 0;
        if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--device") {
            options.devicePath = value;
        } else if (name == "--fault") {
            const std::optional<Fault> fault = FaultFromName(value);
            if (!fault)
                return "unknown fault " + value;
            options.unit.fault = *fault;
        } else if (!ToNumber(value, number) || number < 0) {
            return name + " needs a number, not " + value;
        } else if (name == "--tcp") {
            if (number < 1 || number > 65535 || number != int(number))
                return "--tcp is a port 1 to 65535";
            options.tcpPort = int(number);
        } else if (name == "--type") {
            if (number > 6 || number != int(number))
                return "--type is 0 to 6";
            options.unit.unitType = static_cast<int16_t>(number);
        } else if (name == "--hangup-after") {
            options.unit.fault = Fault::Hangup;
            options.unit.hangupAfterFrames = int(number);
        } else if (name == "--status-every") {
            options.unit.statusEveryMs = Millis(number * 1000);
        } else {
            options.unit.lateByMs = Millis(number);
        }
    }
    return {};
}

std::string Usage()
{
    return "usage: pagerbench-unitsim [--type 0..6] [--link PATH] [--device PATH] [--tcp PORT]\n"
           "                          [--fault noise|bad-checksum|stall|too-long|silent|late|\n"
           "                                   refuse-call|bad-digit|hangup|echo|garbled|\n"
           "                                   deep-sleep|text-only]\n"
           "                          [--hangup-after FRAMES] [--late-ms MS]\n"
           "                          [--status-every SECONDS] [--quiet]\n"
           "Plays a unit on a new pseudo-terminal (or on --device) and prints its\n"
           "serial side on the first line: \"pty: /dev/pts/N\". With --tcp it plays a\n"
           "serial device server on 127.0.0.1:PORT instead (\"tcp: 127.0.0.1:PORT\"),\n"
           "one client at a time; a new client replaces the old one.\n";
}

} // namespace pb::unitsim
