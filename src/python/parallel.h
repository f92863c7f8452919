#pragma once

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace hygrovane::python {

// Below this many elements a thread costs more to start than it saves.
inline constexpr std::size_t kElementsPerThread = 2048;
// Slices start at multiples of this many elements: 64 one-byte statuses or 8 doubles fill a cache
// line, so two threads never write the same line of a column (given 64-byte aligned columns).
inline constexpr std::size_t kSliceGranule = 64;

// The number of threads to use for n elements when the caller asked for `wanted` (0: every core).
inline unsigned ThreadsFor(std::size_t n, unsigned wanted) {
    unsigned threads = wanted == 0 ? std::max(1u, std::thread::hardware_concurrency()) : wanted;
    const std::size_t useful = std::max<std::size_t>(1, n / kElementsPerThread);
    return static_cast<unsigned>(std::min<std::size_t>(threads, useful));
}

// Calls work(begin, end) on consecutive, disjoint slices of [0, n), one per thread. Each element
// is computed by the same code whatever the split, so the results do not depend on it.
template <typename Work> void ForEachSlice(std::size_t n, unsigned threads, Work work) {
    if (threads <= 1) {
        work(std::size_t{0}, n);
        return;
    }
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    const std::size_t granules = (n + kSliceGranule - 1) / kSliceGranule;
    const std::size_t share = granules / threads;
    const std::size_t extra = granules % threads;
    std::size_t begin = 0;
    std::size_t firstEnd = 0;
    for (unsigned t = 0; t < threads; ++t) {
        const std::size_t end = std::min(n, begin + (share + (t < extra ? 1 : 0)) * kSliceGranule);
        if (t == 0) {
            firstEnd = end; // the calling thread takes the first slice
        } else {
            pool.emplace_back(work, begin, end);
        }
        begin = end;
    }
    work(std::size_t{0}, firstEnd);
    for (std::thread& thread : pool) {
        thread.join();
    }
}

// The sentences of the elements that failed, by element.
using Messages = std::vector<std::pair<std::size_t, std::string>>;

// ForEachSlice with work(begin, end, messages): each thread gathers its own failures and hands
// them over once, so the threads meet at a lock per slice rather than per failed element. The
// messages come back in element order, whatever the split.
template <typename Work>
Messages ForEachSliceGathering(std::size_t n, unsigned threads, Work work) {
    Messages messages;
    std::mutex mutex;
    ForEachSlice(n, threads, [&](std::size_t begin, std::size_t end) {
        Messages mine;
        work(begin, end, mine);
        const std::lock_guard lock(mutex);
        messages.insert(messages.end(), mine.begin(), mine.end());
    });
    std::sort(messages.begin(), messages.end());
    return messages;
}

} // namespace hygrovane::python
