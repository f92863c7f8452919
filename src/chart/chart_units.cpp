#include "chart/chart_units.h"

#include "text/number_text.h"

#include "hygrovane/relations.h"
#include "units/quantity.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace hygrovane::chart {

namespace {

using units::Quantity;

// The catalogue's conversion of a unit as a factor and an offset.
Scale CatalogueScale(Quantity quantity, std::string_view unit, std::string symbol, int decimals) {
    const double atZero = units::FromInternal(quantity, unit, 0).value_or(0);
    const double atOne = units::FromInternal(quantity, unit, 1).value_or(1);
    return {std::move(symbol), atOne - atZero, atZero, decimals};
}

// 0 °F in °C.
constexpr double kFahrenheitZero = -160.0 / 9.0;

// The enthalpy from a datum at t0 (°C): the dry-air term 1.006 t counted from t0 instead of 0 °C.
// The water part keeps its datum (liquid water at 0 °C), as on the charts engineers use.
Scale EnthalpyScale(std::string_view unit, std::string symbol, double datumCelsius) {
    Scale scale = CatalogueScale(Quantity::SpecificEnthalpy, unit, std::move(symbol), 1);
    const double shift = -kDryAirSpecificHeat * datumCelsius; // kJ/kg
    scale.offset += shift * scale.factor;
    return scale;
}

// Ranges in internal units.
constexpr ChartRange kMetricRange{263.15, 323.15, 0, 0.030};
// 20 to 120 °F, 0 to 200 grains/lb.
constexpr ChartRange kBritishRange{(20 + 459.67) * 5 / 9.0, (120 + 459.67) * 5 / 9.0, 0,
                                   200 / 7000.0};

struct Named {
    std::string_view unit;
    const char* symbol;
    LineSteps steps; // of the dry bulb and the wet bulb; of the quantity for the others
    int decimals;
};

constexpr std::array<Named, 4> kTemperatures{{{"C", "°C", {1, 5}, 1},
                                              {"K", "K", {1, 5}, 1},
                                              {"F", "°F", {1, 10}, 1},
                                              {"R", "°R", {1, 10}, 1}}};
constexpr std::array<Named, 3> kHumidityRatios{
    {{"(kg moisture)/(kg dry air)", "kg/kg", {0.0005, 0.002}, 5},
     {"(g moisture)/(kg dry air)", "g/kg", {0.5, 2}, 2},
     {"(lb moisture)/(lb dry air)", "lb/lb", {0.0005, 0.002}, 5}}};
constexpr std::array<Named, 3> kVolumes{{{"m^3/kg (dry air)", "m³/kg", {0.01, 0.05}, 3},
                                         {"cm^3/g (dry air)", "cm³/g", {10, 50}, 0},
                                         {"ft^3/lb (dry air)", "ft³/lb", {0.5, 0.5}, 2}}};
constexpr std::array<Named, 3> kEnthalpies{{{"kJ/kg (dry air)", "kJ/kg", {2, 10}, 1},
                                            {"kcal/kg (dry air)", "kcal/kg", {0.5, 2}, 1},
                                            {"btu/lb (dry air)", "Btu/lb", {0.5, 5}, 1}}};

template <std::size_t N>
const Named* Find(const std::array<Named, N>& table, std::string_view unit) {
    for (const Named& row : table) {
        if (row.unit == unit) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

ChartUnits MetricUnits() {
    return *CustomizedUnits("C", "(g moisture)/(kg dry air)", "m^3/kg (dry air)",
                            "kJ/kg (dry air)");
}

ChartUnits BritishUnits() {
    ChartUnits u = *CustomizedUnits("F", "(lb moisture)/(lb dry air)", "ft^3/lb (dry air)",
                                    "btu/lb (dry air)");
    u.humidityRatio = {"grains/lb", 7000, 0, 1};
    u.humidityRatioSteps = {5, 20};
    return u;
}

std::optional<ChartUnits> CustomizedUnits(std::string_view temperature,
                                          std::string_view humidityRatio,
                                          std::string_view specificVolume,
                                          std::string_view enthalpy) {
    const Named* t = Find(kTemperatures, temperature);
    const Named* w = Find(kHumidityRatios, humidityRatio);
    const Named* v = Find(kVolumes, specificVolume);
    const Named* h = Find(kEnthalpies, enthalpy);
    if (t == nullptr || w == nullptr || v == nullptr || h == nullptr) {
        return std::nullopt;
    }
    const bool fahrenheit = t->unit == "F" || t->unit == "R";
    const bool btu = h->unit == "btu/lb (dry air)";
    ChartUnits u;
    u.dryBulb = CatalogueScale(Quantity::Temperature, t->unit, t->symbol, t->decimals);
    u.humidityRatio = CatalogueScale(Quantity::HumidityRatio, w->unit, w->symbol, w->decimals);
    u.specificVolume = CatalogueScale(Quantity::SpecificVolume, v->unit, v->symbol, v->decimals);
    u.enthalpy = EnthalpyScale(h->unit, h->symbol, btu ? kFahrenheitZero : 0);
    u.dryBulbSteps = t->steps;
    u.wetBulbSteps = t->steps; // labelled as the dry bulbs are
    u.humidityRatioSteps = w->steps;
    u.enthalpySteps = h->steps;
    u.specificVolumeSteps = v->steps;
    u.datum = btu ? "0 °F" : "0 °C";
    u.defaultRange = fahrenheit ? kBritishRange : kMetricRange;
    return u;
}

std::string FixedText(double x, int decimals) {
    // A value that rounds to zero is written without its sign.
    return text::FixedTextUnsignedZero(x, decimals);
}

} // namespace hygrovane::chart
