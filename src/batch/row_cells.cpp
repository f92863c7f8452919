#include "batch/row_cells.h"

#include "display/display_texts.h"
#include "display/number_text.h"
#include "text/number_text.h"
#include "units/quantity.h"

#include <algorithm>
#include <charconv>

namespace hygrovane::batch {

namespace {

using calculation::AbsoluteHumidityOutputText;
using calculation::DensityText;
using calculation::DewPointText;
using calculation::EnthalpyText;
using calculation::HumidityRatioText;
using calculation::PartialPressureText;
using calculation::SpecificVolumeText;
using calculation::TemperatureText;
using units::Quantity;

// A text of the window, with its decimal point as the file writes it.
void AppendText(std::string& out, std::string_view text, char decimal) {
    const std::size_t start = out.size();
    out += text;
    if (decimal != '.') {
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '.', decimal);
    }
}

void AppendNumber(std::string& out, double value, char decimal) {
    const std::size_t start = out.size();
    AppendShortest(out, value);
    if (decimal != '.') {
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '.', decimal);
    }
}

double Shown(Quantity quantity, const std::string& unit, double value) {
    return units::FromInternal(quantity, unit, value).value_or(value);
}

} // namespace

std::string RangeText(std::string_view name, const std::string& minimum, const std::string& maximum,
                      const std::string& unit) {
    std::string text(name);
    text.append(" out of allowable range (").append(minimum).append(" to ").append(maximum);
    if (unit != kFractionUnit) {
        text.append(" ").append(unit);
    }
    return text + ")";
}

std::vector<ColumnHead> ComputedColumns(const Settings& settings) {
    const OutputUnits& u = settings.units;
    const bool altitudeGiven = settings.mapping.pressureInput == PressureInput::Altitude;
    std::vector<ColumnHead> columns{
        {"Relative Humidity", "%"},
        {"Humidity Ratio", u.humidityRatio},
        {"Absolute Humidity", u.absoluteHumidity},
        {"Dew Point Temperature", u.dewPoint},
        {"Wet Bulb Temperature", u.wetBulb},
        {"Partial Pressure of Water in Air", u.partialPressure},
        {"Water Mole Fraction in Air", "%"},
        {"Water Mass Fraction in Air", "%"},
        altitudeGiven ? ColumnHead{"Barometric Pressure", u.pressure}
                      : ColumnHead{"Altitude above Sea Level", u.altitude},
        {"Density", u.density},
        {"Specific Volume", u.specificVolume},
        {"Specific Enthalpy", u.enthalpy},
    };
    if (settings.composition) {
        for (const char* basis : {"by Volume", "by Mass"}) {
            for (const char* species : {"N2", "O2", "Ar", "CO2", "H2O"}) {
                columns.push_back({std::string(species) + " " + basis, "%"});
            }
        }
    }
    return columns;
}

std::size_t ComputedCount(const Settings& settings) {
    return kOutputCount + (settings.composition ? 10 : 0);
}

void AppendShortest(std::string& out, double value) {
    text::AppendShortestText(out, value);
}

// The computed cells as the main window shows them.
void AppendWindowCells(std::string& out, const Plan& plan, const MoistAirState& s,
                       const std::string& derived) {
    const Settings& settings = plan.settings();
    const OutputUnits& u = settings.units;
    const char sep = plan.shape().separator;
    const char decimal = plan.outputDecimal();
    const std::string separator(1, decimal);
    const auto text = [&](const std::optional<std::string>& t) {
        out += sep;
        AppendText(out, t.value_or(""), decimal);
    };
    text(RoundedText(s.relativeHumidity * 100, 3));
    text(HumidityRatioText(s.humidityRatio, u.humidityRatio));
    text(AbsoluteHumidityOutputText(s.absoluteHumidity, u.absoluteHumidity));
    text(s.dewPoint ? DewPointText(*s.dewPoint, u.dewPoint) : "< min");
    text(TemperatureText(s.wetBulb, u.wetBulb));
    text(PartialPressureText(s.partialPressure, u.partialPressure));
    text(PictureText(s.moleFraction * 100, "#0.0000", separator));
    text(PictureText(s.massFraction * 100, "#0.0000", separator));
    text(derived);
    text(DensityText(s.density, u.density));
    text(SpecificVolumeText(s.specificVolume, u.specificVolume));
    text(EnthalpyText(s.enthalpy, u.enthalpy));
    if (settings.composition) {
        // The pictures of the window's composition table; argon's shares in 32 bits.
        const Composition& x = s.byVolume;
        const Composition& w = s.byMass;
        const bool moleWide = x.H2O >= 0.1;
        const bool massWide = moleWide && w.H2O >= 0.1;
        text(PictureText(x.N2 * 100, "00.0000", separator));
        text(PictureText(x.O2 * 100, "00.0000", separator));
        text(PictureText(100.0F * x.Ar, "0.0000", separator));
        text(PictureText(x.CO2 * 100, "0.0000", separator));
        text(PictureText(x.H2O * 100, moleWide ? "##.0000" : "0.0000", separator));
        text(PictureText(w.N2 * 100, "00.0000", separator));
        text(PictureText(w.O2 * 100, "00.0000", separator));
        text(PictureText(100.0F * w.Ar, "0.0000", separator));
        text(PictureText(w.CO2 * 100, "0.0000", separator));
        text(PictureText(w.H2O * 100, massWide ? "##.0000" : "#0.0000", separator));
    }
}

// The computed cells with every digit of their doubles.
void AppendFullCells(std::string& out, const Plan& plan, const MoistAirState& s) {
    const Settings& settings = plan.settings();
    const OutputUnits& u = settings.units;
    const char sep = plan.shape().separator;
    const auto number = [&](double value) {
        out += sep;
        AppendNumber(out, value, plan.outputDecimal());
    };
    number(s.relativeHumidity * 100);
    number(Shown(Quantity::HumidityRatio, u.humidityRatio, s.humidityRatio));
    number(Shown(Quantity::AbsoluteHumidity, u.absoluteHumidity, s.absoluteHumidity));
    if (s.dewPoint) {
        number(Shown(Quantity::Temperature, u.dewPoint, *s.dewPoint));
    } else {
        out += sep;
    }
    number(Shown(Quantity::Temperature, u.wetBulb, s.wetBulb));
    number(Shown(Quantity::Pressure, u.partialPressure, s.partialPressure));
    number(s.moleFraction * 100);
    number(s.massFraction * 100);
    if (settings.mapping.pressureInput == PressureInput::Altitude) {
        number(Shown(Quantity::Pressure, u.pressure, s.ambient.pressure));
    } else {
        number(Shown(Quantity::Length, u.altitude, s.ambient.altitude));
    }
    number(Shown(Quantity::Density, u.density, s.density));
    number(Shown(Quantity::SpecificVolume, u.specificVolume, s.specificVolume));
    number(Shown(Quantity::SpecificEnthalpy, u.enthalpy, s.enthalpy));
    if (settings.composition) {
        for (const Composition* c : {&s.byVolume, &s.byMass}) {
            number(c->N2 * 100);
            number(c->O2 * 100);
            number(static_cast<double>(c->Ar) * 100);
            number(c->CO2 * 100);
            number(c->H2O * 100);
        }
    }
}

} // namespace hygrovane::batch
