#pragma once

// An input file read whole for hygrovane-climate, at most the weather reader's largest file.

#include "cli/streams.h"
#include "hygrovane/expected.h"

#include <string>

namespace hygrovane::climatecli {

// Why the input could not be read whole.
struct Unreadable {
    std::string why;
};

// The whole input, or why not. A regular file's size is known: one too large is refused before
// a byte is read.
Expected<std::string, Unreadable> ReadAll(cli::ByteSource& source);

// A device (/dev/zero, /dev/urandom) would be read up to the size limit for nothing; a pipe is
// input as the standard input is.
bool IsDevice(const std::string& path);

} // namespace hygrovane::climatecli
