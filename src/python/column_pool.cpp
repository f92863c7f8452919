#include "column_pool.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <mutex>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

struct Block {
    void* memory = nullptr;
    std::size_t bytes = 0; // a whole number of pages
};

class ColumnPool {
  public:
    // A block of at least `bytes`, reused when one of that size is kept; nullptr when the system
    // has no memory to map (the caller then asks numpy, which raises MemoryError).
    Block take(std::size_t bytes) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t rounded = (bytes + page - 1) / page * page;
        {
            const std::lock_guard lock(mutex_);
            const auto kept = std::find_if(kept_.begin(), kept_.end(),
                                           [&](const Block& b) { return b.bytes == rounded; });
            if (kept != kept_.end()) {
                const Block block = *kept;
                kept_.erase(kept);
                keptBytes_ -= block.bytes;
                return block;
            }
        }
        void* memory =
            mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return memory == MAP_FAILED ? Block{} : Block{memory, rounded};
    }

    // Keeps the block for reuse, the oldest kept going back to the system when the total would
    // pass MostPooledBytes(). MADV_FREE lets the system reclaim the pages without asking; a page it
    // took comes back zeroed on the next write, which the column's new owner makes anyway.
    void give(Block block) {
        if (block.bytes > MostPooledBytes() || madvise(block.memory, block.bytes, MADV_FREE) != 0) {
            munmap(block.memory, block.bytes);
            return;
        }
        const std::lock_guard lock(mutex_);
        while (keptBytes_ + block.bytes > MostPooledBytes()) {
            munmap(kept_.front().memory, kept_.front().bytes);
            keptBytes_ -= kept_.front().bytes;
            kept_.pop_front();
        }
        kept_.push_back(block);
        keptBytes_ += block.bytes;
    }

    std::size_t keptBytes() {
        const std::lock_guard lock(mutex_);
        return keptBytes_;
    }

    void releaseAll() {
        const std::lock_guard lock(mutex_);
        for (const Block& block : kept_) {
            munmap(block.memory, block.bytes);
        }
        kept_.clear();
        keptBytes_ = 0;
    }

  private:
    std::mutex mutex_;
    std::deque<Block> kept_;
    std::size_t keptBytes_ = 0;
};

// Never destroyed: a column may outlive the module's statics at interpreter exit.
ColumnPool& Pool() {
    static auto* pool = new ColumnPool;
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

} // namespace

std::size_t MostPooledBytes() {
    static const std::size_t most = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long page = sysconf(_SC_PAGESIZE);
        const std::size_t gib = std::size_t{1} << 30;
        if (pages <= 0 || page <= 0) {
            return gib;
        }
        return std::min(gib, static_cast<std::size_t>(pages) * static_cast<std::size_t>(page) / 16);
    }();
    return most;
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
