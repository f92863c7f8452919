#include "display/number_text.h"
#include "hygrovane/relations.h"
#include "models/year_model.h"
#include "text/number_text.h"
#include "units/quantity.h"

namespace hygrovane::models {

namespace {

using airunit::UnitSettings;

// The file's own units pass through untouched, so that 24 °C stays 24 and not 24 + 273.15 -
// 273.15; other units go through the main window's conversions.
constexpr const char* kCelsius = "C";
constexpr const char* kKilojoules = "kJ/kg (dry air)";

struct Reader {
    const std::string& temperatureUnit;
    const std::string& enthalpyUnit;
    std::string failure;

    std::optional<double> number(const std::string& text, const char* name) {
        if (!failure.empty()) {
            return std::nullopt;
        }
        if (!IsNumeric(text)) {
            failure = "The " + std::string(name) + " \"" + text + "\" is not a number.";
            return std::nullopt;
        }
        return ReadNumber(text);
    }
    std::optional<double> celsius(const std::string& text, const char* name) {
        const auto value = number(text, name);
        if (!value || temperatureUnit == kCelsius) {
            return value;
        }
        const auto kelvin =
            units::ToInternal(units::Quantity::Temperature, temperatureUnit, *value);
        if (!kelvin) {
            failure = "The temperature unit \"" + temperatureUnit + "\" is unknown.";
            return std::nullopt;
        }
        return *kelvin - kCelsiusOffset;
    }
    std::optional<double> enthalpy(const std::string& text, const char* name) {
        const auto value = number(text, name);
        if (!value || enthalpyUnit == kKilojoules) {
            return value;
        }
        const auto kj = units::ToInternal(units::Quantity::SpecificEnthalpy, enthalpyUnit, *value);
        if (!kj) {
            failure = "The enthalpy unit \"" + enthalpyUnit + "\" is unknown.";
        }
        return kj;
    }
};

std::string Shown(double value) {
    return text::ShortestText(value);
}

} // namespace

Expected<UnitSettings, std::string> ReadUnitForm(const UnitForm& form,
                                                 const std::string& temperatureUnit,
                                                 const std::string& enthalpyUnit) {
    Reader read{temperatureUnit, enthalpyUnit, {}};
    UnitSettings s;
    const bool byRh = form.roomHumidityKind == airunit::RoomHumidity::RelativeHumidity;
    const auto room = read.celsius(form.roomDryBulb, "room dry bulb");
    const auto humidity = byRh ? read.number(form.roomHumidity, "room relative humidity")
                               : read.celsius(form.roomHumidity, "room dew point");
    const auto supply = read.celsius(form.supplyDryBulb, "supply dry bulb");
    std::optional<double> maxDew, minDew;
    if (!form.maxDewPoint.empty()) {
        maxDew = read.celsius(form.maxDewPoint, "maximum supply dew point");
    }
    if (!form.minDewPoint.empty()) {
        minDew = read.celsius(form.minDewPoint, "minimum supply dew point");
    }
    const auto flow = read.number(form.flow, "air flow");
    const auto fraction = read.number(form.minOutdoorFraction, "minimum outdoor-air fraction");
    std::optional<double> limit = 0.0;
    if (form.economizer == airunit::EconomizerKind::FixedDryBulb) {
        limit = read.celsius(form.economizerLimit, "economizer limit");
    } else if (form.economizer == airunit::EconomizerKind::FixedEnthalpy) {
        limit = read.enthalpy(form.economizerLimit, "economizer limit");
    }
    std::optional<double> sensible = 0.0, latent = 0.0;
    if (form.recovery) {
        sensible = read.number(form.sensible, "sensible effectiveness");
        latent = read.number(form.latent, "latent effectiveness");
    }
    const auto coil = read.number(form.coilLeavingRelativeHumidity, "coil leaving humidity");
    const auto steam = read.celsius(form.steamTemperature, "steam temperature");
    if (!read.failure.empty()) {
        return Fail(read.failure);
    }
    s.roomDryBulb = *room;
    s.roomHumidityKind = form.roomHumidityKind;
    s.roomHumidity = *humidity;
    s.supplyDryBulb = *supply;
    s.maxDewPoint = maxDew;
    s.minDewPoint = minDew;
    s.flow = *flow;
    s.flowUnit = form.flowUnit;
    s.minOutdoorFraction = *fraction;
    s.economizer = form.economizer;
    s.economizerLimit = *limit;
    if (form.recovery) {
        s.recovery = airunit::Recovery{*sensible, *latent};
    }
    s.coilLeavingRelativeHumidity = *coil;
    s.steamTemperature = *steam;
    if (auto checked = airunit::Check(s); !checked) {
        return Fail("The unit is refused: " + airunit::Describe(checked.error()));
    }
    return s;
}

UnitForm FormOfUnit(const UnitSettings& s, const std::string& temperatureUnit,
                    const std::string& enthalpyUnit) {
    const auto t = [&](double celsius) {
        if (temperatureUnit == kCelsius) {
            return Shown(celsius);
        }
        const auto v = units::FromInternal(units::Quantity::Temperature, temperatureUnit,
                                           celsius + kCelsiusOffset);
        return v ? Shown(*v) : std::string();
    };
    UnitForm f;
    f.roomDryBulb = t(s.roomDryBulb);
    f.roomHumidityKind = s.roomHumidityKind;
    f.roomHumidity = s.roomHumidityKind == airunit::RoomHumidity::RelativeHumidity
                         ? Shown(s.roomHumidity)
                         : t(s.roomHumidity);
    f.supplyDryBulb = t(s.supplyDryBulb);
    f.maxDewPoint = s.maxDewPoint ? t(*s.maxDewPoint) : std::string();
    f.minDewPoint = s.minDewPoint ? t(*s.minDewPoint) : std::string();
    f.flow = Shown(s.flow);
    f.flowUnit = s.flowUnit;
    f.minOutdoorFraction = Shown(s.minOutdoorFraction);
    f.economizer = s.economizer;
    if (s.economizer == airunit::EconomizerKind::FixedDryBulb) {
        f.economizerLimit = t(s.economizerLimit);
    } else if (s.economizer == airunit::EconomizerKind::FixedEnthalpy) {
        const auto v = enthalpyUnit == kKilojoules
                           ? std::optional<double>(s.economizerLimit)
                           : units::FromInternal(units::Quantity::SpecificEnthalpy, enthalpyUnit,
                                                 s.economizerLimit);
        f.economizerLimit = v ? Shown(*v) : std::string();
    }
    f.recovery = s.recovery.has_value();
    f.sensible = Shown(s.recovery ? s.recovery->sensible : 0.75);
    f.latent = Shown(s.recovery ? s.recovery->latent : 0.0);
    f.coilLeavingRelativeHumidity = Shown(s.coilLeavingRelativeHumidity);
    f.steamTemperature = t(s.steamTemperature);
    return f;
}

} // namespace hygrovane::models
