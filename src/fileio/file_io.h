#pragma once

#include "hygrovane/expected.h"

#include <QSaveFile>

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrovane::fileio {

enum class FileFailureKind {
    Missing,  // the file does not exist
    NotAFile, // a folder, a device or a pipe where a regular file belongs
    TooLarge, // more bytes than the format allows
    System,   // the system refused to open, read, write or rename it (a full disk too)
    Content,  // its bytes are not the format, or what would be written would not read back
};

// Why a file could not be written or read: one sentence that names the file and the reason.
struct FileFailure {
    FileFailureKind kind = FileFailureKind::System;
    std::string message;
};

// The failure "The <what> "<path>" could not be <action>: <reason>."
FileFailure Failed(FileFailureKind kind, std::string_view action, std::string_view what,
                   const std::string& path, const std::string& reason);

// Replaces path with bytes as one complete file, or leaves whatever was there untouched.
// what names the file in the message ("case file", "report").
Expected<Done, FileFailure> WriteWholeFile(const std::string& path, std::string_view bytes,
                                           std::string_view what);

// Reads a whole regular file of at most maxBytes bytes.
Expected<std::string, FileFailure> ReadSmallFile(const std::string& path, std::size_t maxBytes,
                                                 std::string_view what);

// The reason given for a write that stopped short without an error of its own: a whole file
// written at once, and a file written block by block as it is converted.
inline constexpr const char* kShortWholeFile =
    "not all of it could be written (the disk may be full, or a limit on file sizes reached)";
inline constexpr const char* kShortStream = "not all of it could be written (the disk may be full)";

// A file written through QSaveFile: a temporary file renamed over the path by commit(), so that
// an existing file is replaced only by a complete new one. Each step's failure (System) holds the
// reason alone (Qt's words, or shortWrite) as its message, for the caller's sentence. Not for
// devices: the rename would replace the device node itself.
class AtomicFile {
  public:
    AtomicFile(const std::string& path, const char* shortWrite);

    Expected<Done, FileFailure> open();
    Expected<Done, FileFailure> write(std::string_view bytes);
    // Flushes and renames; a failed flush (a full disk) is not let through to the rename.
    Expected<Done, FileFailure> commit();
    // Removes the temporary file; the old file stays as it was.
    void cancel();

  private:
    QSaveFile file_;
    const char* shortWrite_;
};

} // namespace hygrovane::fileio
