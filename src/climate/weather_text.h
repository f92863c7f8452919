#pragma once

// What every weather reader checks of a file's text before reading its lines.

#include "climate/read_failure.h"
#include "hygrovane/expected.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrovane::climate {

// Files above this size are refused before reading (a 30-year hourly file is about 50 MB).
inline constexpr std::size_t kLargestWeatherFile = std::size_t{512} << 20;

// The text without a UTF-8 byte order mark; refused when it is too large, empty (blanks only),
// or not 8-bit text (UTF-16 or UTF-32, or binary), naming which.
Expected<std::string_view, ReadFailure> WeatherText(std::string_view text);

// The bytes of a regular file, or CannotOpen (missing, a folder, a pipe or a device: refused
// before opening, so that nothing waits or reads without end), TooLarge (by its size, before
// reading) or OutOfMemory.
Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path);

// The refusal of a file whose rows did not fit in memory.
ReadFailure OutOfMemory();

} // namespace hygrovane::climate
