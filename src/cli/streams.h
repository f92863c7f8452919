#pragma once

// The bytes the programs and the batch window read and write: a file or the standard input in,
// a file (written whole or not at all) or a stream out.

#include "hygrovane/expected.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace hygrovane::cli {

// Where the bytes of a logger file come from.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to size bytes; 0 at the end; -1 on a failure (see error()).
    virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
    virtual std::string error() const = 0;
    // The size in bytes when known (a regular file), else 0.
    virtual std::uint64_t size() const { return 0; }
};

// Where the converted file goes: nothing is left behind unless commit() succeeds.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Completes the file; false when that failed (see error()).
    virtual bool commit() = 0;
    // Abandons the file: a file being written is removed, the old one stays as it was.
    virtual void discard() = 0;
    virtual std::string error() const = 0;
};

// A file by its path, or the standard input for "-"; why not when it cannot be opened (missing,
// a folder, not readable; with regularOnly also a named pipe or a device, which could keep a
// reader waiting).
Expected<std::unique_ptr<ByteSource>, std::string> OpenSource(const std::string& path,
                                                              bool regularOnly = false);

// A file written through QSaveFile: a temporary file renamed over the path by commit(); an
// existing device (/dev/null) is written to directly. Why not when it cannot be created (a
// missing folder, a folder, no permission).
Expected<std::unique_ptr<ByteSink>, std::string> CreateFileSink(const std::string& path);
// A stream such as the standard output, written as it goes.
std::unique_ptr<ByteSink> StreamSink(std::FILE* stream, std::string name);

// True when the two paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);

} // namespace hygrovane::cli
