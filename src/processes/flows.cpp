#include "processes/flows.h"

#include <algorithm>

namespace hygrovane::processes {

namespace {

// Exact definitions: the international foot and pound, the international-table Btu.
constexpr double kCubicFoot = 0.3048 * 0.3048 * 0.3048; // m^3
constexpr double kPound = 0.45359237;                   // kg
constexpr double kBtu = 1055.05585262;                  // J
constexpr double kSecondsPerHour = 3600;

struct FlowRow {
    FlowUnit unit;
    std::string_view name;
    bool volume;
    double factor;
};

constexpr std::array<FlowRow, 7> kFlowRows = {{
    {FlowUnit::CubicMetresPerHour, "m^3/h", true, 1 / kSecondsPerHour},
    {FlowUnit::CubicMetresPerSecond, "m^3/s", true, 1},
    {FlowUnit::LitresPerSecond, "L/s", true, 0.001},
    {FlowUnit::CubicFeetPerMinute, "cfm", true, kCubicFoot / 60},
    {FlowUnit::KilogramsPerSecond, "kg/s", false, 1},
    {FlowUnit::PoundsPerHour, "lb/h", false, kPound / kSecondsPerHour},
    {FlowUnit::Upstream, "upstream", false, 0},
}};

struct HeatRow {
    HeatUnit unit;
    std::string_view name;
    double kilowatts; // per unit
};

constexpr std::array<HeatRow, 3> kHeatRows = {{
    {HeatUnit::Kilowatt, "kW", 1},
    {HeatUnit::BtuPerHour, "Btu/h", kBtu / kSecondsPerHour / 1000},
    {HeatUnit::TonOfRefrigeration, "ton", 12000 * kBtu / kSecondsPerHour / 1000},
}};

struct WaterRow {
    WaterUnit unit;
    std::string_view name;
    double kilogramsPerSecond; // per unit
};

constexpr std::array<WaterRow, 2> kWaterRows = {{
    {WaterUnit::KilogramsPerHour, "kg/h", 1 / kSecondsPerHour},
    {WaterUnit::PoundsPerHour, "lb/h", kPound / kSecondsPerHour},
}};

template <typename Rows, typename Unit> const auto& RowOf(const Rows& rows, Unit unit) {
    return *std::find_if(rows.begin(), rows.end(),
                         [&](const auto& row) { return row.unit == unit; });
}

template <typename Rows>
auto Named(const Rows& rows, std::string_view name) -> std::optional<decltype(rows[0].unit)> {
    for (const auto& row : rows) {
        if (row.name == name) {
            return row.unit;
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view NameOf(FlowUnit unit) {
    return RowOf(kFlowRows, unit).name;
}
std::string_view NameOf(HeatUnit unit) {
    return RowOf(kHeatRows, unit).name;
}
std::string_view NameOf(WaterUnit unit) {
    return RowOf(kWaterRows, unit).name;
}
std::optional<FlowUnit> FlowUnitNamed(std::string_view name) {
    return Named(kFlowRows, name);
}
std::optional<HeatUnit> HeatUnitNamed(std::string_view name) {
    return Named(kHeatRows, name);
}
std::optional<WaterUnit> WaterUnitNamed(std::string_view name) {
    return Named(kWaterRows, name);
}

bool IsVolumeFlow(FlowUnit unit) {
    return RowOf(kFlowRows, unit).volume;
}

double FlowFactor(FlowUnit unit) {
    return RowOf(kFlowRows, unit).factor;
}

double HeatIn(HeatUnit unit, double kilowatts) {
    return kilowatts / RowOf(kHeatRows, unit).kilowatts;
}

double WaterIn(WaterUnit unit, double kilogramsPerSecond) {
    return kilogramsPerSecond / RowOf(kWaterRows, unit).kilogramsPerSecond;
}

} // namespace hygrovane::processes
