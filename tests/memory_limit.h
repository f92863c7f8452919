#pragma once

#include <cstdio>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hygrovane::testing {

// AddressSanitizer's allocator ends the process when an address-space limit stops it, rather than
// failing the allocation: there a test of running short of memory can prove nothing.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAllocationsFailUnderALimit = false;
#else
inline constexpr bool kAllocationsFailUnderALimit = true;
#endif

// Runs `run` in a child process limited to `headroom` bytes of address space above what it uses
// when it starts: the child's exit status is run's; a signal (an abort on std::bad_alloc) is -1.
inline int InChildUnderLimit(std::size_t headroom, const std::function<int()>& run) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::size_t pages = 0;
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%zu", &pages) != 1) {
                pages = 0;
            }
            std::fclose(statm);
        }
        const rlim_t limit = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + headroom;
        const rlimit bound{limit, limit};
        if (pages == 0 || setrlimit(RLIMIT_AS, &bound) != 0) {
            _exit(99);
        }
        _exit(run());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace hygrovane::testing
