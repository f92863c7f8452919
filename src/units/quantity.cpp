#include "units/quantity.h"

#include "engine/constants.h"

#include <algorithm>
#include <array>
#include <map>

namespace hygrovane::units {

namespace {

// One direction of a conversion. The forms are kept literally (a multiplication stays a
// multiplication, 5 before 9) because the shown digits depend on the operand order.
enum class Form {
    Same,          // x
    Times,         // x * k
    Over,          // x / k
    CelsiusIn,     // x + 273.15
    CelsiusOut,    // T - 273.15
    FahrenheitIn,  // (x + 459.67) * 5 / 9
    FahrenheitOut, // (T - 273.15) * 1.8 + 32
    RankineIn,     // x * 5 / 9
    RankineOut,    // T * 9 / 5
};

struct Step {
    Form form;
    double k = 0.0;
};

double Apply(Step step, double x) {
    switch (step.form) {
    case Form::Same:
        return x;
    case Form::Times:
        return x * step.k;
    case Form::Over:
        return x / step.k;
    case Form::CelsiusIn:
        return x + engine::kCelsiusOffset;
    case Form::CelsiusOut:
        return x - engine::kCelsiusOffset;
    case Form::FahrenheitIn:
        return (x + kRankineAtZeroFahrenheit) * 5 / 9;
    case Form::FahrenheitOut:
        return (x - engine::kCelsiusOffset) * 1.8 + 32;
    case Form::RankineIn:
        return x * 5 / 9;
    case Form::RankineOut:
        return x * 9 / 5;
    }
    return x;
}

struct Unit {
    Quantity quantity;
    std::string_view name;
    Step in;  // displayed value -> internal unit
    Step out; // internal unit -> displayed value
};

constexpr Step kSame{Form::Same};

// A factor f in internal units per displayed unit: read x * f, shown v / f.
constexpr Unit Factor(Quantity q, std::string_view name, double f) {
    return {q, name, {Form::Times, f}, {Form::Over, f}};
}

// A display scale k: shown v * k, read x / k.
constexpr Unit Scale(Quantity q, std::string_view name, double k) {
    return {q, name, {Form::Over, k}, {Form::Times, k}};
}

constexpr Unit Identity(Quantity q, std::string_view name) {
    return {q, name, kSame, kSame};
}

using Q = Quantity;

// Every unit of every quantity, each quantity's names in list order.
constexpr std::array kUnits = {
    Unit{Q::Temperature, "C", {Form::CelsiusIn}, {Form::CelsiusOut}},
    Unit{Q::Temperature, "K", kSame, kSame},
    Unit{Q::Temperature, "F", {Form::FahrenheitIn}, {Form::FahrenheitOut}},
    Unit{Q::Temperature, "R", {Form::RankineIn}, {Form::RankineOut}},

    Factor(Q::Pressure, "Pa", 1),
    Factor(Q::Pressure, "kPa", 1000),
    Factor(Q::Pressure, "Bar", 100000),
    Factor(Q::Pressure, "mBar", 100),
    Factor(Q::Pressure, "mm H2O", 9.8638),
    Factor(Q::Pressure, "mm Hg", 133.322),
    Factor(Q::Pressure, "Atmosphere", 101325),
    Factor(Q::Pressure, "PSI", 6894.757),

    Factor(Q::Length, "m", 1),
    Factor(Q::Length, "km", 1000),
    Factor(Q::Length, "mile", 1609.34),
    Factor(Q::Length, "ft", 0.3048),

    Identity(Q::HumidityRatio, "(kg moisture)/(kg dry air)"),
    // Read as a multiplication by 0.001, not a division by 1000.
    Unit{Q::HumidityRatio, "(g moisture)/(kg dry air)", {Form::Times, 0.001}, {Form::Times, 1000}},
    Identity(Q::HumidityRatio, "(lb moisture)/(lb dry air)"),

    Identity(Q::AbsoluteHumidity, "(kg moisture)/m^3"),
    Scale(Q::AbsoluteHumidity, "(g moisture)/m^3", 1000),
    Scale(Q::AbsoluteHumidity, "(lb moisture)/ft^3", 0.062427961),

    // Relative humidity is read as a multiplication by 0.01, the two fractions by a division.
    Unit{Q::RelativeHumidity, "%", {Form::Times, 0.01}, {Form::Times, 100}},
    Scale(Q::MoleFraction, "%", 100),
    Scale(Q::MassFraction, "%", 100),

    Factor(Q::SpecificGasConstant, "J/kg-K", 1),
    Factor(Q::SpecificGasConstant, "kJ/kg-K", 1000),
    Factor(Q::SpecificGasConstant, "cal/kg-K", 4.1868),
    Factor(Q::SpecificGasConstant, "kcal/kg-K", 4186.8),
    Factor(Q::SpecificGasConstant, "btu/lb-R", 4186.8),

    Identity(Q::MolecularWeight, "kg/kmol"),
    Identity(Q::MolecularWeight, "lbm/lbmol"),

    Factor(Q::Density, "kg/m^3", 1),
    Factor(Q::Density, "g/cm^3", 1000),
    Factor(Q::Density, "lb/ft^3", 16.01846),

    Identity(Q::SpecificVolume, "m^3/kg (dry air)"),
    Scale(Q::SpecificVolume, "cm^3/g (dry air)", 1000),
    Scale(Q::SpecificVolume, "ft^3/lb (dry air)", 16.01846),

    Identity(Q::SpecificEnthalpy, "kJ/kg (dry air)"),
    Factor(Q::SpecificEnthalpy, "kcal/kg (dry air)", 4.1868),
    Scale(Q::SpecificEnthalpy, "btu/lb (dry air)", 0.42992),
};

const Unit* Find(Quantity quantity, std::string_view name) {
    const auto* it = std::find_if(kUnits.begin(), kUnits.end(), [&](const Unit& unit) {
        return unit.quantity == quantity && unit.name == name;
    });
    return it == kUnits.end() ? nullptr : it;
}

} // namespace

const std::vector<std::string>& UnitList(Quantity quantity) {
    static const auto lists = [] {
        std::map<Quantity, std::vector<std::string>> byQuantity;
        for (const Unit& unit : kUnits) {
            byQuantity[unit.quantity].emplace_back(unit.name);
        }
        return byQuantity;
    }();
    static const std::vector<std::string> none;
    const auto it = lists.find(quantity);
    return it == lists.end() ? none : it->second;
}

std::optional<double> ToInternal(Quantity quantity, std::string_view unit, double value) {
    const Unit* found = Find(quantity, unit);
    if (found == nullptr) {
        return std::nullopt;
    }
    return Apply(found->in, value);
}

std::optional<double> FromInternal(Quantity quantity, std::string_view unit, double value) {
    const Unit* found = Find(quantity, unit);
    if (found == nullptr) {
        return std::nullopt;
    }
    return Apply(found->out, value);
}

std::optional<double> PressureFactor(std::string_view unit) {
    const Unit* found = Find(Quantity::Pressure, unit);
    if (found == nullptr) {
        return std::nullopt;
    }
    return found->in.k;
}

} // namespace hygrovane::units
