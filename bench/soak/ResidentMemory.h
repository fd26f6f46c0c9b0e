#pragma once
// This process's resident memory, as the kernel counts it.

namespace pb::bench {

// VmRSS of /proc/self/status in KiB; -1 where it cannot be read.
long long ResidentKiB();

} // namespace pb::bench
