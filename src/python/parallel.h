#pragma once

// The module's parallel loop: chunks of the elements handed out to threads as they finish, so that
// a thread that could not start only makes the others take more chunks, and the calling thread
// can ask between its chunks whether to stop (Ctrl-C in Python).

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace hygrovane::python {

// Below this many elements a thread costs more to start than it saves.
inline constexpr std::size_t kElementsPerThread = 2048;
// Slices start at multiples of this many elements: 64 one-byte statuses or 8 doubles fill a cache
// line, so two threads never write the same line of a column (given 64-byte aligned columns).
inline constexpr std::size_t kSliceGranule = 64;
// Elements per chunk: a few milliseconds of the slowest model, so that a stop is seen soon.
inline constexpr std::size_t kChunk = 16 * kSliceGranule;

// The CPUs this process may run on (its affinity mask), or the machine's count.
unsigned UsableThreads();

// The number of threads to use for n elements when the caller asked for `wanted` (0: every
// usable CPU): never more than the CPUs the process may use, nor one per kElementsPerThread.
unsigned ThreadsFor(std::size_t n, unsigned long long wanted);

// Asked on the calling thread between chunks, at most every few tens of milliseconds: true stops
// the loop (the chunks under way finish, no new one starts).
using StopCheck = std::function<bool()>;

// Calls work(begin, end) on disjoint chunks covering [0, n), on up to `threads` threads; fewer when
// the system will not start more. Each element is computed by the same code whatever the split,
// so the results do not depend on it. Returns false when shouldStop said to stop (some chunks
// may be left undone). An exception from work stops the loop and is thrown again on the calling
// thread.
template <typename Work>
bool ForEachSlice(std::size_t n, unsigned threads, Work work, const StopCheck& shouldStop = {}) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kCheckEvery = std::chrono::milliseconds(20);
    const std::size_t chunks = (n + kChunk - 1) / kChunk;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable finished;
    unsigned running = 0;

    // Takes chunks until none is left or the loop stops; false when stopped early.
    const auto takeChunks = [&](const auto& between) {
        for (;;) {
            if (stop.load(std::memory_order_relaxed) || !between()) {
                return;
            }
            const std::size_t c = next.fetch_add(1, std::memory_order_relaxed);
            if (c >= chunks) {
                return;
            }
            try {
                work(c * kChunk, std::min(n, (c + 1) * kChunk));
            } catch (...) {
                const std::lock_guard lock(mutex);
                if (!failure) {
                    failure = std::current_exception();
                }
                stop = true;
                return;
            }
        }
    };

    std::vector<std::thread> pool;
    const unsigned helpers = static_cast<unsigned>(
        std::min<std::size_t>(threads > 0 ? threads - 1 : 0, chunks > 0 ? chunks - 1 : 0));
    pool.reserve(helpers);
    for (unsigned t = 0; t < helpers; ++t) {
        try {
            {
                const std::lock_guard lock(mutex);
                ++running;
            }
            pool.emplace_back([&] {
                takeChunks([] { return true; });
                const std::lock_guard lock(mutex);
                --running;
                finished.notify_all();
            });
        } catch (const std::system_error&) { // no thread to be had: the others take its chunks
            const std::lock_guard lock(mutex);
            --running;
            break;
        }
    }

    auto lastCheck = Clock::now();
    bool stopped = false; // shouldStop said so: the caller is told even if every chunk is done
    const auto goOn = [&] {
        if (!shouldStop || stopped || Clock::now() - lastCheck < kCheckEvery) {
            return !stopped;
        }
        lastCheck = Clock::now();
        if (shouldStop()) {
            stopped = true;
            stop = true;
        }
        return !stopped;
    };
    takeChunks(goOn);
    {
        std::unique_lock lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, kCheckEvery);
            if (running > 0 && !stop) {
                lock.unlock();
                goOn();
                lock.lock();
            }
        }
    }
    for (std::thread& thread : pool) {
        thread.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return !stopped;
}

// The sentences of the elements that failed, by element.
using Messages = std::vector<std::pair<std::size_t, std::string>>;

// ForEachSlice with work(begin, end, messages): each chunk gathers its own failures and hands
// them over once, so the threads meet at a lock per chunk rather than per failed element. The
// messages come back in element order, whatever the split. Returns false when stopped.
template <typename Work>
bool ForEachSliceGathering(std::size_t n, unsigned threads, Work work, Messages& messages,
                           const StopCheck& shouldStop = {}) {
    std::mutex mutex;
    const bool done = ForEachSlice(
        n, threads,
        [&](std::size_t begin, std::size_t end) {
            Messages mine;
            work(begin, end, mine);
            const std::lock_guard lock(mutex);
            messages.insert(messages.end(), mine.begin(), mine.end());
        },
        shouldStop);
    std::sort(messages.begin(), messages.end());
    return done;
}

} // namespace hygrovane::python
