#include "climate/weather_data.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace hygrovane::climate {

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// Names, units and missing codes of the EPW data dictionary (EnergyPlus Auxiliary Programs,
// Weather Converter Program, fields N6-N34). The illuminances are missing from 999900, as its
// notes say; the present weather observation is a flag (9: not observed) with no missing code.
constexpr FieldInfo kFields[kFieldCount] = {
    {"Dry Bulb Temperature", "C", 99.9},
    {"Dew Point Temperature", "C", 99.9},
    {"Relative Humidity", "%", 999},
    {"Atmospheric Station Pressure", "Pa", 999999},
    {"Extraterrestrial Horizontal Radiation", "Wh/m2", 9999},
    {"Extraterrestrial Direct Normal Radiation", "Wh/m2", 9999},
    {"Horizontal Infrared Radiation Intensity", "Wh/m2", 9999},
    {"Global Horizontal Radiation", "Wh/m2", 9999},
    {"Direct Normal Radiation", "Wh/m2", 9999},
    {"Diffuse Horizontal Radiation", "Wh/m2", 9999},
    {"Global Horizontal Illuminance", "lux", 999900},
    {"Direct Normal Illuminance", "lux", 999900},
    {"Diffuse Horizontal Illuminance", "lux", 999900},
    {"Zenith Luminance", "Cd/m2", 9999},
    {"Wind Direction", "degrees", 999},
    {"Wind Speed", "m/s", 999},
    {"Total Sky Cover", "tenths", 99},
    {"Opaque Sky Cover", "tenths", 99},
    {"Visibility", "km", 9999},
    {"Ceiling Height", "m", 99999},
    {"Present Weather Observation", "", kNone},
    {"Precipitable Water", "mm", 999},
    {"Aerosol Optical Depth", "thousandths", 0.999},
    {"Snow Depth", "cm", 999},
    {"Days Since Last Snowfall", "days", 99},
    {"Albedo", "", 999},
    {"Liquid Precipitation Depth", "mm", 999},
    {"Liquid Precipitation Quantity", "hr", 99},
};

std::string Folded(const std::string& name) {
    std::string folded;
    for (const char c : name) {
        if (c != ' ' && c != '-' && c != '_') {
            folded.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return folded;
}

} // namespace

const FieldInfo& InfoOf(Field field) {
    return kFields[static_cast<std::size_t>(field)];
}

std::optional<Field> FieldNamed(const std::string& name) {
    const std::string wanted = Folded(name);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (Folded(kFields[i].name) == wanted) {
            return static_cast<Field>(i);
        }
    }
    return std::nullopt;
}

std::optional<double> HourRecord::Value(Field field) const {
    const double value = values[static_cast<std::size_t>(field)];
    if (std::isnan(value)) {
        return std::nullopt;
    }
    return value;
}

double RecordHours(const WeatherData& data, std::size_t index) {
    if (index < data.recordHours.size()) {
        return data.recordHours[index];
    }
    return 1.0 / static_cast<double>(std::max(data.header.recordsPerHour, 1));
}

} // namespace hygrovane::climate
