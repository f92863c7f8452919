#include "models/saturation_model.h"

#include "display/number_text.h"
#include "hygrovane/relations.h"
#include "units/quantity.h"

#include <optional>
#include <string_view>

namespace hygrovane::models {

namespace {

using hygrovane::SatFormulation;
using units::Quantity;

constexpr Colour kHeadingColour{255, 224, 192};
constexpr Colour kLoadedLabel1Colour{165, 162, 135}; // 0x0087A2A5 in the platform's BGR form

// The limits lie just inside the range of both formulations, so that the bisections of the
// saturation temperature always find their root inside the bracket.
constexpr double kLowestTemperature = 173.1499; // K; 173.15 itself must pass
constexpr double kHighestTemperature = 473.15;  // K
constexpr double kLowestPressure = 0.0015;      // Pa
constexpr double kHighestPressure = 1555000.0;  // Pa

void showBoth(SaturationModel& form, const std::string& text) {
    form.Text2.text = text;
    form.Text3.text = text;
}

// A saturation pressure in the unit of Combo3: rounded in Pa first, then divided, so that
// every unit shows the Pa value's eight decimals scaled.
std::optional<std::string> pressureText(double pascals, std::string_view unit) {
    if (unit == "Pa") {
        return RoundedText(pascals, 8);
    }
    const auto factor = units::PressureFactor(unit);
    if (!factor) {
        return std::nullopt;
    }
    return NumberText(RoundHalfEven(pascals, 8) / *factor);
}

// A saturation temperature in the unit of Combo2: converted first, then rounded.
std::optional<std::string> temperatureText(double kelvin, std::string_view unit) {
    if (unit == "K") {
        return RoundedText(kelvin, 8);
    }
    if (unit == "C") {
        return RoundedText(kelvin - kCelsiusOffset, 8);
    }
    if (unit == "R") {
        return RoundedText(kelvin * 9 / 5, 8);
    }
    if (unit == "F") {
        return RoundedText((kelvin - kCelsiusOffset) * 1.8 + 32, 8);
    }
    return std::nullopt;
}

// The two formulations' results in the output boxes, as text(value) gives them; none when the
// unit is unknown. An arithmetic fault is not reachable inside the limits: still, never leave a
// stale result on show.
template <typename Text>
void showResults(SaturationModel& form, const Result<double>& iapws, const Result<double>& hw,
                 Text text) {
    if (!iapws || !hw) {
        showBoth(form, "Error");
        return;
    }
    const auto textI = text(*iapws);
    const auto textH = text(*hw);
    if (textI && textH) {
        form.Text2.text = *textI;
        form.Text3.text = *textH;
    }
}

void showSaturationPressure(SaturationModel& form, double x) {
    const double T = units::ToInternal(Quantity::Temperature, form.Combo2.text(), x).value_or(0.0);
    if (T > kHighestTemperature || T < kLowestTemperature) {
        showBoth(form, "Out of Range");
        return;
    }
    const std::string unit = form.Combo3.text();
    showResults(form, SaturationPressureAt(T, SatFormulation::IAPWS),
                SaturationPressureAt(T, SatFormulation::HylandWexler),
                [&unit](double p) { return pressureText(p, unit); });
}

void showSaturationTemperature(SaturationModel& form, double x) {
    const auto factor = units::PressureFactor(form.Combo3.text());
    const double P = factor ? x * *factor : 0.0;
    if (P > kHighestPressure || P < kLowestPressure) {
        showBoth(form, "Out of Range");
        return;
    }
    const std::string unit = form.Combo2.text();
    showResults(form, SaturationTemperatureAt(P, SatFormulation::IAPWS),
                SaturationTemperatureAt(P, SatFormulation::HylandWexler),
                [&unit](double T) { return temperatureText(T, unit); });
}

Label heading(std::string caption, Colour background = kHeadingColour) {
    return Label{std::move(caption), background};
}

ComboBox list(std::vector<std::string> items, int top) {
    ComboBox combo;
    combo.items = std::move(items);
    combo.top = top;
    return combo;
}

TextBox resultBox() {
    TextBox box;
    box.locked = true;
    box.background = colours::kResultOrange;
    return box;
}

} // namespace

SaturationModel::SaturationModel()
    : Label1(heading("  Input")), Label2(heading("  Unit")), Label3(heading("  Output")),
      Label4(heading("Pressure", colours::kMaximumPink)), Label5(heading("  Unit")),
      Label6(heading("  IAPWS", colours::kMinimumGreen)),
      Label7(heading("  Hyland- Wexler", colours::kMinimumGreen)),
      Combo1(list({"Temperature", "Pressure"}, 120)),
      Combo2(list(units::UnitList(Quantity::Temperature), kInputUnitTop)),
      Combo3(list(units::UnitList(Quantity::Pressure), kOutputUnitTop)), Text2(resultBox()),
      Text3(resultBox()) {
    Text1.text = "100";
}

void Form_Load(SaturationModel& form) {
    // Each selection raises the list's click, as a user's pick would.
    form.Combo1.listIndex = 0;
    Combo1_Click(form);
    form.Combo2.listIndex = 0;
    Combo2_Click(form);
    form.Combo3.listIndex = 1;
    Combo3_Click(form);
    form.Label1.background = kLoadedLabel1Colour;
}

void Combo1_Click(SaturationModel& form) {
    const std::string kind = form.Combo1.text();
    if (kind == "Temperature") {
        form.Label4.caption = "Pressure";
        form.Combo2.top = kInputUnitTop;
        form.Combo3.top = kOutputUnitTop;
    } else if (kind == "Pressure") {
        form.Label4.caption = "Temperature";
        form.Combo2.top = kOutputUnitTop;
        form.Combo3.top = kInputUnitTop;
    }
    UpdateSaturation(form);
}

void Combo2_Click(SaturationModel& form) {
    UpdateSaturation(form);
}

void Combo3_Click(SaturationModel& form) {
    UpdateSaturation(form);
}

void Text1_Change(SaturationModel& form) {
    UpdateSaturation(form);
}

void UpdateSaturation(SaturationModel& form) {
    // The numeric test belongs to every recomputation, not only to an edit of the text: a new
    // unit must not turn "abc" into a result computed from 0.
    if (!IsNumeric(form.Text1.text)) {
        showBoth(form, "Error");
        return;
    }
    const double x = ReadNumber(form.Text1.text);
    if (form.Combo1.listIndex == 0) {
        showSaturationPressure(form, x);
    } else if (form.Combo1.listIndex == 1) {
        showSaturationTemperature(form, x);
    }
}

} // namespace hygrovane::models
