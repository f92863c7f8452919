#include "climate/weather_text.h"

#include <filesystem>
#include <fstream>
#include <new>

namespace hygrovane::climate {

namespace {

ReadFailure Failed(ReadFailureKind kind, std::string detail) {
    return ReadFailure{kind, 0, 0, std::move(detail)};
}

} // namespace

Expected<std::string_view, ReadFailure> WeatherText(std::string_view text) {
    if (text.size() > kLargestWeatherFile) {
        return Fail(Failed(ReadFailureKind::TooLarge, "the file is larger than 512 MiB"));
    }
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, 3) == kUtf8Mark) {
        text.remove_prefix(3);
    }
    const std::string_view start = text.substr(0, 64);
    if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
        return Fail(Failed(ReadFailureKind::NotText,
                           "the file is UTF-16 (or UTF-32) text; weather files "
                           "are read as UTF-8 or Latin-1: save it as UTF-8"));
    }
    if (const std::size_t nul = start.find('\0'); nul != std::string_view::npos) {
        // Letters of ASCII text in UTF-16 alternate with NUL bytes.
        const bool alternating = start.size() >= 4 && (start[0] == '\0') != (start[1] == '\0') &&
                                 (start[2] == '\0') == (start[0] == '\0');
        return Fail(Failed(ReadFailureKind::NotText,
                           alternating
                               ? "the file is UTF-16 (or UTF-32) text without a byte order mark; "
                                 "weather files are read as UTF-8 or Latin-1: save it as UTF-8"
                               : "the file holds NUL bytes: it is not text"));
    }
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return Fail(Failed(ReadFailureKind::Empty, "the file is empty"));
    }
    return text;
}

ReadFailure OutOfMemory() {
    return Failed(ReadFailureKind::OutOfMemory, "not enough memory to read the file");
}

Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        return Fail(
            Failed(ReadFailureKind::CannotOpen, "cannot open " + path + ": there is no such file"));
    }
    if (fs::is_directory(status)) {
        return Fail(
            Failed(ReadFailureKind::CannotOpen, "cannot read " + path + ": it is a folder"));
    }
    // A pipe could keep the reader waiting for ever, a device could feed it without end.
    if (!fs::is_regular_file(status)) {
        return Fail(Failed(ReadFailureKind::CannotOpen,
                           "cannot read " + path + ": it is not a regular file (" +
                               (fs::is_fifo(status) ? "a named pipe" : "a device or a socket") +
                               ")"));
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kLargestWeatherFile) {
        return Fail(Failed(ReadFailureKind::TooLarge, "the file is larger than 512 MiB"));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail(Failed(ReadFailureKind::CannotOpen, "cannot open " + path));
    }
    try {
        // Read to its end rather than to the size found: the file may have changed since.
        std::string text;
        text.reserve(error ? 0 : static_cast<std::size_t>(size));
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (text.size() > kLargestWeatherFile) {
                return Fail(Failed(ReadFailureKind::TooLarge, "the file is larger than 512 MiB"));
            }
        }
        if (in.bad()) {
            return Fail(Failed(ReadFailureKind::CannotOpen, "cannot read " + path));
        }
        return text;
    } catch (const std::bad_alloc&) {
        return Fail(OutOfMemory());
    }
}

} // namespace hygrovane::climate
