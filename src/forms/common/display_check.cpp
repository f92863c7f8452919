#include "forms/common/display_check.h"

#include <cstdlib>
#include <string_view>

namespace hygrovane::forms {

namespace {

// The platform plugins asked for: the "-platform" argument wins over QT_QPA_PLATFORM, which may
// list several separated by ";" (tried in turn).
std::string requestedPlatforms(int argc, const char* const* argv,
                               const std::function<std::string(const char*)>& env) {
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform") {
            return argv[i + 1];
        }
    }
    return env("QT_QPA_PLATFORM");
}

bool platformUsable(std::string_view name, const std::function<std::string(const char*)>& env) {
    // A plugin may carry options after a colon ("offscreen:size=..."), ignore them.
    name = name.substr(0, name.find(':'));
    if (name == "xcb") {
        return !env("DISPLAY").empty();
    }
    if (name.starts_with("wayland")) {
        return !env("WAYLAND_DISPLAY").empty();
    }
    return !name.empty(); // offscreen, minimal, vnc, eglfs, linuxfb... need no display server
}

} // namespace

std::optional<std::string> MissingDisplay(int argc, const char* const* argv,
                                          const std::function<std::string(const char*)>& env) {
    const std::string platforms = requestedPlatforms(argc, argv, env);
    if (platforms.empty()) {
        if (!env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty()) {
            return std::nullopt;
        }
        return "no display available: neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    std::string_view rest = platforms;
    while (true) {
        const auto end = rest.find(';');
        if (platformUsable(rest.substr(0, end), env)) {
            return std::nullopt;
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return "no display available for the Qt platform \"" + platforms + "\"";
}

std::optional<std::string> MissingDisplay(int argc, const char* const* argv) {
    return MissingDisplay(argc, argv, [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    });
}

} // namespace hygrovane::forms
