#include "climate/parallel.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace hygrovane::climate {

void ForChunks(std::size_t count, unsigned threads,
               const std::function<void(std::size_t, std::size_t)>& work) {
    constexpr std::size_t kSmallest = 1024; // below this a thread costs more than it saves
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    const std::size_t chunks = std::clamp<std::size_t>(count / kSmallest, 1, threads);
    if (chunks == 1) {
        work(0, count);
        return;
    }
    std::vector<std::thread> pool;
    pool.reserve(chunks - 1);
    const std::size_t size = (count + chunks - 1) / chunks;
    for (std::size_t c = 1; c < chunks; ++c) {
        const std::size_t begin = std::min(count, c * size);
        const std::size_t end = std::min(count, begin + size);
        try {
            pool.emplace_back([&work, begin, end] { work(begin, end); });
        } catch (const std::system_error&) { // no thread to be had: do the chunk here
            work(begin, end);
        }
    }
    work(0, std::min(count, size));
    for (std::thread& t : pool) {
        t.join();
    }
}

} // namespace hygrovane::climate
