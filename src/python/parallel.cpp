#include "parallel.h"

#include <sched.h>

#include <limits>

namespace hygrovane::python {

unsigned UsableThreads() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) {
            return static_cast<unsigned>(count);
        }
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned ThreadsFor(std::size_t n, unsigned long long wanted) {
    const unsigned usable = UsableThreads();
    const unsigned threads =
        wanted == 0 ? usable : static_cast<unsigned>(std::min<unsigned long long>(wanted, usable));
    const std::size_t useful = std::max<std::size_t>(1, n / kElementsPerThread);
    return static_cast<unsigned>(std::min<std::size_t>(threads, useful));
}

} // namespace hygrovane::python
