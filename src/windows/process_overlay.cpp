#include "windows/process_overlay.h"

namespace hygrovane::forms {

namespace {

// Deep magenta: apart from every family of lines, the comfort zones and the red state point.
constexpr std::uint8_t kRed = 190, kGreen = 0, kBlue = 120;

chart::ChartPoint OnChart(const processes::ChartPoint& p) {
    return {p.dryBulb, p.humidityRatio};
}

chart::Polyline OnChart(const processes::Polyline& line) {
    chart::Polyline points;
    points.reserve(line.size());
    for (const processes::ChartPoint& p : line) {
        points.push_back(OnChart(p));
    }
    return points;
}

} // namespace

chart::Overlay ProcessOverlay(const processes::ProcessSet& set) {
    chart::Overlay overlay;
    overlay.red = kRed;
    overlay.green = kGreen;
    overlay.blue = kBlue;
    for (const processes::Process& process : set.processes()) {
        if (!process.result) {
            continue;
        }
        const processes::ProcessResult& result = *process.result;
        for (const processes::Polyline& path : result.paths) {
            overlay.paths.push_back({OnChart(path), {}, true, false});
        }
        if (result.guide.size() >= 2) {
            overlay.paths.push_back({OnChart(result.guide), {}, false, true});
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
