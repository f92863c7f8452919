#pragma once

#include "hygrovane/moist_air_state.h"
#include "units/quantity.h"

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::calculation {

// The texts of shown values, each in the unit named by a unit list's text. A unit text that
// matches no listed name gives no text, and the caller leaves its box or caption as it was.

// Pressure in Pa by the pressure display table (Pa 0 decimals, kPa 3, Bar 5, ...).
std::optional<std::string> PressureText(double pa, std::string_view unit);
// The partial pressure of water: as PressureText, with "kPa" and "mBar" divided in 32 bits.
std::optional<std::string> PartialPressureText(float p_w, std::string_view unit);

// A temperature in K, 3 decimals ("F" as (T - 273.15) x 1.8 + 32).
std::optional<std::string> TemperatureText(double kelvin, std::string_view unit);
// The 32-bit ambient temperature; its Rankine value is rounded to 32 bits first.
std::optional<std::string> AmbientTemperatureText(float T, std::string_view unit);
// The limits of the ambient temperature ("F" as T x 9 / 5 - 459.67).
std::optional<std::string> TemperatureLimitText(double kelvin, std::string_view unit);
// A dew point: the value rounded to whole thousandths, written without further rounding.
std::optional<std::string> DewPointText(double T_d, std::string_view unit);

std::optional<std::string> HumidityRatioText(double W, std::string_view unit);
std::optional<std::string> AbsoluteHumidityText(double rho, std::string_view unit);
// The 32-bit absolute humidity; "(g moisture)/m^3" is formed in 32 bits.
std::optional<std::string> AbsoluteHumidityOutputText(float rho_w, std::string_view unit);

// The derived altitude (m 3 decimals, km and mile 6, ft 3) and the altitude limits (3 for all).
std::optional<std::string> AltitudeText(double z, std::string_view unit);
std::optional<std::string> AltitudeLimitText(double z, std::string_view unit);

std::optional<std::string> GasConstantText(double R, std::string_view unit);
std::optional<std::string> DensityText(double rho, std::string_view unit);
std::optional<std::string> SpecificVolumeText(double v, std::string_view unit);
std::optional<std::string> EnthalpyText(double h, std::string_view unit);

// The Minimum and Maximum captions of a humidity quantity in a unit, as the main window shows
// them at a dry bulb and its saturated air: "0" and "100" where they are fixed, otherwise the
// limits' texts (none where the unit names no unit).
struct LimitCaptions {
    std::optional<std::string> minimum;
    std::optional<std::string> maximum;
};
LimitCaptions HumidityLimitCaptions(HumidityInput input, std::string_view unit, float dryBulb,
                                    const Saturation& saturation);

// The decimals a value of a quantity is shown with in a unit, by the tables above (a pressure as
// PressureText, a length as AltitudeText); none for a unit that no table lists.
std::optional<int> DisplayDecimals(units::Quantity quantity, std::string_view unit);

// Writes text into target when there is one.
inline void Show(std::string& target, const std::optional<std::string>& text) {
    if (text) {
        target = *text;
    }
}

} // namespace hygrovane::calculation
