#pragma once
// What a benchmark's figures were measured on, as one line.
#include <QString>

namespace pb::bench {

// "machine: 2 cores, <processor>, <system>, Qt <version>"
QString MachineLine();

} // namespace pb::bench
