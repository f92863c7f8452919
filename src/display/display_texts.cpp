#include "display/display_texts.h"

#include "display/number_text.h"
#include "hygrovane/relations.h"
#include "units/quantity.h"

#include <array>
#include <span>

namespace hygrovane::calculation {

namespace {

using units::Quantity;

struct UnitDigits {
    std::string_view unit;
    int decimals;
};

constexpr std::array<UnitDigits, 8> kPressureDigits{{{"Pa", 0},
                                                     {"kPa", 3},
                                                     {"Bar", 5},
                                                     {"mBar", 2},
                                                     {"mm H2O", 1},
                                                     {"mm Hg", 3},
                                                     {"Atmosphere", 5},
                                                     {"PSI", 4}}};
constexpr std::array<UnitDigits, 4> kTemperatureDigits{{{"C", 3}, {"K", 3}, {"F", 3}, {"R", 3}}};
constexpr std::array<UnitDigits, 3> kHumidityRatioDigits{{{"(kg moisture)/(kg dry air)", 7},
                                                          {"(g moisture)/(kg dry air)", 4},
                                                          {"(lb moisture)/(lb dry air)", 7}}};
constexpr std::array<UnitDigits, 3> kAbsoluteHumidityDigits{
    {{"(kg moisture)/m^3", 6}, {"(g moisture)/m^3", 3}, {"(lb moisture)/ft^3", 6}}};
constexpr std::array<UnitDigits, 4> kAltitudeDigits{{{"m", 3}, {"km", 6}, {"mile", 6}, {"ft", 3}}};
constexpr std::array<UnitDigits, 4> kAltitudeLimitDigits{
    {{"m", 3}, {"km", 3}, {"mile", 3}, {"ft", 3}}};
constexpr std::array<UnitDigits, 5> kGasConstantDigits{
    {{"kJ/kg-K", 6}, {"J/kg-K", 3}, {"cal/kg-K", 3}, {"kcal/kg-K", 6}, {"btu/lb-R", 6}}};
constexpr std::array<UnitDigits, 3> kDensityDigits{{{"kg/m^3", 4}, {"g/cm^3", 7}, {"lb/ft^3", 5}}};
constexpr std::array<UnitDigits, 3> kSpecificVolumeDigits{
    {{"m^3/kg (dry air)", 5}, {"cm^3/g (dry air)", 2}, {"ft^3/lb (dry air)", 5}}};
constexpr std::array<UnitDigits, 3> kEnthalpyDigits{
    {{"kJ/kg (dry air)", 5}, {"kcal/kg (dry air)", 5}, {"btu/lb (dry air)", 5}}};

// The value converted by the unit catalogue, rounded to the decimals this window uses.
std::optional<std::string> CatalogueText(Quantity quantity, std::string_view unit, double value,
                                         std::span<const UnitDigits> digits) {
    for (const UnitDigits& row : digits) {
        if (row.unit == unit) {
            const std::optional<double> shown = units::FromInternal(quantity, unit, value);
            if (!shown) {
                return std::nullopt;
            }
            return RoundedText(*shown, row.decimals);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> DisplayDecimals(Quantity quantity, std::string_view unit) {
    std::span<const UnitDigits> digits;
    switch (quantity) {
    case Quantity::Pressure:
        digits = kPressureDigits;
        break;
    case Quantity::Temperature:
        digits = kTemperatureDigits;
        break;
    case Quantity::HumidityRatio:
        digits = kHumidityRatioDigits;
        break;
    case Quantity::AbsoluteHumidity:
        digits = kAbsoluteHumidityDigits;
        break;
    case Quantity::Length:
        digits = kAltitudeDigits;
        break;
    case Quantity::SpecificGasConstant:
        digits = kGasConstantDigits;
        break;
    case Quantity::Density:
        digits = kDensityDigits;
        break;
    case Quantity::SpecificVolume:
        digits = kSpecificVolumeDigits;
        break;
    case Quantity::SpecificEnthalpy:
        digits = kEnthalpyDigits;
        break;
    default:
        break;
    }
    for (const UnitDigits& row : digits) {
        if (row.unit == unit) {
            return row.decimals;
        }
    }
    return std::nullopt;
}

std::optional<std::string> PressureText(double pa, std::string_view unit) {
    return CatalogueText(Quantity::Pressure, unit, pa, kPressureDigits);
}

std::optional<std::string> PartialPressureText(float p_w, std::string_view unit) {
    if (unit == "kPa") {
        return RoundedText(p_w / 1000.0F, 3);
    }
    if (unit == "mBar") {
        return RoundedText(p_w / 100.0F, 2);
    }
    return PressureText(p_w, unit);
}

std::optional<std::string> TemperatureText(double kelvin, std::string_view unit) {
    return CatalogueText(Quantity::Temperature, unit, kelvin, kTemperatureDigits);
}

std::optional<std::string> AmbientTemperatureText(float T, std::string_view unit) {
    if (unit == "R") {
        return RoundedText(static_cast<float>(static_cast<double>(T) * 9 / 5), 3);
    }
    return TemperatureText(T, unit);
}

std::optional<std::string> TemperatureLimitText(double kelvin, std::string_view unit) {
    if (unit == "F") {
        return RoundedText(kelvin * 9 / 5 - units::kRankineAtZeroFahrenheit, 3);
    }
    return TemperatureText(kelvin, unit);
}

std::optional<std::string> DewPointText(double T_d, std::string_view unit) {
    double thousandths = 0;
    if (unit == "K") {
        thousandths = T_d * 1000;
    } else if (unit == "C") {
        thousandths = (T_d - kCelsiusOffset) * 1000;
    } else if (unit == "R") {
        thousandths = ((T_d * 1000) * 9) / 5;
    } else if (unit == "F") {
        thousandths = (((T_d - kCelsiusOffset) * 1.8) + 32) * 1000;
    } else {
        return std::nullopt;
    }
    return NumberText(RoundHalfEven(thousandths, 0) * 0.001);
}

std::optional<std::string> HumidityRatioText(double W, std::string_view unit) {
    return CatalogueText(Quantity::HumidityRatio, unit, W, kHumidityRatioDigits);
}

std::optional<std::string> AbsoluteHumidityText(double rho, std::string_view unit) {
    return CatalogueText(Quantity::AbsoluteHumidity, unit, rho, kAbsoluteHumidityDigits);
}

std::optional<std::string> AbsoluteHumidityOutputText(float rho_w, std::string_view unit) {
    if (unit == "(g moisture)/m^3") {
        return RoundedText(rho_w * 1000.0F, 3);
    }
    return AbsoluteHumidityText(rho_w, unit);
}

std::optional<std::string> AltitudeText(double z, std::string_view unit) {
    return CatalogueText(Quantity::Length, unit, z, kAltitudeDigits);
}

std::optional<std::string> AltitudeLimitText(double z, std::string_view unit) {
    return CatalogueText(Quantity::Length, unit, z, kAltitudeLimitDigits);
}

std::optional<std::string> GasConstantText(double R, std::string_view unit) {
    return CatalogueText(Quantity::SpecificGasConstant, unit, R, kGasConstantDigits);
}

std::optional<std::string> DensityText(double rho, std::string_view unit) {
    return CatalogueText(Quantity::Density, unit, rho, kDensityDigits);
}

std::optional<std::string> SpecificVolumeText(double v, std::string_view unit) {
    return CatalogueText(Quantity::SpecificVolume, unit, v, kSpecificVolumeDigits);
}

std::optional<std::string> EnthalpyText(double h, std::string_view unit) {
    return CatalogueText(Quantity::SpecificEnthalpy, unit, h, kEnthalpyDigits);
}

LimitCaptions HumidityLimitCaptions(HumidityInput input, std::string_view unit, float dryBulb,
                                    const Saturation& s) {
    switch (input) {
    case HumidityInput::RelativeHumidity:
        return {"0", "100"};
    case HumidityInput::HumidityRatio:
        return {"0", HumidityRatioText(s.humidityRatio, unit)};
    case HumidityInput::AbsoluteHumidity:
        return {"0", AbsoluteHumidityText(s.absoluteHumidity, unit)};
    case HumidityInput::DewPoint:
        return {TemperatureText(kLowestDewPoint, unit), AmbientTemperatureText(dryBulb, unit)};
    case HumidityInput::WetBulb:
        return {TemperatureText(s.dryAirWetBulb, unit), AmbientTemperatureText(dryBulb, unit)};
    case HumidityInput::PartialPressure:
        return {"0", PressureText(s.pressure, unit)};
    case HumidityInput::MoleFraction:
        return {"0", RoundedText(s.moleFraction * 100, 4)};
    case HumidityInput::MassFraction:
        return {"0", RoundedText(s.massFraction * 100, 4)};
    }
    return {};
}

} // namespace hygrovane::calculation
