#include "text/utf8.h"

#include <cstddef>

namespace hygrovane::text {

namespace {

enum class Step { Read, Invalid, Cut };

// The code point starting at text[i] into c, its length into length.
Step Decode(std::string_view text, std::size_t i, char32_t& c, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    length = lead < 0x80                   ? 1
             : lead >= 0xC2 && lead < 0xE0 ? 2
             : lead >= 0xE0 && lead < 0xF0 ? 3
             : lead >= 0xF0 && lead < 0xF5 ? 4
                                           : 0;
    if (length == 0) {
        return Step::Invalid;
    }
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= text.size()) {
            return Step::Cut;
        }
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return Step::Invalid;
        }
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return Step::Invalid;
    }
    return Step::Read;
}

} // namespace

std::optional<std::vector<char32_t>> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = 0;
        if (Decode(text, i, c, length) != Step::Read) {
            return std::nullopt;
        }
        points.push_back(c);
        i += length;
    }
    return points;
}

bool IsValidUtf8(std::string_view text, bool cutAtEnd) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = 0;
        switch (Decode(text, i, c, length)) {
        case Step::Read:
            i += length;
            break;
        case Step::Cut:
            return cutAtEnd;
        case Step::Invalid:
            return false;
        }
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80) {
            utf8.push_back(byte);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

} // namespace hygrovane::text
