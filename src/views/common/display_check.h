#pragma once

#include "hygrovane/expected.h"

#include <functional>
#include <string>

namespace hygrovane::views {

enum class DisplayFailureKind {
    NoneNamed,        // no Qt platform asked for, and neither DISPLAY nor WAYLAND_DISPLAY set
    PlatformUnusable, // no Qt platform asked for has what it needs
};

// Why no window can be shown: the reason, for "hygrovane: <reason>".
struct DisplayFailure {
    DisplayFailureKind kind = DisplayFailureKind::NoneNamed;
    std::string message;
};

// Refuses when no display (nor a display-less Qt platform such as "offscreen") is available.
// Looks at QT_QPA_PLATFORM, a "-platform" argument, DISPLAY and WAYLAND_DISPLAY, so that the
// program can say so instead of letting Qt abort.
Expected<Done, DisplayFailure> CheckDisplay(int argc, const char* const* argv);

// The same with the environment supplied by the caller (a variable that is unset reads as empty).
Expected<Done, DisplayFailure> CheckDisplay(int argc, const char* const* argv,
                                            const std::function<std::string(const char*)>& env);

// The reason given when a display is named but Qt could open none: the variables that name one,
// on one line (control characters shown as "?").
std::string UnreachableDisplay(const std::function<std::string(const char*)>& env);

// Guards the start of QApplication: while it is active, Qt's messages are held back, and a fatal
// one (no display could be opened) prints the one line "hygrovane: " UnreachableDisplay and ends
// the process with status 1 instead of Qt's abort. finish() (or the end of the guard) restores the
// message handler and passes the held messages on to it. One guard at a time.
class DisplayStartGuard {
  public:
    DisplayStartGuard();
    ~DisplayStartGuard() { finish(); }
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
    void finish();

  private:
    bool active_ = true;
};

} // namespace hygrovane::views
