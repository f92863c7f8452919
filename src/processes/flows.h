#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace hygrovane::processes {

// The units of an air flow. A volume flow is measured at the entering state of its process; a
// mass flow is of dry air. Upstream takes the dry-air flow of the process that made the
// entering point.
enum class FlowUnit {
    CubicMetresPerHour,
    CubicMetresPerSecond,
    LitresPerSecond,
    CubicFeetPerMinute,
    KilogramsPerSecond,
    PoundsPerHour,
    Upstream,
};

enum class HeatUnit { Kilowatt, BtuPerHour, TonOfRefrigeration };
enum class WaterUnit { KilogramsPerHour, PoundsPerHour };

inline constexpr std::array<FlowUnit, 7> kFlowUnits = {FlowUnit::CubicMetresPerHour,
                                                       FlowUnit::CubicMetresPerSecond,
                                                       FlowUnit::LitresPerSecond,
                                                       FlowUnit::CubicFeetPerMinute,
                                                       FlowUnit::KilogramsPerSecond,
                                                       FlowUnit::PoundsPerHour,
                                                       FlowUnit::Upstream};
inline constexpr std::array<HeatUnit, 3> kHeatUnits = {HeatUnit::Kilowatt, HeatUnit::BtuPerHour,
                                                       HeatUnit::TonOfRefrigeration};
inline constexpr std::array<WaterUnit, 2> kWaterUnits = {WaterUnit::KilogramsPerHour,
                                                         WaterUnit::PoundsPerHour};

// An air flow as the user gave it; value is ignored for Upstream.
struct AirFlow {
    FlowUnit unit = FlowUnit::Upstream;
    double value = 0;

    friend bool operator==(const AirFlow&, const AirFlow&) = default;
};

// The units a set shows its flows and loads in; flow is the unit new processes start with.
struct LoadUnits {
    FlowUnit flow = FlowUnit::CubicMetresPerHour;
    HeatUnit heat = HeatUnit::Kilowatt;
    WaterUnit water = WaterUnit::KilogramsPerHour;

    friend bool operator==(const LoadUnits&, const LoadUnits&) = default;
};

// The texts of the units, as the windows list them and the files store them.
std::string_view NameOf(FlowUnit unit);
std::string_view NameOf(HeatUnit unit);
std::string_view NameOf(WaterUnit unit);
std::optional<FlowUnit> FlowUnitNamed(std::string_view name);
std::optional<HeatUnit> HeatUnitNamed(std::string_view name);
std::optional<WaterUnit> WaterUnitNamed(std::string_view name);

bool IsVolumeFlow(FlowUnit unit);
// m^3/s per unit of a volume flow, kg/s per unit of a mass flow; 0 for Upstream.
double FlowFactor(FlowUnit unit);
// A heat rate in kW, and a water flow in kg/s, in a unit.
double HeatIn(HeatUnit unit, double kilowatts);
double WaterIn(WaterUnit unit, double kilogramsPerSecond);

} // namespace hygrovane::processes
