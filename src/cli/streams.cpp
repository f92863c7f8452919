#include "cli/streams.h"

#include "fileio/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace hygrovane::cli {

namespace {

class FileSource : public ByteSource {
  public:
    FileSource(std::FILE* file, bool owned, std::uint64_t size)
        : file_(file), owned_(owned), size_(size) {}
    ~FileSource() override {
        if (owned_) {
            std::fclose(file_);
        }
    }
    std::ptrdiff_t read(char* buffer, std::size_t size) override {
        const std::size_t got = std::fread(buffer, 1, size, file_);
        if (got == 0 && std::ferror(file_)) {
            error_ = std::strerror(errno);
            return -1;
        }
        return static_cast<std::ptrdiff_t>(got);
    }
    std::string error() const override { return error_; }
    std::uint64_t size() const override { return size_; }

  private:
    std::FILE* file_;
    bool owned_;
    std::uint64_t size_;
    std::string error_;
};

class SaveFileSink : public ByteSink {
  public:
    explicit SaveFileSink(const std::string& path) : file_(path, fileio::kShortStream) {}
    Expected<Done, fileio::FileFailure> open() { return file_.open(); }
    bool write(std::string_view bytes) override { return kept(file_.write(bytes)); }
    bool commit() override { return kept(file_.commit()); }
    void discard() override { file_.cancel(); }
    std::string error() const override { return error_; }

  private:
    bool kept(const Expected<Done, fileio::FileFailure>& step) {
        if (!step) {
            error_ = step.error().message;
        }
        return step.has_value();
    }

    fileio::AtomicFile file_;
    std::string error_;
};

class StreamByteSink : public ByteSink {
  public:
    StreamByteSink(std::FILE* stream, std::string name, bool owned = false)
        : stream_(stream), name_(std::move(name)), owned_(owned) {}
    ~StreamByteSink() override {
        if (owned_) {
            std::fclose(stream_);
        }
    }
    StreamByteSink(const StreamByteSink&) = delete;
    StreamByteSink& operator=(const StreamByteSink&) = delete;
    bool write(std::string_view bytes) override {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
            error_ = std::strerror(errno);
            return false;
        }
        return true;
    }
    bool commit() override {
        if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
            error_ = std::strerror(errno);
            return false;
        }
        return true;
    }
    void discard() override { std::fflush(stream_); }
    std::string error() const override { return error_; }

  private:
    std::FILE* stream_;
    std::string name_;
    bool owned_;
    std::string error_;
};

} // namespace

Expected<std::unique_ptr<ByteSource>, std::string> OpenSource(const std::string& path,
                                                              bool regularOnly) {
    if (path == "-") {
        return std::unique_ptr<ByteSource>(std::make_unique<FileSource>(stdin, false, 0));
    }
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (code || !std::filesystem::exists(status)) {
        return Fail(std::string("the file does not exist"));
    }
    if (std::filesystem::is_directory(status)) {
        return Fail(std::string("it is a folder"));
    }
    // Opened without waiting, so that a named pipe without a writer cannot hold the caller; what
    // was opened is judged, not what the name pointed to a moment before.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return Fail(std::string(std::strerror(errno)));
    }
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(descriptor);
        return Fail(reason);
    }
    const bool regular = S_ISREG(opened.st_mode);
    if (regularOnly && !regular) {
        ::close(descriptor);
        return Fail(std::string(S_ISFIFO(opened.st_mode)
                                    ? "it is a named pipe, not a regular file"
                                    : "it is not a regular file (a device or a socket)"));
    }
    if (!regular) {
        // A pipe asked for by the user is opened as before: waiting for its writer, so that a
        // writer that comes a moment later is not read as an empty file.
        ::close(descriptor);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            return Fail(std::string(std::strerror(errno)));
        }
        return std::unique_ptr<ByteSource>(std::make_unique<FileSource>(file, true, 0));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        const std::string reason = std::strerror(errno);
        ::close(descriptor);
        return Fail(reason);
    }
    const std::uint64_t size = regular ? static_cast<std::uint64_t>(opened.st_size) : 0;
    return std::unique_ptr<ByteSource>(std::make_unique<FileSource>(file, true, size));
}

Expected<std::unique_ptr<ByteSink>, std::string> CreateFileSink(const std::string& path) {
    std::error_code code;
    const auto target = std::filesystem::status(path, code); // through a link, as QSaveFile goes
    if (std::filesystem::is_directory(target)) {
        return Fail(std::string("it is a folder"));
    }
    // QSaveFile renames its temporary file over the target; over a device such as /dev/null
    // that would replace the device node itself. A device is written to as it is. (A named pipe
    // is not: opening it waits for a reader, which Cancel could not interrupt.)
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISCHR(existing.st_mode)) {
        std::FILE* stream = std::fopen(path.c_str(), "wb");
        if (stream == nullptr) {
            return Fail(std::string(std::strerror(errno)));
        }
        return std::unique_ptr<ByteSink>(std::make_unique<StreamByteSink>(stream, path, true));
    }
    if (std::filesystem::exists(target) && !std::filesystem::is_regular_file(target)) {
        return Fail(std::string("it is not a regular file"));
    }
    auto sink = std::make_unique<SaveFileSink>(path);
    if (const auto opened = sink->open(); !opened) {
        return Fail(opened.error().message);
    }
    return std::unique_ptr<ByteSink>(std::move(sink));
}

std::unique_ptr<ByteSink> StreamSink(std::FILE* stream, std::string name) {
    return std::make_unique<StreamByteSink>(stream, std::move(name));
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code code;
    return std::filesystem::equivalent(a, b, code) && !code;
}

} // namespace hygrovane::cli
