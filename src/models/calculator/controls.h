#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hygrovane {

// A colour of a control: an RGB triple, or the platform's window colour that the view resolves.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool platformWindow = false;

    friend bool operator==(const Colour&, const Colour&) = default;
};

namespace colours {
inline constexpr Colour kPlatformWindow{0, 0, 0, true};
inline constexpr Colour kErrorRed{255, 0, 0};
inline constexpr Colour kDerivedCyan{0, 255, 255};
inline constexpr Colour kWarningYellow{255, 255, 0};
inline constexpr Colour kMaximumPink{255, 128, 128};
inline constexpr Colour kMinimumGreen{129, 177, 162};
inline constexpr Colour kResultOrange{255, 192, 128};
inline constexpr Colour kWindowBackground{216, 219, 204};
inline constexpr Colour kButtonYellow{252, 224, 131};
} // namespace colours

struct TextBox {
    std::string text;
    bool locked = false;
    Colour background = colours::kPlatformWindow;
    double fontSize = 9.0;
    // Asks the view to give the box the keyboard focus with its whole text selected; the view
    // clears it once done.
    bool focusRequested = false;
};

struct Label {
    std::string caption;
    Colour background = colours::kWindowBackground;
};

// A drop-down list that accepts only its items.
struct ComboBox {
    std::vector<std::string> items;
    int listIndex = -1; // -1: nothing selected, the text is empty
    bool visible = true;
    int top = 0; // twips; only the saturation window moves its lists

    std::string text() const {
        return listIndex >= 0 && listIndex < static_cast<int>(items.size()) ? items[listIndex]
                                                                            : std::string();
    }
};

struct OptionButton {
    std::string caption;
    bool value = false;
};

struct MenuItem {
    std::string caption;
    bool checked = false;
    bool enabled = true;
};

struct ListBox {
    std::vector<std::string> items;
    Colour background = colours::kResultOrange;
};

} // namespace hygrovane
