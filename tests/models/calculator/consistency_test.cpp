// The eight humidity inputs describe one state, so they must agree: over a grid of states the
// state is computed from the relative humidity, then every other humidity box's shown text is
// typed back as the input, and every output must come back to what was shown, within what half
// a unit in the last shown digit of the typed-back text can change it.
#include "calculate_support.h"

#include "display/display_texts.h"
#include "display/number_text.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "models/calculator/unit_presets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

using calc_test::HumidityBox;
using calc_test::StartedForm;
using calc_test::TypeHumidity;

// Sanitizer builds are about ten times slower: they check every seventh state of the grid.
#if defined(__SANITIZE_ADDRESS__) || defined(HYGROVANE_SANITIZED_TESTS)
constexpr int kStateStride = 7;
#else
constexpr int kStateStride = 1;
#endif

// Pairs that cannot agree to the digit, and why; each pair is checked or skipped for one of these.
enum class Skip {
    None,
    // The saturation pressure reaches the ambient pressure: no state is shown.
    PressureTooLow,
    // The dew point lies below 173.15 K: the box shows "< min", a text that cannot be typed back.
    DewPointBelowRange,
    // The shown value rounds just beyond its own rounded Maximum or Minimum caption (the 32-bit
    // partial pressure of saturated air lies a little above p_ws), so typing it back is
    // rightly rejected.
    BeyondRoundedCaption,
    // The shown value and the captions around it round to the same digits (for example a mole
    // fraction of 1E-08 % shown as "0.0000" between "0" and "0"): the text holds no trace of
    // the state, any state in the row's range shows the same.
    BelowResolution,
};

constexpr std::array<const char*, 5> kSkipNames = {
    "checked", "PressureTooLow", "DewPointBelowRange", "BeyondRoundedCaption", "BelowResolution"};

// Decimals of a shown value, by box: the window's display table for the unit of its list; the
// fractions' picture "#0.0000", the relative humidity's and the molecular weight's fixed
// rounding otherwise.
int ShownDecimals(const AmbientForm& form, int box) {
    const HumidityRow* row = HumidityRowOfBox(box);
    if (row != nullptr && row->percent) {
        return row->input == HumidityInput::RelativeHumidity ? 3 : 4;
    }
    if (box == 13) {
        return 5;
    }
    const int combo = row != nullptr ? row->combo : box;
    const std::optional<int> decimals =
        calculation::DisplayDecimals(MainComboQuantity(combo), form.Combo(combo).text());
    EXPECT_TRUE(decimals) << "Text" << box << " in " << form.Combo(combo).text();
    return decimals.value_or(0);
}

// Minimum and Maximum captions of a humidity box.
std::array<int, 2> RangeLabels(int box) {
    const HumidityRow* row = HumidityRowOfBox(box);
    return {row->minimumLabel, row->maximumLabel};
}

// The humidity options, in the order of the window.
const std::vector<int> kHumidityOptions = [] {
    std::vector<int> options;
    for (const HumidityRow& row : kHumidityRows) {
        options.push_back(row.option);
    }
    return options;
}();
constexpr std::array kOutputBoxes = {3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16};

bool Rejected(const AmbientForm& form) {
    return form.Text12.text == "Error";
}

// The form with option's box typed as text and recalculated.
AmbientForm Typed(const AmbientForm& base, int option, const std::string& text) {
    AmbientForm form = base;
    TypeHumidity(form, option, text);
    Calculate(form);
    return form;
}

// A text that reads as exactly x (up to 15 significant digits).
std::string Exact(double x) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", x);
    return buffer;
}

// A number written so that it reads back as itself.
std::string Text(double x) {
    return RoundedText(x, 6);
}

// The units of a system; the Customized mix turns through every unit of the humidity rows with
// the state number, so that each is met.
AmbientForm StartedIn(UnitSystem system, int stateNumber) {
    AmbientForm form =
        StartedForm(system == UnitSystem::British ? UnitSystem::British : UnitSystem::Metric);
    if (system == UnitSystem::Customized) {
        form.menu_metric.checked = false;
        form.menu_customized.checked = true;
        // Combo1 "R", Combo2 "mm Hg", Combo3 "K", Combo4 "R", Combo10 "mile", and so on.
        const std::array<int, 16> mix = {3, 5, 1,           3, 0, stateNumber, stateNumber, 0,
                                         0, 2, stateNumber, 2, 1, 1,           1,           1};
        for (int n = 1; n <= 16; ++n) {
            ComboBox& combo = form.Combo(n);
            combo.listIndex =
                mix[static_cast<std::size_t>(n - 1)] % static_cast<int>(combo.items.size());
        }
        Calculate(form); // the range captions in the new units
    }
    return form;
}

struct PressureInput {
    int option; // 8 barometric pressure, 9 altitude
    double pascalsOrMetres;
};

constexpr std::array<double, 21> kCelsius = {-100, -90, -80, -70, -60, -50, -40, -30, -20, -10, 0,
                                             10,   20,  30,  40,  50,  60,  70,  80,  90,  100};
constexpr std::array<PressureInput, 8> kPressures = {{{8, 5000},
                                                      {8, 30000},
                                                      {8, 101325},
                                                      {8, 400000},
                                                      {8, 1000000},
                                                      {9, -5000},
                                                      {9, 2000},
                                                      {9, 11000}}};
constexpr std::array<const char*, 8> kRelativeHumidities = {"0",  "0.5", "10",   "35",
                                                            "60", "90",  "99.9", "100"};

double Clamped(double x, const Label& low, const Label& high) {
    return std::clamp(x, ReadNumber(low.caption), ReadNumber(high.caption));
}

// The started form with the ambient inputs typed in the form's units and the relative
// humidity typed as the input.
AmbientForm StateFromRelativeHumidity(AmbientForm form, double celsius,
                                      const PressureInput& pressure, const char* rh) {
    const double kelvin = celsius + 273.15;
    const double inUnit =
        *units::FromInternal(units::Quantity::Temperature, form.Combo1.text(), kelvin);
    form.Text1.text = Text(Clamped(inUnit, form.Label5, form.Label4));
    calc_test::SelectPressureSource(form, pressure.option);
    if (pressure.option == 8) {
        const double factor = *units::PressureFactor(form.Combo2.text());
        form.Text2.text =
            Text(Clamped(pressure.pascalsOrMetres / factor, form.Label7, form.Label6));
    } else {
        const double factor = *units::ToInternal(units::Quantity::Length, form.Combo10.text(), 1);
        form.Text10.text =
            Text(Clamped(pressure.pascalsOrMetres / factor, form.Label9, form.Label8));
    }
    TypeHumidity(form, 2, rh);
    Calculate(form);
    return form;
}

// Tallies of one grid run.
struct Tally {
    int states = 0;
    int pairs = 0;
    std::array<int, kSkipNames.size()> byReason{};
    int comparisons = 0;
    int failures = 0;
    std::string firstFailures;

    void Fail(const std::string& what) {
        if (++failures <= 25) {
            firstFailures += what + "\n";
        }
    }
};

// The number a box shows; "< min" counts as the lowest dew point of its caption.
double Shown(const AmbientForm& form, int box) {
    const std::string& text = form.Text(box).text;
    return text == "< min" ? ReadNumber(form.Label17.caption) : ReadNumber(text);
}

std::string Describe(const AmbientForm& base, int option) {
    return "T=" + base.Text1.text + " " + base.Combo1.text() +
           (base.Option8.value ? " P=" + base.Text2.text + " " + base.Combo2.text()
                               : " Z=" + base.Text10.text + " " + base.Combo10.text()) +
           " RH=" + base.Text4.text + (base.menu_IAPWS.checked ? " IAPWS" : " HW") +
           " typed back: Text" + std::to_string(HumidityBox(option)) + "=\"" +
           base.Text(HumidityBox(option)).text + "\"";
}

// The ends of the humidity range at the base's temperature and pressure.
struct RangeEnds {
    AmbientForm dry;
    AmbientForm saturated;
};

// Types back the shown text of option's box and compares every output with the base state.
Skip CheckPair(const AmbientForm& base, const RangeEnds& ends, int option, Tally& tally) {
    const int box = HumidityBox(option);
    const std::string shown = base.Text(box).text;
    if (shown == "< min") {
        return Skip::DewPointBelowRange;
    }
    const std::array<int, 2> labels = RangeLabels(box);
    const double low = ReadNumber(base.Labels(labels[0]).caption);
    const double high = ReadNumber(base.Labels(labels[1]).caption);
    const double value = ReadNumber(shown);
    const AmbientForm back = Typed(base, option, shown);
    if (value < low || value > high) {
        if (!Rejected(back)) {
            tally.Fail(Describe(base, option) + ": accepted beyond its caption");
        }
        return Skip::BeyondRoundedCaption;
    }
    if (Rejected(back)) {
        tally.Fail(Describe(base, option) + ": its own shown value is rejected");
        return Skip::None;
    }
    // The state lies somewhere within half a unit of the last shown digit, inside the range.
    const double half = 0.5 * std::pow(10.0, -ShownDecimals(base, box));
    const double from = std::max(value - half, low);
    const double to = std::min(value + half, high);
    if (low == high) {
        return Skip::BelowResolution;
    }
    // Where that half unit reaches beyond a rounded caption, the state may lie beyond the
    // caption too, up to the end of the range (dry or saturated air), where no typed value of
    // this box can go; the outputs there bound the outputs beyond the caption.
    std::vector<const AmbientForm*> bounds;
    const AmbientForm atFrom = Typed(base, option, Exact(from));
    const AmbientForm atTo = Typed(base, option, Exact(to));
    bounds.push_back(&atFrom);
    bounds.push_back(&atTo);
    if (value - half < low) {
        bounds.push_back(&ends.dry);
    }
    if (value + half > high) {
        bounds.push_back(&ends.saturated);
    }
    for (int output : kOutputBoxes) {
        if (output == box) {
            continue;
        }
        ++tally.comparisons;
        if (back.Text(output).text == base.Text(output).text) {
            continue;
        }
        // What the uncertainty of the typed text can move the output by (the outputs are
        // monotonic in the input), plus the rounding of the two shown texts compared.
        const double got = Shown(back, output);
        double spread = 0;
        for (const AmbientForm* bound : bounds) {
            spread = std::max(spread, std::fabs(Shown(*bound, output) - got));
        }
        const double tolerance = spread + 2 * std::pow(10.0, -ShownDecimals(base, output));
        const double expected = Shown(base, output);
        if (!(std::fabs(got - expected) <= tolerance)) {
            tally.Fail(Describe(base, option) + ": Text" + std::to_string(output) + " shows \"" +
                       back.Text(output).text + "\", expected \"" + base.Text(output).text +
                       "\" within " + Exact(tolerance));
        }
    }
    return Skip::None;
}

struct GridCase {
    const char* name;
    UnitSystem system;
    bool iapws;
};

class HumidityInputsAgree : public ::testing::TestWithParam<GridCase> {};

TEST_P(HumidityInputsAgree, OverTheWholeGrid) {
    const GridCase& grid = GetParam();
    Tally tally;
    int stateNumber = 0;
    for (double celsius : kCelsius) {
        for (const PressureInput& pressure : kPressures) {
            for (const char* rh : kRelativeHumidities) {
                if (stateNumber++ % kStateStride != 0) {
                    continue;
                }
                AmbientForm started = StartedIn(grid.system, stateNumber);
                started.menu_IAPWS.checked = grid.iapws;
                started.menu_HW.checked = !grid.iapws;
                const AmbientForm base = StateFromRelativeHumidity(started, celsius, pressure, rh);
                ++tally.states;
                if (base.List1.items.size() > 1 &&
                    base.List1.items[1] == "The partial pressure of water vapor") {
                    tally.byReason[static_cast<std::size_t>(Skip::PressureTooLow)] +=
                        static_cast<int>(kHumidityOptions.size()) - 1;
                    tally.pairs += static_cast<int>(kHumidityOptions.size()) - 1;
                    continue;
                }
                if (Rejected(base)) {
                    tally.Fail(Describe(base, 2) + ": the state itself fails");
                    continue;
                }
                const RangeEnds ends{Typed(base, 2, "0"), Typed(base, 2, "100")};
                for (int option : kHumidityOptions) {
                    if (option != 2) {
                        ++tally.pairs;
                        const Skip skip = CheckPair(base, ends, option, tally);
                        ++tally.byReason[static_cast<std::size_t>(skip)];
                    }
                }
            }
        }
    }
    std::string summary = std::string(grid.name) + ": " + std::to_string(tally.states) +
                          " states, " + std::to_string(tally.pairs) + " pairs, " +
                          std::to_string(tally.comparisons) + " outputs compared;";
    for (std::size_t reason = 0; reason < kSkipNames.size(); ++reason) {
        summary +=
            " " + std::string(kSkipNames[reason]) + " " + std::to_string(tally.byReason[reason]);
    }
    std::printf("%s\n", summary.c_str());
    EXPECT_EQ(tally.failures, 0) << tally.firstFailures;
}

INSTANTIATE_TEST_SUITE_P(
    Grid, HumidityInputsAgree,
    ::testing::Values(GridCase{"Metric_IAPWS", UnitSystem::Metric, true},
                      GridCase{"Metric_HylandWexler", UnitSystem::Metric, false},
                      GridCase{"British_IAPWS", UnitSystem::British, true},
                      GridCase{"British_HylandWexler", UnitSystem::British, false},
                      GridCase{"Customized_IAPWS", UnitSystem::Customized, true},
                      GridCase{"Customized_HylandWexler", UnitSystem::Customized, false}),
    [](const ::testing::TestParamInfo<GridCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace hygrovane
