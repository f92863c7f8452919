// Thermal comfort: PMV over a year of hours (8,760 states), by ISO 7730 and by ASHRAE 55 with
// elevated air speed, and solving the comfort zones' outlines on the chart plane.
#include "comfort/pmv.h"
#include "comfort/pmv_zone.h"
#include "comfort/strategies.h"
#include "comfort/zones.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace hygrovane::comfort;
using hygrovane::ChartPoint;

// A synthetic year: a seasonal and a daily swing of dry bulb, humidity moving against it.
std::vector<ThermalInputs> Year(double airSpeed) {
    std::vector<ThermalInputs> hours;
    for (int h = 0; h < 8760; ++h) {
        const double season = std::sin(2 * M_PI * (h / 24.0 - 110) / 365.0);
        const double day = std::sin(2 * M_PI * (h % 24 - 9) / 24.0);
        const double t = 12 + 14 * season + 5 * day;
        hours.push_back({t, t, airSpeed, Humidity::Relative(65 - 20 * day), 1.1, 0.7, 0});
    }
    return hours;
}

void BM_PmvIsoYear(benchmark::State& state) {
    const std::vector<ThermalInputs> hours = Year(0.1);
    for (auto _ : state) {
        int comfortable = 0;
        for (const ThermalInputs& in : hours) {
            const auto r = PmvIso7730(in, Applicability::Unchecked);
            comfortable += r && std::abs(r->pmv) <= 0.5;
        }
        benchmark::DoNotOptimize(comfortable);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(hours.size()));
}
BENCHMARK(BM_PmvIsoYear)->Unit(benchmark::kMillisecond);

void BM_PmvAshraeElevatedSpeedYear(benchmark::State& state) {
    const std::vector<ThermalInputs> hours = Year(0.8);
    for (auto _ : state) {
        int comfortable = 0;
        for (const ThermalInputs& in : hours) {
            const auto r = PmvAshrae55(in, {Applicability::Unchecked, true});
            comfortable += r && std::abs(r->pmv) <= 0.5;
        }
        benchmark::DoNotOptimize(comfortable);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(hours.size()));
}
BENCHMARK(BM_PmvAshraeElevatedSpeedYear)->Unit(benchmark::kMillisecond);

void BM_SolvePmvZone(benchmark::State& state) {
    PmvZoneParameters zone;
    zone.model = state.range(0) == 0 ? PmvModel::Iso7730 : PmvModel::Ashrae55;
    zone.airSpeed = state.range(0) == 2 ? 0.8 : 0.1;
    for (auto _ : state) {
        auto outline = SolvePmvZone(zone);
        benchmark::DoNotOptimize(outline);
    }
    state.SetLabel(state.range(0) == 0   ? "ISO 7730"
                   : state.range(0) == 1 ? "ASHRAE 55, 0.1 m/s"
                                         : "ASHRAE 55, 0.8 m/s");
}
BENCHMARK(BM_SolvePmvZone)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SolveAdaptiveAndStrategyZones(benchmark::State& state) {
    for (auto _ : state) {
        AdaptiveZoneParameters adaptive;
        auto outline = SolveAdaptiveZone(adaptive);
        benchmark::DoNotOptimize(outline);
        for (int s = 0; s <= static_cast<int>(Strategy::Humidification); ++s) {
            auto zone = StrategyZoneOf(static_cast<Strategy>(s));
            auto strategy = StrategyOutline(*zone, {});
            benchmark::DoNotOptimize(strategy);
        }
    }
}
BENCHMARK(BM_SolveAdaptiveAndStrategyZones)->Unit(benchmark::kMillisecond);

// A year of chart points: solving each hour's state by the core, then judging every hour by the
// PMV zone, the five adaptive zones and the nine strategies' bands.
std::vector<ChartPoint> YearPoints(const PlaneAir& air) {
    std::vector<ChartPoint> points;
    for (const ThermalInputs& in : Year(0.1)) {
        const double T = in.airTemperature + 273.15;
        points.push_back({T, *HumidityRatioAt(T, in.humidity.value / 100, air)});
    }
    return points;
}

void BM_SolveYearStates(benchmark::State& state) {
    const PlaneAir air;
    const std::vector<ChartPoint> points = YearPoints(air);
    for (auto _ : state) {
        int solved = 0;
        for (const ChartPoint& p : points) {
            solved += StateAt(p, air).has_value();
        }
        benchmark::DoNotOptimize(solved);
    }
}
BENCHMARK(BM_SolveYearStates)->Unit(benchmark::kMillisecond);

void BM_CountYearInAllZones(benchmark::State& state) {
    const PlaneAir air;
    std::vector<PlaneState> states;
    for (const ChartPoint& p : YearPoints(air)) {
        states.push_back(*StateAt(p, air));
    }
    const PmvZoneParameters pmv;
    std::vector<BandZone> bands;
    for (int m = 0; m <= static_cast<int>(AdaptiveZoneModel::En16798CategoryIII); ++m) {
        AdaptiveZoneParameters adaptive;
        adaptive.model = static_cast<AdaptiveZoneModel>(m);
        bands.push_back(*AdaptiveZone(adaptive));
    }
    for (int s = 0; s <= static_cast<int>(Strategy::Humidification); ++s) {
        bands.push_back(StrategyZoneOf(static_cast<Strategy>(s))->band);
    }
    for (auto _ : state) {
        int inside = 0;
        for (const PlaneState& h : states) {
            inside += *InPmvZone(pmv, h);
            for (const BandZone& band : bands) {
                inside += *InBandZone(band, h);
            }
        }
        benchmark::DoNotOptimize(inside);
    }
    state.SetLabel("1 PMV zone, 5 adaptive zones, 9 strategy bands");
}
BENCHMARK(BM_CountYearInAllZones)->Unit(benchmark::kMillisecond);

} // namespace
