#pragma once

#include "casefile/case_file.h"
#include "fileio/file_io.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrovane::casefile {

// The file routines of fileio, in the FileResult the case file and the report still return.

// The failure "The <what> "<path>" could not be <action>: <reason>."
FileResult FileFailure(std::string_view action, std::string_view what, const std::string& path,
                       const std::string& reason);

// Replaces path with bytes as one complete file, or leaves whatever was there untouched.
FileResult WriteWholeFile(const std::string& path, std::string_view bytes, std::string_view what);

// Reads a whole regular file of at most maxBytes bytes into bytes.
FileResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string_view what);

} // namespace hygrovane::casefile
