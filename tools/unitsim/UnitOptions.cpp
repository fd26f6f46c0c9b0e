#include "unitsim/UnitOptions.h"

#include <array>
#include <utility>

namespace pb::unitsim {

std::optional<Fault> FaultFromName(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, Fault>, 9> kNames{{
        {"noise", Fault::Noise},
        {"bad-checksum", Fault::BadCheckSum},
        {"stall", Fault::Stall},
        {"too-long", Fault::TooLong},
        {"silent", Fault::Silent},
        {"late", Fault::Late},
        {"refuse-call", Fault::RefuseCall},
        {"bad-digit", Fault::BadDigit},
        {"hangup", Fault::Hangup},
    }};
    for (const auto& [text, fault] : kNames) {
        if (text == name)
            return fault;
    }
    return std::nullopt;
}

} // namespace pb::unitsim
