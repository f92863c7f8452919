#pragma once

#include <string>
#include <string_view>

namespace hygrovane::textfile {

// A free text as a JSON string literal with its quotes (RFC 8259 escapes), for every JSON writer.
std::string JsonString(std::string_view text);

} // namespace hygrovane::textfile
