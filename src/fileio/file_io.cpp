#include "fileio/file_io.h"

#include <QFile>
#include <QFileInfo>

namespace hygrovane::fileio {

namespace {

QString QtPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

std::string ReasonOf(const QFileDevice& file) {
    return file.errorString().toStdString();
}

// A step of AtomicFile that failed: the reason alone.
Unexpected<FileFailure> StepFailed(std::string reason) {
    return Fail(FileFailure{FileFailureKind::System, std::move(reason)});
}

} // namespace

FileFailure Failed(FileFailureKind kind, std::string_view action, std::string_view what,
                   const std::string& path, const std::string& reason) {
    std::string message;
    message.append("The ").append(what).append(" \"").append(path).append("\" could not be ");
    message.append(action).append(": ").append(reason).append(".");
    return {kind, message};
}

AtomicFile::AtomicFile(const std::string& path, const char* shortWrite)
    : file_(QtPath(path)), shortWrite_(shortWrite) {}

Expected<Done, FileFailure> AtomicFile::open() {
    // Never fall back to truncating the target in place: a failure must leave it whole.
    file_.setDirectWriteFallback(false);
    // Unbuffered, and flushed before commit: commit() would otherwise ignore a failed flush of
    // the write buffer (a full disk) and rename the truncated file over the target.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return StepFailed(ReasonOf(file_));
    }
    return Done{};
}

Expected<Done, FileFailure> AtomicFile::write(std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (file_.write(bytes.data(), size) != size || file_.error() != QFileDevice::NoError) {
        // A short write sets no error of its own.
        return StepFailed(file_.error() != QFileDevice::NoError ? ReasonOf(file_)
                                                                : std::string(shortWrite_));
    }
    return Done{};
}

Expected<Done, FileFailure> AtomicFile::commit() {
    if (!file_.flush() || !file_.commit()) {
        const std::string reason = ReasonOf(file_);
        file_.cancelWriting();
        return StepFailed(reason);
    }
    return Done{};
}

void AtomicFile::cancel() {
    file_.cancelWriting();
}

Expected<Done, FileFailure> WriteWholeFile(const std::string& path, std::string_view bytes,
                                           std::string_view what) {
    const QFileInfo target(QtPath(path));
    // QSaveFile renames its temporary file over the target; over a device such as /dev/full that
    // would replace the device node itself and report success.
    if (target.exists() && !target.isFile()) {
        return Fail(Failed(FileFailureKind::NotAFile, "written", what, path,
                           target.isDir() ? "it is a folder" : "it is not a regular file"));
    }
    AtomicFile file(path, kShortWholeFile);
    Expected<Done, FileFailure> step = file.open();
    if (step) {
        step = file.write(bytes);
        if (step) {
            step = file.commit();
        } else {
            file.cancel();
        }
    }
    if (!step) {
        return Fail(Failed(FileFailureKind::System, "written", what, path, step.error().message));
    }
    return Done{};
}

Expected<std::string, FileFailure> ReadSmallFile(const std::string& path, std::size_t maxBytes,
                                                 std::string_view what) {
    const QFileInfo info(QtPath(path));
    if (!info.exists()) {
        return Fail(
            Failed(FileFailureKind::Missing, "read", what, path, "the file does not exist"));
    }
    if (info.isDir()) {
        return Fail(Failed(FileFailureKind::NotAFile, "read", what, path, "it is a folder"));
    }
    // A device or a pipe could block or never end.
    if (!info.isFile()) {
        return Fail(
            Failed(FileFailureKind::NotAFile, "read", what, path, "it is not a regular file"));
    }
    QFile file(QtPath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(Failed(FileFailureKind::System, "read", what, path, ReasonOf(file)));
    }
    // Read one byte more than allowed, so that a file that grew since is still recognised
    // without reading it all.
    const QByteArray data = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return Fail(Failed(FileFailureKind::System, "read", what, path, ReasonOf(file)));
    }
    if (static_cast<std::size_t>(data.size()) > maxBytes) {
        return Fail(Failed(FileFailureKind::TooLarge, "read", what, path,
                           "it is larger than " + std::to_string(maxBytes / 1024) + " KiB"));
    }
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

} // namespace hygrovane::fileio
