#pragma once

#include "batch/conversion.h"

#include <string>
#include <string_view>
#include <vector>

// The computed cells of a row and the texts around them, shared by the plan and the converter.
namespace hygrovane::batch {

inline constexpr std::string_view kPressureTooLow =
    "The partial pressure of water vapor exceeds the ambient pressure.";

// "Relative Humidity out of allowable range (0 to 100 %)".
std::string RangeText(std::string_view name, const std::string& minimum, const std::string& maximum,
                      const std::string& unit);

// The computed columns of the settings, each with its unit.
struct ColumnHead {
    std::string name;
    std::string unit;
};
std::vector<ColumnHead> ComputedColumns(const Settings& settings);
std::size_t ComputedCount(const Settings& settings);

// The computed cells, each after a separator: as the main window shows them (derived: the
// altitude or pressure text of the row's ambient), or with every digit of their doubles.
void AppendWindowCells(std::string& out, const Plan& plan, const MoistAirState& state,
                       const std::string& derived);
void AppendFullCells(std::string& out, const Plan& plan, const MoistAirState& state);

} // namespace hygrovane::batch
