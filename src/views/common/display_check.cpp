#include "views/common/display_check.h"

#include "cli/exit_status.h"

#include <QMessageLogContext>
#include <QString>

#include <cstdlib>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace hygrovane::views {

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

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// One message held back while the application starts.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

QtMessageHandler handlerBeforeStart = nullptr;
std::vector<HeldMessage> heldMessages;

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt's own message is several lines and an abort; the user needs one line and a status.
        const std::string line = "hygrovane: " + UnreachableDisplay(environment) + "\n";
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, line.data(), line.size());
        ::_exit(cli::kExitUsage);
    }
    heldMessages.push_back({type, context.category != nullptr ? context.category : "", text});
}

} // namespace

std::string UnreachableDisplay(const std::function<std::string(const char*)>& env) {
    std::string named;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        std::string value = env(name);
        if (value.empty()) {
            continue;
        }
        for (char& c : value) {
            c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
        }
        named += (named.empty() ? "" : ", ") + std::string(name) + "=\"" + value + "\"";
    }
    if (named.empty()) {
        return "no display available: the window system could not be started";
    }
    return "no display available: the display could not be opened (" + named + ")";
}

DisplayStartGuard::DisplayStartGuard() {
    heldMessages.clear();
    handlerBeforeStart = qInstallMessageHandler(holdOrEnd);
}

void DisplayStartGuard::finish() {
    if (!active_) {
        return;
    }
    active_ = false;
    qInstallMessageHandler(handlerBeforeStart);
    for (const HeldMessage& message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        handlerBeforeStart(message.type, context, message.text);
    }
    heldMessages.clear();
}

Expected<Done, DisplayFailure> CheckDisplay(int argc, const char* const* argv,
                                            const std::function<std::string(const char*)>& env) {
    const std::string platforms = requestedPlatforms(argc, argv, env);
    if (platforms.empty()) {
        if (!env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty()) {
            return Done{};
        }
        return Fail(
            DisplayFailure{DisplayFailureKind::NoneNamed,
                           "no display available: neither DISPLAY nor WAYLAND_DISPLAY is set"});
    }
    std::string_view rest = platforms;
    while (true) {
        const auto end = rest.find(';');
        if (platformUsable(rest.substr(0, end), env)) {
            return Done{};
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return Fail(DisplayFailure{DisplayFailureKind::PlatformUnusable,
                               "no display available for the Qt platform \"" + platforms + "\""});
}

Expected<Done, DisplayFailure> CheckDisplay(int argc, const char* const* argv) {
    return CheckDisplay(argc, argv, environment);
}

} // namespace hygrovane::views
