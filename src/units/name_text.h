#pragma once

#include "text/utf8.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::units {

// What makes a name a user gives (a point of a process set, a point marked on the chart) unfit
// to be shown as one line that cannot be mistaken for another: the processes and the chart share
// these, so that both refuse the same characters.

// The code points of UTF-8 text; none when it is not valid UTF-8 (the text layer's one strictness).
using text::CodePoints;

// C0, DEL and C1 controls (U+0085, the next line, among them), and the line and paragraph
// separators.
bool IsControl(char32_t c);

// Format characters that show nothing or turn the direction of the text around them:
// bidirectional marks, embeddings, overrides and isolates, zero-width spaces and joiners, the
// byte-order mark, and the like.
bool IsInvisible(char32_t c);

// "U+202E".
std::string CodePointText(char32_t c);

} // namespace hygrovane::units
