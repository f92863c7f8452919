#include "models/process_overlay.h"

#include "chart/room_ratio.h"
#include "display/number_text.h"

namespace hygrovane::models {

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

void AddRoomRatioLines(chart::Overlay& overlay, const processes::ProcessSet& set,
                       const std::vector<RoomRatioLineOf>& lines) {
    for (const RoomRatioLineOf& line : lines) {
        const processes::Point* room = set.point(line.room);
        if (room == nullptr || !room->state) {
            continue;
        }
        const processes::AirState& s = *room->state;
        // The overlay does not know the chart's range, and the chart clips what it draws: the
        // line is taken 50 K below the room (where supply air for cooling lies), until it meets
        // the saturation curve, over every humidity ratio the chart may show.
        const chart::ChartRange reach{s.dryBulb - 50, s.dryBulb, 0, 0.5};
        chart::OverlayPath path =
            chart::RoomRatioPath(s.core.ambient.pressure, set.ambient().formulation,
                                 {s.dryBulb, s.humidityRatio}, line.shr, reach);
        if (path.points.size() >= 2) {
            overlay.paths.push_back(std::move(path));
        }
    }
}

} // namespace hygrovane::models
