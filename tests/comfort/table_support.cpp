#include "table_support.h"

#include <gtest/gtest.h>

namespace hygrovane::comfort::test {

bool IsInchPound(const Json& row) {
    const Json* units = row.find("inputs")->find("units");
    return units && (units->text == "ip" || units->text == "IP");
}

double Celsius(const Json& row, double value) {
    return IsInchPound(row) ? (value - 32.0) / 1.8 : value;
}

double Kelvins(const Json& row, double difference) {
    return IsInchPound(row) ? difference / 1.8 : difference;
}

double Number(const Json& row, const char* part, const char* key, std::size_t i) {
    const Json* f = Field(row, part, key, i);
    EXPECT_TRUE(f && f->type == Json::Type::Number) << part << "." << key;
    return f ? f->number : 0;
}

ThermalInputs InputsOf(const Json& row, std::size_t i, const char* speedKey) {
    const double speed = Number(row, "inputs", speedKey, i);
    return ThermalInputs{.airTemperature = Celsius(row, Number(row, "inputs", "tdb", i)),
                         .meanRadiant = Celsius(row, Number(row, "inputs", "tr", i)),
                         .airSpeed = IsInchPound(row) ? speed * 0.3048 : speed, // ft/s
                         .humidity = Humidity::Relative(Number(row, "inputs", "rh", i)),
                         .metabolic = Number(row, "inputs", "met", i),
                         .clothing = Number(row, "inputs", "clo", i),
                         .externalWork = 0};
}

} // namespace hygrovane::comfort::test
