#pragma once

namespace hygrovane::forms {

// What a window model's command did. Refused: it could not be carried out and nothing changed;
// the window showed why (a row that names nothing is refused without a word). Cancelled: the
// user chose not to go on, in a file dialog or at a question; nothing changed.
enum class CommandOutcome { Done, Refused, Cancelled };

} // namespace hygrovane::forms
