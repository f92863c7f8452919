#pragma once

// Memory for the result columns of the array calls. A fresh column of a million doubles costs the
// system 2,000 zeroed pages, about a sixth of what solve() spends per state; so the memory of a
// large column Python lets go of is kept (marked MADV_FREE, so that the system may still take it
// back under pressure) and handed to the next call's column of the same size class.

#include "array_args.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace hygrovane::python {

// Columns smaller than this come from numpy's own allocator, which reuses them cheaply.
inline constexpr std::size_t kPooledColumnBytes = std::size_t{1} << 20;

// The bytes of the block a column of `bytes` gets: four size classes per doubling, whole pages,
// so that calls of slightly different sizes reuse each other's memory (at most a quarter more
// address space than asked; untouched pages cost nothing).
std::size_t SizeClassBytes(std::size_t bytes);

// The memory limit of the control group the process runs in (cgroup v2 memory.max or v1
// memory.limit_in_bytes under `root`, the group's own file first, then the root's), given the
// text of /proc/self/cgroup; nothing when there is none or it is unlimited.
std::optional<std::size_t> CgroupMemoryLimit(const std::string& root,
                                             const std::string& selfCgroup);

// The most memory kept for reuse unless set: 1 GiB, or a sixteenth of the machine's memory or of
// the control group's limit where that is less, since kept pages still count as the process's own
// (to a Dask nanny watching a worker's memory, for one). Beyond it a released column goes back.
std::size_t DefaultMostPooledBytes();

// The settings: the most bytes kept (0 keeps nothing) and the seconds a kept block may stay
// unused before it goes back to the system.
struct PoolSettings {
    std::size_t mostBytes = 0;
    double idleSeconds = 0;
};
PoolSettings PoolSettingsNow();
void SetPoolSettings(const PoolSettings& settings);

// A new column of n elements whose contents are undefined (possibly an earlier result): the
// caller writes every element before Python sees it.
DoubleArray NewColumn(std::size_t n);
pybind11::array_t<std::uint8_t> NewStatusColumn(std::size_t n);

// The bytes kept for reuse now, and giving them all back to the system.
std::size_t PooledBytes();
void ReleasePooledMemory();

} // namespace hygrovane::python
