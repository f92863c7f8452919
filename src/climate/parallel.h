#pragma once

#include <cstddef>
#include <functional>

namespace hygrovane::climate {

// Calls work(begin, end) on contiguous chunks covering [0, count), on up to `threads` threads
// (0: the machine's count); small counts stay on the calling thread. Returns when all are done.
void ForChunks(std::size_t count, unsigned threads,
               const std::function<void(std::size_t, std::size_t)>& work);

} // namespace hygrovane::climate
