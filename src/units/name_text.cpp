#include "units/name_text.h"

#include <cstdio>

namespace hygrovane::units {

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// Unicode's category Cf where it shows nothing or turns the direction of the text: soft hyphen,
// Arabic letter mark, Mongolian vowel separator, zero-width space, joiners and direction marks,
// embeddings and overrides, word joiner and invisible operators, isolates, byte-order mark,
// annotation marks, musical format, tags.
bool IsInvisible(char32_t c) {
    return c == 0xAD || c == 0x61C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x2066 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) ||
           (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE007F);
}

std::string CodePointText(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

} // namespace hygrovane::units
