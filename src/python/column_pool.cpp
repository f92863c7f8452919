#include "column_pool.h"

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kDefaultIdleSeconds = 10;

std::size_t PageBytes() {
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return page;
}

struct Block {
    void* memory = nullptr;
    std::size_t bytes = 0; // a size class: a whole number of pages
    Clock::time_point keptSince{};
};

class ColumnPool {
  public:
    ColumnPool() { settings_ = {DefaultMostPooledBytes(), kDefaultIdleSeconds}; }

    // A block for `bytes`, reused when one of its size class is kept; nullptr when the system has
    // no memory to map (the caller then asks numpy, which raises MemoryError).
    Block take(std::size_t bytes) {
        const std::size_t size = SizeClassBytes(bytes);
        {
            const std::lock_guard lock(mutex_);
            releaseIdle(Clock::now());
            const auto kept = std::find_if(kept_.rbegin(), kept_.rend(),
                                           [&](const Block& b) { return b.bytes == size; });
            if (kept != kept_.rend()) {
                const Block block = *kept;
                kept_.erase(std::next(kept).base());
                keptBytes_ -= block.bytes;
                return block;
            }
        }
        void* memory =
            mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return memory == MAP_FAILED ? Block{} : Block{memory, size, {}};
    }

    // Keeps the block for reuse, the oldest kept going back to the system when the total would
    // pass the most kept. MADV_FREE lets the system reclaim the pages without asking; a page it
    // took comes back zeroed on the next write, which the column's new owner makes anyway.
    void give(Block block) {
        const std::lock_guard lock(mutex_);
        const auto now = Clock::now();
        releaseIdle(now);
        if (block.bytes > settings_.mostBytes ||
            madvise(block.memory, block.bytes, MADV_FREE) != 0) {
            munmap(block.memory, block.bytes);
            return;
        }
        trimTo(settings_.mostBytes - block.bytes);
        block.keptSince = now;
        kept_.push_back(block);
        keptBytes_ += block.bytes;
        wakeReleaser();
    }

    PoolSettings settings() {
        const std::lock_guard lock(mutex_);
        return settings_;
    }

    void set(const PoolSettings& settings) {
        const std::lock_guard lock(mutex_);
        settings_ = settings;
        trimTo(settings_.mostBytes);
        releaseIdle(Clock::now());
        changed_.notify_all();
    }

    std::size_t keptBytes() {
        const std::lock_guard lock(mutex_);
        return keptBytes_;
    }

    void releaseAll() {
        const std::lock_guard lock(mutex_);
        trimTo(0);
    }

    // fork(): the child has no releasing thread, and the lock must not be copied while held.
    void beforeFork() { mutex_.lock(); }
    void afterForkInParent() { mutex_.unlock(); }
    void afterForkInChild() {
        releaserRunning_ = false;
        mutex_.unlock();
    }

  private:
    // With the lock held: the oldest kept blocks go back until at most `most` bytes are kept.
    void trimTo(std::size_t most) {
        while (!kept_.empty() && keptBytes_ > most) {
            munmap(kept_.front().memory, kept_.front().bytes);
            keptBytes_ -= kept_.front().bytes;
            kept_.pop_front();
        }
    }

    Clock::duration idle() const {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(std::clamp(settings_.idleSeconds, 0.0, 1e9)));
    }

    // With the lock held: blocks unused for the idle time go back (they are kept in the order
    // they came, the oldest first).
    void releaseIdle(Clock::time_point now) {
        while (!kept_.empty() && now - kept_.front().keptSince >= idle()) {
            munmap(kept_.front().memory, kept_.front().bytes);
            keptBytes_ -= kept_.front().bytes;
            kept_.pop_front();
        }
    }

    // With the lock held: a thread gives idle blocks back while any is kept, so that memory a
    // program stopped using does not stay with it; it ends when nothing is kept. Without one (no
    // thread to be had) the next call's columns release them.
    void wakeReleaser() {
        if (releaserRunning_) {
            changed_.notify_all();
            return;
        }
        try {
            std::thread([this] { releaseWhileKept(); }).detach();
            releaserRunning_ = true;
        } catch (const std::system_error&) {
        }
    }

    void releaseWhileKept() {
        std::unique_lock lock(mutex_);
        while (!kept_.empty()) {
            releaseIdle(Clock::now());
            if (!kept_.empty()) {
                changed_.wait_until(lock, kept_.front().keptSince + idle());
            }
        }
        releaserRunning_ = false;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> kept_;
    std::size_t keptBytes_ = 0;
    PoolSettings settings_;
    bool releaserRunning_ = false;
};

// Never destroyed: a column may outlive the module's statics at interpreter exit, and the
// releasing thread may still wait on it.
ColumnPool& Pool() {
    static auto* pool = [] {
        auto* made = new ColumnPool;
        pthread_atfork([] { Pool().beforeFork(); }, [] { Pool().afterForkInParent(); },
                       [] { Pool().afterForkInChild(); });
        return made;
    }();
    return *pool;
}

template <typename T, int Flags> py::array_t<T, Flags> PooledColumn(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kPooledColumnBytes) {
        return py::array_t<T, Flags>(static_cast<py::ssize_t>(n));
    }
    const Block block = Pool().take(bytes);
    if (block.memory == nullptr) {
        return py::array_t<T, Flags>(static_cast<py::ssize_t>(n));
    }
    // The capsule owns the block; numpy releases it with the last array that refers to it.
    const py::capsule owner(new Block(block), [](void* held) {
        const auto* kept = static_cast<Block*>(held);
        Pool().give(*kept);
        delete kept;
    });
    return py::array_t<T, Flags>({static_cast<py::ssize_t>(n)},
                                 {static_cast<py::ssize_t>(sizeof(T))},
                                 static_cast<T*>(block.memory), owner);
}

std::optional<std::size_t> LimitIn(const std::string& path) {
    std::ifstream file(path);
    std::string text;
    if (!file || !std::getline(file, text)) {
        return std::nullopt;
    }
    std::size_t limit = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
    // "max" (v2) or a number near 2^63 (v1) is no limit.
    if (error != std::errc() || end == text.data() || limit >= (std::size_t{1} << 60)) {
        return std::nullopt;
    }
    return limit;
}

} // namespace

std::size_t SizeClassBytes(std::size_t bytes) {
    const std::size_t page = PageBytes();
    if (bytes <= page) {
        return page;
    }
    const std::size_t step = std::max(std::bit_floor(bytes) / 4, page);
    const std::size_t size = (bytes + step - 1) / step * step;
    return (size + page - 1) / page * page;
}

std::optional<std::size_t> CgroupMemoryLimit(const std::string& root,
                                             const std::string& selfCgroup) {
    std::istringstream lines(selfCgroup);
    std::string line;
    while (std::getline(lines, line)) {
        // id:controllers:path; v2 has the id 0 and no controllers, v1 a line naming memory.
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string group = line.substr(second + 1);
        std::string folder;
        std::string file;
        if (controllers.empty() && line.compare(0, first, "0") == 0) {
            folder = root;
            file = "memory.max";
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            folder = root + "/memory";
            file = "memory.limit_in_bytes";
        } else {
            continue;
        }
        // Inside a container the group's path is often not visible: its root file is the group.
        for (const std::string& path : {folder + group + "/" + file, folder + "/" + file}) {
            if (const auto limit = LimitIn(path)) {
                return limit;
            }
        }
    }
    return std::nullopt;
}

std::size_t DefaultMostPooledBytes() {
    std::size_t most = std::size_t{1} << 30;
    const long pages = sysconf(_SC_PHYS_PAGES);
    if (pages > 0) {
        most = std::min(most, static_cast<std::size_t>(pages) * PageBytes() / 16);
    }
    std::ifstream self("/proc/self/cgroup");
    std::stringstream text;
    text << self.rdbuf();
    if (const auto limit = CgroupMemoryLimit("/sys/fs/cgroup", text.str())) {
        most = std::min(most, *limit / 16);
    }
    return most;
}

PoolSettings PoolSettingsNow() {
    return Pool().settings();
}

void SetPoolSettings(const PoolSettings& settings) {
    Pool().set(settings);
}

DoubleArray NewColumn(std::size_t n) {
    return PooledColumn<double, py::array::c_style | py::array::forcecast>(n);
}

py::array_t<std::uint8_t> NewStatusColumn(std::size_t n) {
    return PooledColumn<std::uint8_t, py::array::forcecast>(n);
}

std::size_t PooledBytes() {
    return Pool().keptBytes();
}

void ReleasePooledMemory() {
    Pool().releaseAll();
}

} // namespace hygrovane::python
