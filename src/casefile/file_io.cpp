#include "casefile/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace hygrovane::casefile {

namespace {

QString qtPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

std::string reasonOf(const QFileDevice& file) {
    return file.errorString().toStdString();
}

} // namespace

FileResult FileFailure(std::string_view action, std::string_view what, const std::string& path,
                       const std::string& reason) {
    std::string message;
    message.append("The ").append(what).append(" \"").append(path).append("\" could not be ");
    message.append(action).append(": ").append(reason).append(".");
    return {false, message};
}

FileResult WriteWholeFile(const std::string& path, std::string_view bytes, std::string_view what) {
    const QFileInfo target(qtPath(path));
    // QSaveFile renames its temporary file over the target; over a device such as /dev/full that
    // would replace the device node itself and report success.
    if (target.exists() && !target.isFile()) {
        return FileFailure("written", what, path,
                           target.isDir() ? "it is a folder" : "it is not a regular file");
    }
    QSaveFile file(qtPath(path));
    // Never fall back to truncating the target in place: a failure must leave it whole.
    file.setDirectWriteFallback(false);
    // Unbuffered, and flushed before commit: commit() would otherwise ignore a failed flush of
    // the write buffer (a full disk) and rename the truncated file over the target.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return FileFailure("written", what, path, reasonOf(file));
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        // A short write sets no error of its own.
        const std::string reason =
            file.error() != QFileDevice::NoError
                ? reasonOf(file)
                : "not all of it could be written (the disk may be full, or a limit on file "
                  "sizes reached)";
        file.cancelWriting();
        return FileFailure("written", what, path, reason);
    }
    if (!file.commit()) {
        return FileFailure("written", what, path, reasonOf(file));
    }
    return {};
}

FileResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string_view what) {
    const QFileInfo info(qtPath(path));
    if (!info.exists()) {
        return FileFailure("read", what, path, "the file does not exist");
    }
    if (info.isDir()) {
        return FileFailure("read", what, path, "it is a folder");
    }
    // A device or a pipe could block or never end.
    if (!info.isFile()) {
        return FileFailure("read", what, path, "it is not a regular file");
    }
    QFile file(qtPath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return FileFailure("read", what, path, reasonOf(file));
    }
    // Read one byte more than allowed, so that a file that grew since is still recognised
    // without reading it all.
    const QByteArray data = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return FileFailure("read", what, path, reasonOf(file));
    }
    if (static_cast<std::size_t>(data.size()) > maxBytes) {
        return FileFailure("read", what, path,
                           "it is larger than " + std::to_string(maxBytes / 1024) + " KiB");
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return {};
}

} // namespace hygrovane::casefile
