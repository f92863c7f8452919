#pragma once

#include <csignal>
#include <cstdio>

#include <sys/resource.h>

namespace hygrovane::testing {

// Runs write with the size of files this process may write limited, as a full disk would: a
// write past the limit fails (SIGXFSZ ignored) instead of ending the process. Returns what write
// returns.
template <typename Write> auto WithSizeLimit(rlim_t bytes, Write write) {
    std::fflush(stdout); // nothing may be printed meanwhile: stdout may be a file
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    return result;
}

} // namespace hygrovane::testing
