#include "casefile/file_io.h"

namespace hygrovane::casefile {

namespace {

template <typename T> FileResult ResultOf(const Expected<T, fileio::FileError>& outcome) {
    return outcome ? FileResult{} : FileResult{false, outcome.error().message};
}

} // namespace

FileResult FileFailure(std::string_view action, std::string_view what, const std::string& path,
                       const std::string& reason) {
    return {false, fileio::FileFailure(action, what, path, reason).message};
}

FileResult WriteWholeFile(const std::string& path, std::string_view bytes, std::string_view what) {
    return ResultOf(fileio::WriteWholeFile(path, bytes, what));
}

FileResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string_view what) {
    auto read = fileio::ReadSmallFile(path, maxBytes, what);
    if (read) {
        bytes = std::move(read.value());
    }
    return ResultOf(read);
}

} // namespace hygrovane::casefile
