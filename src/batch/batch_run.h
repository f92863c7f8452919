#pragma once

#include "batch/conversion.h"
#include "batch/text_shape.h"
#include "cli/streams.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace hygrovane::batch {

// The bytes a conversion reads and writes: the command line's and the batch window's.
using cli::ByteSink;
using cli::ByteSource;

// The first bytes of a file, read until its header is known.
struct Head {
    std::string bytes;
    bool complete = false; // bytes hold the whole file
    FileHead file;
};

// Reads the head of a source (at most a few MiB); why not when the header cannot be found (an
// empty file, a read failure, no line end, UTF-16 or UTF-32 text). headerLine: as ReadFileHead's.
Expected<Head, std::string> ReadHead(ByteSource& source, char separator,
                                     std::size_t headerLine = 0);

struct Progress {
    std::uint64_t bytesRead = 0;
    std::uint64_t totalBytes = 0; // 0 when unknown
    std::uint64_t rows = 0;
};

// Starts a thread running body; throws std::system_error when it cannot (as std::thread does).
using ThreadStarter = std::function<std::thread(std::function<void()>)>;

struct RunOptions {
    int threads = 1;           // 1: on the calling thread; fewer when not all can be started
    ThreadStarter startThread; // empty: std::thread
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread after each block written.
    std::function<void(const Progress&)> progress;
};

struct RunOutcome {
    enum class Status { Done, Cancelled, ReadFailed, WriteFailed };
    Status status = Status::Done;
    std::string error;
    Tally tally;
    double seconds = 0;
    int threads = 1; // computed on; fewer than asked when some could not be started
};

// Converts the rest of the source after its head into the sink: the header lines, then every
// row in input order, computed on a pool of threads over blocks of rows. Memory stays bounded by
// the number of blocks in flight. The sink is committed only when everything was read, computed
// and written; otherwise it is discarded.
RunOutcome Run(const Plan& plan, const Head& head, ByteSource& source, ByteSink& sink,
               const RunOptions& options);

// The threads of this machine.
int DefaultThreads();
// The threads that help: at most the machine's, and one per block of the source (its size in
// bytes; 0 when unknown).
int UsefulThreads(int requested, std::uint64_t sourceBytes);

} // namespace hygrovane::batch
