#pragma once

// Memory for the result columns of the array calls. A fresh column of a million doubles costs the
// system 2,000 zeroed pages, about a sixth of what solve() spends per state; so the memory of a
// large column Python lets go of is kept (marked MADV_FREE, so that the system may still take it
// back under pressure) and handed to the next call's column of the same size.

#include "array_args.h"

#include <cstddef>
#include <cstdint>

namespace hygrovane::python {

// Columns smaller than this come from numpy's own allocator, which reuses them cheaply.
inline constexpr std::size_t kPooledColumnBytes = std::size_t{1} << 20;
// The most memory kept for reuse: 1 GiB, or a sixteenth of the machine's memory where that is
// less, since kept pages still count as the process's own (to a Dask nanny watching a worker's
// memory, for one). Beyond it a released column goes back to the system.
std::size_t MostPooledBytes();

// A new column of n elements whose contents are undefined (possibly an earlier result): the
// caller writes every element before Python sees it.
DoubleArray NewColumn(std::size_t n);
pybind11::array_t<std::uint8_t> NewStatusColumn(std::size_t n);

// The bytes kept for reuse now, and giving them all back to the system.
std::size_t PooledBytes();
void ReleasePooledMemory();

} // namespace hygrovane::python
