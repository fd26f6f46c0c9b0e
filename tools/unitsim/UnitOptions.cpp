#include "unitsim/UnitOptions.h"

#include <array>
#include <utility>

namespace pb::unitsim {

namespace {

// The names the command line takes, one for every fault.
constexpr std::array<std::pair<std::string_view, Fault>, 14> kFaultNames{{
    {"none", Fault::None},
    {"noise", Fault::Noise},
    {"bad-checksum", Fault::BadCheckSum},
    {"stall", Fault::Stall},
    {"too-long", Fault::TooLong},
    {"silent", Fault::Silent},
    {"late", Fault::Late},
    {"refuse-call", Fault::RefuseCall},
    {"bad-digit", Fault::BadDigit},
    {"hangup", Fault::Hangup},
    {"echo", Fault::Echo},
    {"garbled", Fault::Garbled},
    {"deep-sleep", Fault::DeepSleep},
    {"text-only", Fault::TextOnly},
}};

} // namespace

std::optional<Fault> FaultFromName(std::string_view name)
{
    for (const auto& [text, fault] : kFaultNames) {
        if (text == name && fault != Fault::None)
            return fault;
    }
    return std::nullopt;
}

std::string_view FaultName(Fault fault)
{
    for (const auto& [text, named] : kFaultNames) {
        if (named == fault)
            return text;
    }
    return "?";
}

} // namespace pb::unitsim
