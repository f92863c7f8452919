#include "forms/common/display_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace hygrovane::forms {
namespace {

TEST(MissingDisplay, TellsWhenNoWindowCanBeShown) {
    using Env = std::map<std::string, std::string>;
    struct Row {
        const char* name;
        Env env;
        std::vector<const char*> args;
        bool missing;
    };
    const Row rows[] = {
        {"nothing set", {}, {}, true},
        {"X display", {{"DISPLAY", ":0"}}, {}, false},
        {"Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, false},
        {"offscreen needs no display", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, false},
        {"offscreen with options", {{"QT_QPA_PLATFORM", "offscreen:size=800x600"}}, {}, false},
        {"xcb without DISPLAY", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, {}, true},
        {"wayland without its display",
         {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}},
         {},
         true},
        {"fallback finds xcb", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, {}, false},
        {"argument wins", {{"QT_QPA_PLATFORM", "xcb"}}, {"-platform", "offscreen"}, false}};
    for (const Row& row : rows) {
        std::vector<const char*> argv{"hygrovane"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const auto env = [&](const char* name) {
            const auto found = row.env.find(name);
            return found == row.env.end() ? std::string() : found->second;
        };
        EXPECT_EQ(MissingDisplay(static_cast<int>(argv.size()), argv.data(), env).has_value(),
                  row.missing)
            << row.name;
    }
}

} // namespace
} // namespace hygrovane::forms
