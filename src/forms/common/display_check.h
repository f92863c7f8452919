#pragma once

#include <functional>
#include <optional>
#include <string>

namespace hygrovane::forms {

// Why no window can be shown, or nothing when a display (or a display-less Qt platform such as
// "offscreen") is available. Looks at QT_QPA_PLATFORM, a "-platform" argument, DISPLAY and
// WAYLAND_DISPLAY, so that the program can say so instead of letting Qt abort.
std::optional<std::string> MissingDisplay(int argc, const char* const* argv);

// The same with the environment supplied by the caller (a variable that is unset reads as empty).
std::optional<std::string> MissingDisplay(int argc, const char* const* argv,
                                          const std::function<std::string(const char*)>& env);

} // namespace hygrovane::forms
