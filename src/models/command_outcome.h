#pragma once

namespace hygrovane::models {

// What a window model's command did. Refused: it could not be carried out and nothing changed;
// the window showed why (a row that names nothing is refused without a word). Cancelled: the
// user chose not to go on, in a file dialog or at a question; nothing changed.
enum class CommandOutcome { Done, Refused, Cancelled };

// Whether a window may close, after the question about unsaved changes.
enum class Closing { Close, StayOpen };

} // namespace hygrovane::models
