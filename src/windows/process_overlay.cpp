#include "windows/process_overlay.h"

#include "calculator/number_text.h"

namespace hygrovane::forms {

namespace {

// Deep magenta: apart from every family of lines, the comfort zones and the red state point.
constexpr std::uint8_t kRed = 190, kGreen = 0, kBlue = 120;

// A stage's load as its label: the heat of a heater, coil or reheat, the water of a humidifier,
// with the decimals of the process table.
std::string StageLabel(std::string_view name, bool addsWater, const processes::Loads& loads,
                       const processes::LoadUnits& units) {
    using namespace processes;
    const std::string amount = addsWater ? RoundedText(WaterIn(units.water, loads.water), 3) + " " +
                                               std::string(NameOf(units.water))
                                         : RoundedText(HeatIn(units.heat, loads.equipmentHeat),
                                                       units.heat == HeatUnit::BtuPerHour ? 0 : 3) +
                                               " " + std::string(NameOf(units.heat));
    return std::string(name) + " " + amount;
}

} // namespace

chart::Overlay ProcessOverlay(const processes::ProcessSet& set, const processes::LoadUnits& units) {
    chart::Overlay overlay;
    overlay.red = kRed;
    overlay.green = kGreen;
    overlay.blue = kBlue;
    for (const processes::Process& process : set.processes()) {
        if (!process.result) {
            continue;
        }
        const processes::ProcessResult& result = *process.result;
        const processes::ProcessKind kind = process.definition.kind;
        const std::vector<std::string_view> stages = processes::StageNamesOf(kind);
        const bool labelled = !stages.empty() && stages.size() == result.paths.size() &&
                              stages.size() == result.stages.size();
        for (std::size_t i = 0; i < result.paths.size(); ++i) {
            std::string label;
            if (labelled) {
                label = StageLabel(stages[i], processes::AddsWater(kind, i), result.stages[i].loads,
                                   units);
            }
            overlay.paths.push_back({result.paths[i], label, true, false});
        }
        if (result.guide.size() >= 2) {
            overlay.paths.push_back({result.guide, {}, false, true});
        }
        if (result.apparatusDewPoint) {
            const processes::AirState& adp = *result.apparatusDewPoint;
            // Its guide leaves it up to the right, over where a label would go.
            overlay.points.push_back({{adp.dryBulb, adp.humidityRatio}, "ADP", true});
        }
    }
    for (const processes::Point& point : set.points()) {
        if (point.state) {
            overlay.points.push_back(
                {{point.state->dryBulb, point.state->humidityRatio}, point.name});
        }
    }
    return overlay;
}

} // namespace hygrovane::forms
