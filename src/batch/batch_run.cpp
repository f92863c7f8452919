#include "batch/batch_run.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace hygrovane::batch {

namespace {

constexpr std::size_t kHeadBytes = 64 * 1024;
constexpr std::size_t kMostHeadBytes = 4 * 1024 * 1024;
constexpr std::size_t kBlockBytes = 256 * 1024;
constexpr std::size_t kLongestLine = 16 * 1024 * 1024;

struct Block {
    std::string input; // whole lines
    std::string output;
    Tally tally;
    // A line end of another kind, its line counted from the block's first.
    std::optional<textfile::LineFailure> lineFailure;
    std::promise<void> done;
};

// A cancelled run leaves its blocks unfinished: their output is discarded anyway. So does a line
// end of another kind: the run fails with it.
void ConvertBlock(RowConverter& converter, Block& block, textfile::LineEnd lineEnds,
                  const std::atomic<bool>* cancel) {
    block.output.reserve(block.input.size() * 8);
    textfile::Lines lines(block.input, lineEnds);
    std::string_view line;
    for (std::size_t count = 0; lines.Next(line); ++count) {
        if (cancel != nullptr && count % 1024 == 0 && cancel->load(std::memory_order_relaxed)) {
            return;
        }
        converter.Convert(line, block.output, block.tally);
    }
    block.lineFailure = lines.failure();
}

// Worker threads, each with its own converter, taking blocks in turn. A thread that cannot be
// started (no memory, a process limit) leaves the pool with those that could: it may be empty.
class Pool {
  public:
    Pool(const Plan& plan, int threads, const std::atomic<bool>* cancel,
         const ThreadStarter& start) {
        const textfile::LineEnd lineEnds = plan.shape().lineEnds;
        for (int i = 0; i < threads; ++i) {
            try {
                workers_.push_back(start([this, &plan, cancel, lineEnds] {
                    RowConverter converter(plan);
                    while (Block* block = next()) {
                        ConvertBlock(converter, *block, lineEnds, cancel);
                        block->done.set_value();
                    }
                }));
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    ~Pool() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }
    int size() const { return static_cast<int>(workers_.size()); }
    void submit(Block* block) {
        {
            const std::lock_guard lock(mutex_);
            jobs_.push_back(block);
        }
        wake_.notify_one();
    }

  private:
    Block* next() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return nullptr;
        }
        Block* block = jobs_.front();
        jobs_.pop_front();
        return block;
    }

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Block*> jobs_;
    bool stopping_ = false;
};

} // namespace

int DefaultThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int UsefulThreads(int requested, std::uint64_t sourceBytes) {
    int threads = std::clamp(requested, 1, DefaultThreads());
    if (sourceBytes != 0) {
        const std::uint64_t blocks = sourceBytes / kBlockBytes + 1;
        threads =
            static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(threads), blocks));
    }
    return threads;
}

std::thread StartThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

Expected<Head, std::string> ReadHead(ByteSource& source, char separator, std::size_t headerLine) {
    Head head;
    std::size_t want = kHeadBytes;
    while (true) {
        const std::size_t had = head.bytes.size();
        head.bytes.resize(want);
        std::size_t filled = had;
        while (filled < want) {
            const std::ptrdiff_t got = source.read(head.bytes.data() + filled, want - filled);
            if (got < 0) {
                return Fail(std::string("it could not be read: " + source.error()));
            }
            if (got == 0) {
                head.complete = true;
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
        head.bytes.resize(filled);
        if (const std::string_view wide = WideEncoding(head.bytes); !wide.empty()) {
            return Fail(std::string("it is " + std::string(wide) +
                                    " text; save it as UTF-8 (or CSV) first"));
        }
        if (ReadFileHead(head.bytes, head.complete, separator, head.file, headerLine) &&
            !head.file.lineFailure) {
            return head;
        }
        if (head.file.lineFailure) {
            return Fail(textfile::Describe(*head.file.lineFailure));
        }
        if (head.complete) {
            return Fail(std::string(head.bytes.empty() ? "it is empty"
                                    : headerLine != 0  ? "it has fewer than " +
                                                            std::to_string(headerLine) + " lines"
                                                      : "it has no header line"));
        }
        if (want >= kMostHeadBytes) {
            // The header may end long before a first row longer than what was read: take the
            // lines that ended, and leave the rest to the conversion.
            const std::size_t lastEnd = head.bytes.find_last_of("\r\n");
            if (lastEnd != std::string::npos &&
                ReadFileHead(std::string_view(head.bytes).substr(0, lastEnd + 1), true, separator,
                             head.file, headerLine) &&
                !head.file.names.empty()) {
                if (head.file.lineFailure) {
                    return Fail(textfile::Describe(*head.file.lineFailure));
                }
                return head;
            }
            return Fail(std::string("no header line ends within its first " +
                                    std::to_string(kMostHeadBytes / (1024 * 1024)) + " MiB"));
        }
        want *= 2;
    }
}

RunOutcome Run(const Plan& plan, const Head& head, ByteSource& source, ByteSink& sink,
               const RunOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    RunOutcome outcome;
    Progress progress;
    progress.totalBytes = source.size();
    const auto cancelled = [&options] {
        return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
    };
    bool failed = false;
    const auto fail = [&](RunOutcome::Status status, std::string error) {
        if (!failed) {
            failed = true;
            outcome.status = status;
            outcome.error = std::move(error);
        }
    };
    if (!sink.write(plan.HeaderLines(head.file.rawLines))) {
        fail(RunOutcome::Status::WriteFailed, sink.error());
    }

    const int wanted = std::max(1, options.threads);
    std::unique_ptr<Pool> pool;
    if (wanted > 1) {
        pool = std::make_unique<Pool>(plan, wanted, options.cancel,
                                      options.startThread ? options.startThread : StartThread);
        if (pool->size() == 0) {
            pool.reset(); // not one thread could be started: the calling thread computes
        }
    }
    outcome.threads = pool ? pool->size() : 1;
    std::unique_ptr<RowConverter> inlineConverter;
    if (!pool) {
        inlineConverter = std::make_unique<RowConverter>(plan);
    }
    const char lineBreak = plan.shape().lineBreak;
    const textfile::LineEnd lineEnds = plan.shape().lineEnds;
    // The lines before the next block: its lines' numbers in the file start after them.
    std::uint64_t linesBefore = head.file.shape.titleLines + head.file.shape.headerLines;
    const std::size_t mostInFlight = static_cast<std::size_t>(outcome.threads) * 2 + 1;
    std::deque<std::unique_ptr<Block>> inFlight;

    // Writes the oldest block once it is done.
    const auto retire = [&] {
        std::unique_ptr<Block> block = std::move(inFlight.front());
        inFlight.pop_front();
        block->done.get_future().wait();
        if (block->lineFailure && !cancelled()) {
            textfile::LineFailure fault = *block->lineFailure;
            fault.line += static_cast<std::size_t>(linesBefore);
            fail(RunOutcome::Status::ReadFailed, textfile::Describe(fault));
        }
        if (!failed && !cancelled() && !sink.write(block->output)) {
            fail(RunOutcome::Status::WriteFailed, sink.error());
        }
        linesBefore += block->tally.rows + block->tally.blankLines;
        outcome.tally.add(block->tally);
        progress.rows = outcome.tally.rows;
        if (!failed && options.progress) {
            options.progress(progress);
        }
    };

    std::string pending(std::string_view(head.bytes).substr(head.file.dataOffset));
    progress.bytesRead = head.bytes.size();
    bool atEnd = head.complete;
    while (!failed && !cancelled() && (!atEnd || !pending.empty())) {
        if (!atEnd) {
            const std::size_t had = pending.size();
            pending.resize(had + kBlockBytes);
            const std::ptrdiff_t got = source.read(pending.data() + had, kBlockBytes);
            if (got < 0) {
                fail(RunOutcome::Status::ReadFailed, "it could not be read: " + source.error());
                break;
            }
            pending.resize(had + static_cast<std::size_t>(got));
            progress.bytesRead += static_cast<std::uint64_t>(got);
            atEnd = got == 0;
        }
        // Whole lines only, and the last line of the file even without its line end.
        std::size_t cut = atEnd ? pending.size() : pending.rfind(lineBreak);
        if (cut == std::string::npos) {
            if (pending.size() > kLongestLine) {
                fail(RunOutcome::Status::ReadFailed,
                     "a line is longer than " + std::to_string(kLongestLine / (1024 * 1024)) +
                         " MiB: this does not look like a text file");
            }
            continue;
        }
        cut = atEnd ? cut : cut + 1;
        if (!atEnd && cut < kBlockBytes / 2 && pending.size() < kBlockBytes) {
            continue; // a short read: gather a fuller block first
        }
        auto block = std::make_unique<Block>();
        block->input.assign(pending, 0, cut);
        pending.erase(0, cut);
        if (pool) {
            pool->submit(block.get());
        } else {
            ConvertBlock(*inlineConverter, *block, lineEnds, options.cancel);
            block->done.set_value();
        }
        inFlight.push_back(std::move(block));
        while (inFlight.size() >= (pool ? mostInFlight : 1)) {
            retire();
        }
    }
    while (!inFlight.empty()) {
        retire();
    }
    pool.reset();
    if (!failed && cancelled()) {
        outcome.status = RunOutcome::Status::Cancelled;
        failed = true;
    }
    if (failed) {
        sink.discard();
    } else if (!sink.commit()) {
        fail(RunOutcome::Status::WriteFailed, sink.error());
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return outcome;
}

} // namespace hygrovane::batch
