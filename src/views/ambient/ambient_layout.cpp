#include "views/ambient/ambient_layout.h"

#include "hygrovane/config.h"
#include "models/calculator/humidity_rows.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hygrovane::views::ambient_layout {

namespace {

constexpr int kValueX = 4560;
constexpr int kValueWidth = 1000;
constexpr int kBoxHeight = 375;
constexpr int kMinimumX = 5640;
constexpr int kMaximumX = 6720;
constexpr int kRangeWidth = 915;
constexpr int kUnitRight = 4500;  // every unit list of the upper table ends here
constexpr int kComboHeight = 315; // a drop-down list's height at 8.25 pt
constexpr int kCaptionHeight = 255;
constexpr int kCaptionDrop = 60; // captions stand a little lower than the boxes of their row

// One row of the upper table: the caption is a label (Label2) or an option button.
struct UpperRow {
    int y;
    int captionLabel;
    int option;
    int frame;
    int text;
    int combo;
    int comboX;
    int minimum;
    int maximum;
};

// Where the rows stand: the top of each row and the left end of its unit list, for the pressure
// rows and the humidity rows in the order of their tables (which is the order on the window).
constexpr int kTemperatureTop = 480;
constexpr std::array<std::pair<int, int>, kPressureRows.size()> kPressurePlaces{
    {{1020, 3180}, {1420, 3240}}};
constexpr int kHumidityTop = 2070;
constexpr int kHumidityPitch = 400;
constexpr std::array<int, kHumidityRows.size()> kHumidityComboX{3240, 1920, 2400, 3240,
                                                                3240, 3180, 3240, 3240};

std::vector<UpperRow> upperRows() {
    std::vector<UpperRow> rows{{kTemperatureTop, 2, 0, 0, 1, 1, 3240, 5, 4}};
    for (std::size_t i = 0; i < kPressureRows.size(); ++i) {
        const PressureRow& row = kPressureRows[i];
        rows.push_back({kPressurePlaces[i].first, 0, row.option, 2, row.box, row.combo,
                        kPressurePlaces[i].second, row.minimumLabel, row.maximumLabel});
    }
    for (std::size_t i = 0; i < kHumidityRows.size(); ++i) {
        const HumidityRow& row = kHumidityRows[i];
        rows.push_back({kHumidityTop + kHumidityPitch * static_cast<int>(i), 0, row.option, 1,
                        row.box, row.combo, kHumidityComboX[i], row.minimumLabel,
                        row.maximumLabel});
    }
    return rows;
}

// The output-only rows below the table: caption (in Frame3), value box and unit list.
struct LowerRow {
    int y;
    int caption;
    int text;
    int combo;
};

constexpr LowerRow kLowerRows[] = {
    {5800, 29, 12, 12}, {6250, 32, 13, 13}, {6700, 30, 14, 14},
    {7150, 31, 15, 15}, {7600, 33, 16, 16},
};

std::vector<Place> buildPlaces() {
    std::vector<Place> places{
        {Kind::Frame, 2, {165, 800, 7470, 975}, 9.75},
        {Kind::Frame, 1, {165, 1845, 7470, 3450}, 9.75},
        {Kind::Frame, 3, {165, 5500, 4335, 2520}, 9.75},
        {Kind::Line, 1, {120, 360, 7560, 0}},
        {Kind::Line, 2, {120, 5385, 7560, 0}},
        {Kind::Line, 3, {120, 360, 0, 5025}},
        {Kind::Line, 4, {7680, 360, 0, 5025}},
        {Kind::Label, 26, {240, 120, 1200, kCaptionHeight}},
        {Kind::Label, 27, {1680, 120, kUnitRight - 1680, kCaptionHeight}, 9.0, 0, true},
        {Kind::Label, 28, {kValueX, 120, kValueWidth, kCaptionHeight}, 9.0, 0, true},
        {Kind::Label, 1, {kMinimumX, 120, kRangeWidth, kCaptionHeight}, 9.0, 0, true},
        {Kind::Label, 3, {kMaximumX, 120, kRangeWidth, kCaptionHeight}, 9.0, 0, true},
    };
    for (const UpperRow& row : upperRows()) {
        if (row.captionLabel != 0) {
            places.push_back({Kind::Label,
                              row.captionLabel,
                              {240, row.y + kCaptionDrop, row.comboX - 300, kCaptionHeight}});
        } else {
            places.push_back({Kind::Option,
                              row.option,
                              {360, row.y + kCaptionDrop, row.comboX - 360 - 20, kCaptionHeight},
                              9.0,
                              row.frame});
        }
        places.push_back({Kind::Combo,
                          row.combo,
                          {row.comboX, row.y + (kBoxHeight - kComboHeight) / 2,
                           kUnitRight - row.comboX, kComboHeight},
                          8.25});
        places.push_back({Kind::Text, row.text, {kValueX, row.y, kValueWidth, kBoxHeight}});
        places.push_back(
            {Kind::Label, row.minimum, {kMinimumX, row.y, kRangeWidth, kBoxHeight}, 9.0, 0, true});
        places.push_back(
            {Kind::Label, row.maximum, {kMaximumX, row.y, kRangeWidth, kBoxHeight}, 9.0, 0, true});
    }
    for (const LowerRow& row : kLowerRows) {
        places.push_back(
            {Kind::Label, row.caption, {225, row.y + kCaptionDrop, 1800, kCaptionHeight}, 9.0, 3});
        places.push_back({Kind::Text, row.text, {2010, row.y, 800, kBoxHeight}});
        places.push_back({Kind::Combo,
                          row.combo,
                          {2850, row.y + (kBoxHeight - kComboHeight) / 2, 1620, kComboHeight},
                          8.25});
    }
    places.push_back({Kind::List, 1, {4550, 5505, 3150, 2535}});
    places.push_back({Kind::Button, 1, {165, 8030, 7545, 495}, 12.0});
    return places;
}

} // namespace

const std::vector<Place>& Places() {
    static const std::vector<Place> places = buildPlaces();
    return places;
}

std::string ControlName(Kind kind, int number) {
    const char* prefix = "";
    switch (kind) {
    case Kind::Frame:
        prefix = "Frame";
        break;
    case Kind::Line:
        prefix = "Line";
        break;
    case Kind::Label:
        prefix = "Label";
        break;
    case Kind::Option:
        prefix = "Option";
        break;
    case Kind::Text:
        prefix = "Text";
        break;
    case Kind::Combo:
        prefix = "Combo";
        break;
    case Kind::List:
        prefix = "List";
        break;
    case Kind::Button:
        prefix = "Command";
        break;
    }
    return prefix + std::to_string(number);
}

std::string FrameCaption(int frameNumber) {
    switch (frameNumber) {
    case 1:
        return "Humidity Parameters";
    case 2:
        return "Pressure";
    case 3:
        return "Other Properties";
    default:
        return {};
    }
}

const std::vector<MenuEntry>& Menus() {
    static const std::vector<MenuEntry> menus{
        {"menu_file", "&File", ""},
        {"menu_open", "&Open", "menu_file", "Ctrl+O"},
        {"menu_save", "&Save", "menu_file", "Ctrl+S", false, true},
        {"menu_saveas", "Save &As", "menu_file", "Ctrl+A"},
        {"menu_report", "&Report", "menu_file", "Ctrl+R", false, true},
        {"menu_batch", "&Batch Convert...", "menu_file", "", false, true},
        {"exit_menu", "Exit", "menu_file", "Ctrl+X", false, true},
        {"menu_options", "O&ption", ""},
        {"menu_calc_sat", "Method of Calculating Saturation Condition", "menu_options"},
        {"menu_IAPWS", "IAPWS (International Association for the Properties of Water and Steam)",
         "menu_calc_sat", "", true},
        {"menu_HW", "Hyland-Wexler Formulation (Recommended by ASHRAE)", "menu_calc_sat", "", true,
         true},
        {"menu_system", "System of Units", "menu_options", "", false, true},
        {"menu_metric", "Metric", "menu_system", "", true},
        {"menu_british", "British", "menu_system", "", true, true},
        {"menu_customized", "Customized", "menu_system", "", true, true},
        {"menu_convertor", "Unit Convertor", "menu_options", "", false, true},
        {"menu_sat", "Saturation Condition of Water", "menu_options", "", false, true},
        {"menu_view", "&View", ""},
        {"menu_chart", "Psychrometric &Chart", "menu_view", "Ctrl+G"},
        {"menu_processes", "Air-Conditioning &Processes", "menu_view", "", false, true},
        {"Help_menu", "&Help", ""},
        {"help_index_menu", std::string(config::kApplicationTitle) + " User's Guide", "Help_menu",
         "F1"},
        {"abou_menu", std::string("About ") + config::kApplicationTitle, "Help_menu", "", false,
         true},
    };
    return menus;
}

bool IsSubmenu(const MenuEntry& entry) {
    const std::string name = entry.name;
    return std::any_of(Menus().begin(), Menus().end(),
                       [&](const MenuEntry& other) { return name == other.parent; });
}

} // namespace hygrovane::views::ambient_layout
