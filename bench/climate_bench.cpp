// Weather data through the climate library: a year read and computed with every zone counted,
// thirty years the same way, and a filter change on a computed year. The zones are polygons of
// (dry bulb, humidity ratio), as the chart's comfort and strategy zones are drawn.
// Reads chicago.epw of the shared test data (../shared/data/weather beside the clone), or the
// file named by HYGROVANE_WEATHER.
#include "climate/bins.h"
#include "climate/design_conditions.h"
#include "climate/epw_reader.h"
#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/zones.h"

#include "weather_path.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace hygrovane::climate;

using hygrovane::bench::WeatherPath;

const std::string& YearText() {
    static const std::string text = [] {
        auto read = ReadWholeFile(WeatherPath());
        return read ? read.value() : std::string();
    }();
    return text;
}

// Thirty copies of the year's rows as thirty data periods: 262,800 rows.
const std::string& ThirtyYearsText() {
    static const std::string text = [] {
        const std::string& year = YearText();
        std::size_t header = 0;
        for (int line = 0; line < 8; ++line) {
            header = year.find('\n', header) + 1;
        }
        const std::size_t dataPeriods = year.rfind("DATA PERIODS", header);
        std::string thirty = year.substr(0, dataPeriods) + "DATA PERIODS,30,1";
        for (int y = 0; y < 30; ++y) {
            thirty += ",Year " + std::to_string(y + 1) + ",Sunday, 1/ 1,12/31";
        }
        thirty += "\n";
        for (int y = 0; y < 30; ++y) {
            thirty += year.substr(header);
        }
        return thirty;
    }();
    return text;
}

// A zone bounded by a polygon of (degC, g/kg) corners, by the even-odd rule.
ZoneTest Polygon(std::string name, std::vector<std::pair<double, double>> corners) {
    return {std::move(name), [corners = std::move(corners)](const HourState& s, std::size_t) {
                const double x = s.dryBulb - 273.15;
                const double y = s.humidityRatio * 1000;
                bool inside = false;
                for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                    const auto [xi, yi] = corners[i];
                    const auto [xj, yj] = corners[j];
                    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
                        inside = !inside;
                    }
                }
                return inside;
            }};
}

const std::vector<ZoneTest>& AllZones() {
    static const std::vector<ZoneTest> zones = {
        Polygon("comfort winter", {{20, 0}, {24, 0}, {23, 12}, {19.5, 12}}),
        Polygon("comfort summer", {{23.5, 0}, {27, 0}, {26, 12}, {23, 12}}),
        Polygon("evaporative cooling", {{24, 0}, {40, 0}, {30, 14}, {24, 12}}),
        Polygon("elevated air speed", {{26, 0}, {30, 0}, {29, 14}, {26, 12}}),
        Polygon("thermal mass", {{26, 0}, {34, 0}, {32, 12}, {26, 12}}),
        Polygon("night ventilation", {{26, 0}, {36, 0}, {33, 12}, {26, 12}}),
        Polygon("internal gains", {{12, 0}, {20, 0}, {20, 12}, {12, 10}}),
        Polygon("passive solar", {{7, 0}, {12, 0}, {12, 10}, {7, 7}}),
        Polygon("humidification", {{20, 0}, {27, 0}, {27, 4}, {20, 4}}),
        Polygon("dehumidification", {{20, 12}, {27, 12}, {27, 20}, {20, 18}}),
    };
    return zones;
}

// Everything the climate window shows for a file: states, zones, figures, bins, design values.
void Everything(const WeatherData& data, unsigned threads) {
    const HourlyStates states = ComputeStates(data, {.threads = threads});
    const ZoneMembership membership = MembershipOf(states, AllZones(), threads);
    const auto selection = Select(data, states, Filter{});
    auto report = ZoneReportOf(data, states, membership, AllZones(), selection);
    auto bins = MakeBins(data, states, selection,
                         {.axis = BinAxis::HumidityRatio, .units = BinUnits::SI, .meanOf = {}});
    auto design = DesignConditionsOf(states);
    benchmark::DoNotOptimize(report);
    benchmark::DoNotOptimize(bins);
    benchmark::DoNotOptimize(design);
}

void BM_LoadAndComputeYear(benchmark::State& state) {
    const auto threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const auto data = ReadEpwFile(WeatherPath());
        if (!data) {
            state.SkipWithError(Describe(data.error()).c_str());
            return;
        }
        Everything(*data, threads);
    }
    state.SetLabel(std::to_string(AllZones().size()) + " zones, " +
                   (threads == 0 ? std::string("all cores") : std::to_string(threads) + " thread"));
}
BENCHMARK(BM_LoadAndComputeYear)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ReadYearOnly(benchmark::State& state) {
    for (auto _ : state) {
        auto data = ReadEpw(YearText());
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_ReadYearOnly)->Unit(benchmark::kMillisecond);

void BM_ThirtyYears(benchmark::State& state) {
    const auto threads = static_cast<unsigned>(state.range(0));
    const std::string& text = ThirtyYearsText();
    for (auto _ : state) {
        const auto data = ReadEpw(text);
        if (!data || data->hours.size() != 262800) {
            state.SkipWithError("the thirty years did not read");
            return;
        }
        Everything(*data, threads);
    }
    state.SetLabel("262,800 rows");
}
BENCHMARK(BM_ThirtyYears)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A new filter on a computed year: select, count the zones again, bin again.
void BM_FilterChange(benchmark::State& state) {
    const auto data = ReadEpw(YearText());
    if (!data) {
        state.SkipWithError("no weather file");
        return;
    }
    const HourlyStates states = ComputeStates(*data);
    const ZoneMembership membership = MembershipOf(states, AllZones());
    Filter filter;
    filter.firstMonth = 11;
    filter.lastMonth = 2;
    filter.fromHour = 22;
    filter.toHour = 6;
    filter.ranges.push_back({Field::WindSpeed, 0, 5});
    int month = 0;
    for (auto _ : state) {
        filter.lastMonth = 1 + month++ % 12; // a different filter each time
        const auto selection = Select(*data, states, filter);
        auto report = ZoneReportOf(*data, states, membership, AllZones(), selection);
        auto bins = MakeBins(
            *data, states, selection,
            {.axis = BinAxis::HumidityRatio, .units = BinUnits::SI, .meanOf = Field::WindSpeed});
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(bins);
    }
}
BENCHMARK(BM_FilterChange)->Unit(benchmark::kMillisecond);

} // namespace
