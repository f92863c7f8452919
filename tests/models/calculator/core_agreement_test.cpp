// The main window and the moist-air core compute the same air: for the same typed inputs the
// window's state is bit for bit the core's, and a failure is of the same kind on both sides.
#include "calculate_support.h"

#include "display/number_text.h"
#include "hygrovane/moist_air.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "units/quantity.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>

namespace hygrovane {
namespace {

using calc_test::StartedForm;

template <typename T> std::string Bits(const char* name, T x) {
    unsigned long long bits = 0;
    std::memcpy(&bits, &x, sizeof x);
    std::ostringstream out;
    out << name << "=" << std::hex << bits << " ";
    return out.str();
}

// Every field the window keeps, as bits, in one text so that a difference names its field.
std::string WindowState(const AmbientState& s) {
    return Bits("T", s.T) + Bits("P", s.P) + Bits("Z", s.Z) + Bits("p_ws", s.p_ws) +
           Bits("W_s", s.W_s) + Bits("x_ws", s.x_ws) + Bits("rho_ws", s.rho_ws) +
           Bits("M_s", s.M_s) + Bits("w_ws", s.w_ws) + Bits("T_wb_min", s.T_wb_min) +
           Bits("W", s.W) + Bits("phi", s.phi) + Bits("T_d", s.T_d) + Bits("T_wb", s.T_wb) +
           Bits("p_w", s.p_w) + Bits("x_w", s.x_w) + Bits("w_w", s.w_w) + Bits("rho_w", s.rho_w) +
           Bits("M", s.M) + Bits("R", s.R) + Bits("rho", s.rho) + Bits("x_N2", s.x_N2) +
           Bits("x_O2", s.x_O2) + Bits("x_Ar", s.x_Ar) + Bits("x_CO2", s.x_CO2) +
           Bits("w_N2", s.w_N2) + Bits("w_O2", s.w_O2) + Bits("w_Ar", s.w_Ar) +
           Bits("w_CO2", s.w_CO2);
}

std::string CoreState(const MoistAirState& s, double lastDewPoint) {
    const Saturation& sat = s.saturation;
    return Bits("T", s.ambient.dryBulb) + Bits("P", s.ambient.pressure) +
           Bits("Z", s.ambient.altitude) + Bits("p_ws", sat.pressure) +
           Bits("W_s", sat.humidityRatio) + Bits("x_ws", sat.moleFraction) +
           Bits("rho_ws", sat.absoluteHumidity) + Bits("M_s", sat.molecularWeight) +
           Bits("w_ws", sat.massFraction) + Bits("T_wb_min", sat.dryAirWetBulb) +
           Bits("W", s.humidityRatio) + Bits("phi", s.relativeHumidity) +
           Bits("T_d", s.dewPoint.value_or(lastDewPoint)) + Bits("T_wb", s.wetBulb) +
           Bits("p_w", s.partialPressure) + Bits("x_w", s.moleFraction) +
           Bits("w_w", s.massFraction) + Bits("rho_w", s.absoluteHumidity) +
           Bits("M", s.molecularWeight) + Bits("R", s.gasConstant) + Bits("rho", s.density) +
           Bits("x_N2", s.byVolume.N2) + Bits("x_O2", s.byVolume.O2) + Bits("x_Ar", s.byVolume.Ar) +
           Bits("x_CO2", s.byVolume.CO2) + Bits("w_N2", s.byMass.N2) + Bits("w_O2", s.byMass.O2) +
           Bits("w_Ar", s.byMass.Ar) + Bits("w_CO2", s.byMass.CO2);
}

// The failure the window shows: the input whose box is red, or PressureTooLow's yellow.
std::string WindowFailure(const AmbientForm& form) {
    if (form.List1.background == colours::kResultOrange) {
        return "none";
    }
    if (form.Label20.background == colours::kWarningYellow) {
        return "PressureTooLow";
    }
    const auto red = [&](int box) { return form.Text(box).background == colours::kErrorRed; };
    if (red(1)) {
        return "DryBulb";
    }
    if (red(2) || red(10)) {
        return red(2) ? "Pressure" : "Altitude";
    }
    for (const HumidityRow& row : kHumidityRows) {
        if (red(row.box)) {
            return "Humidity " + std::string(row.caption);
        }
    }
    return "ArithmeticFault";
}

std::string CoreFailure(const Result<MoistAirState>& state) {
    if (state.has_value()) {
        return "none";
    }
    const SolveFailure& f = state.error();
    switch (f.kind) {
    case FailureKind::PressureTooLow:
        return "PressureTooLow";
    case FailureKind::ArithmeticFault:
        return "ArithmeticFault";
    case FailureKind::OutOfRange:
        break;
    }
    const char* const fields[] = {"DryBulb", "Pressure", "Altitude"};
    return f.field == InputField::Humidity
               ? "Humidity " + std::string(RowOf(f.humidityInput).caption)
               : fields[static_cast<int>(f.field)];
}

// A number as text with all its digits, as a user might type it.
std::string Typed(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", x);
    return text;
}

// What the window makes of a typed text in a Metric unit.
double Read(units::Quantity quantity, const char* unit, const std::string& text) {
    return *units::ToInternal(quantity, unit, ReadNumber(text));
}

struct Case {
    SatFormulation formulation;
    PressureInput pressureInput;
    std::string temperature; // degC
    std::string pressure;    // kPa or m
    HumidityInput input;
    std::string humidity; // in the Metric unit of the row
};

// True when both computed a state.
bool Compare(const Case& c) {
    const HumidityRow& row = RowOf(c.input);
    AmbientForm form = StartedForm();
    form.menu_IAPWS.checked = c.formulation == SatFormulation::IAPWS;
    form.menu_HW.checked = !form.menu_IAPWS.checked;
    form.Option8.value = c.pressureInput == PressureInput::Barometric;
    form.Option9.value = !form.Option8.value;
    form.Text(RowOf(c.pressureInput).box).text = c.pressure;
    form.Text1.text = c.temperature;
    calc_test::TypeHumidity(form, row.option, c.humidity);
    const double lastDewPoint = form.state.T_d;
    Calculate(form);

    Conditions air;
    air.formulation = c.formulation;
    air.dryBulb = Read(units::Quantity::Temperature, "C", c.temperature);
    air.pressureInput = c.pressureInput;
    air.pressure = Read(units::Quantity::Pressure, "kPa", c.pressure);
    air.altitude = Read(units::Quantity::Length, "m", c.pressure);
    air.humidityInput = c.input;
    air.humidity = Read(MainComboQuantity(row.combo),
                        row.percent ? "%" : form.Combo(row.combo).text().c_str(), c.humidity);
    const Result<MoistAirState> state = Solve(air);

    const std::string what = c.temperature + " C, " + c.pressure + ", " + std::string(row.caption) +
                             " " + c.humidity +
                             (c.formulation == SatFormulation::IAPWS ? " IAPWS" : " HW");
    EXPECT_EQ(WindowFailure(form), CoreFailure(state)) << what;
    if (state.has_value() && form.List1.background == colours::kResultOrange) {
        EXPECT_EQ(WindowState(form.state), CoreState(*state, lastDewPoint)) << what;
        return true;
    }
    return false;
}

// Each humidity input given as the value a reference state has for it, in the row's Metric unit.
std::string HumidityText(const MoistAirState& reference, HumidityInput input) {
    const double value = *ValueOf(reference, input);
    switch (input) {
    case HumidityInput::RelativeHumidity:
    case HumidityInput::MoleFraction:
    case HumidityInput::MassFraction:
        return Typed(value * 100);
    case HumidityInput::DewPoint:
    case HumidityInput::WetBulb:
        return Typed(value - 273.15);
    case HumidityInput::PartialPressure:
        return Typed(value / 1000);
    default:
        return Typed(value);
    }
}

TEST(CoreAgreement, EveryHumidityInputFormulationAndPressureInputBitForBit) {
    int compared = 0;
    for (const auto formulation : {SatFormulation::IAPWS, SatFormulation::HylandWexler}) {
        for (const auto pressureInput : {PressureInput::Barometric, PressureInput::Altitude}) {
            const auto pressures = pressureInput == PressureInput::Barometric
                                       ? std::vector<std::string>{"101.325", "80", "300"}
                                       : std::vector<std::string>{"0", "2000", "-1000"};
            for (const std::string& pressure : pressures) {
                for (const char* temperature : {"-30", "0", "25", "45.5", "80"}) {
                    for (const double rh : {0.02, 0.5, 0.9}) {
                        Conditions air{.dryBulb = ReadNumber(temperature) + 273.15,
                                       .pressureInput = pressureInput,
                                       .pressure = ReadNumber(pressure) * 1000,
                                       .altitude = ReadNumber(pressure),
                                       .humidity = rh,
                                       .formulation = formulation};
                        const Result<MoistAirState> reference = Solve(air);
                        if (!reference.has_value()) {
                            continue; // too hot for the pressure: compared below
                        }
                        for (const HumidityInput input : kHumidityInputs) {
                            compared += Compare({formulation, pressureInput, temperature, pressure,
                                                 input, HumidityText(*reference, input)})
                                            ? 1
                                            : 0;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 1440);
}

TEST(CoreAgreement, FailuresOfTheSameKind) {
    using H = HumidityInput;
    constexpr auto IAPWS = SatFormulation::IAPWS;
    constexpr auto HW = SatFormulation::HylandWexler;
    constexpr auto Bar = PressureInput::Barometric;
    constexpr auto Alt = PressureInput::Altitude;
    const Case cases[] = {
        {IAPWS, Bar, "101", "101.325", H::RelativeHumidity, "50"},
        {IAPWS, Bar, "-100.5", "101.325", H::RelativeHumidity, "50"},
        {HW, Bar, "25", "4", H::RelativeHumidity, "50"},
        {HW, Bar, "25", "1001", H::RelativeHumidity, "50"},
        {IAPWS, Alt, "25", "12000", H::DewPoint, "10"},
        {IAPWS, Bar, "100", "101.325", H::RelativeHumidity, "50"},
        {HW, Alt, "65", "11000", H::WetBulb, "30"},
        {IAPWS, Bar, "25", "101.325", H::RelativeHumidity, "101"},
        {IAPWS, Bar, "25", "101.325", H::HumidityRatio, "0.03"},
        {HW, Bar, "25", "101.325", H::DewPoint, "26"},
        {IAPWS, Bar, "25", "101.325", H::WetBulb, "5"},
        {HW, Bar, "25", "101.325", H::AbsoluteHumidity, "-0.001"},
        {IAPWS, Bar, "25", "101.325", H::PartialPressure, "4"},
        {HW, Bar, "25", "101.325", H::MoleFraction, "5"},
        {IAPWS, Alt, "25", "500", H::MassFraction, "3"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Compare(c)) << c.temperature << " C, " << c.humidity;
    }
}

} // namespace
} // namespace hygrovane
