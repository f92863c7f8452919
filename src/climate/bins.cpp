#include "climate/bins.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace hygrovane::climate {

namespace {

constexpr double kZeroCelsius = kCelsiusOffset;       // K
constexpr double kZeroFahrenheit = 255.3722222222222; // K, (0 - 32) * 5/9 + 273.15
constexpr double kGrainsPerPound = 7000;              // grains in a pound (avoirdupois)

struct Sums {
    std::size_t hours = 0;
    double time = 0;
    double sum = 0;
    std::size_t meanHours = 0;
    double meanTime = 0;
};

} // namespace

BinTable MakeBins(const WeatherData& data, const HourlyStates& states,
                  std::span<const std::size_t> selection, const BinOptions& options) {
    const bool si = options.units == BinUnits::SI;
    // Band widths: the dry bulb in K (2 degF = 10/9 K), the humidity in kg/kg or as a fraction.
    const double dryWidth = si ? 1.0 : 2.0 * 5.0 / 9.0;
    const double dryOrigin = si ? kZeroCelsius : kZeroFahrenheit;
    const double wetWidth = options.axis == BinAxis::RelativeHumidity ? 0.05
                            : si                                      ? 0.001
                                                                      : 10.0 / kGrainsPerPound;
    std::map<std::pair<long, long>, Sums> sums;
    BinTable table;
    for (const std::size_t i : selection) {
        const HourState& s = states.hours[i];
        if (!s.ok()) {
            ++table.missing;
            table.missingTime += s.hours;
            continue;
        }
        const double y =
            options.axis == BinAxis::RelativeHumidity ? s.relativeHumidity : s.humidityRatio;
        // The core holds dry bulbs in 32 bits (20 degC is 293.149994 K) and relative humidities
        // come back within rounding of the file's: a small allowance keeps an edge value in the
        // band it starts, far below the files' resolution (0.1 K, 1 %).
        const long column =
            static_cast<long>(std::floor((s.dryBulb - dryOrigin) / dryWidth + 1e-4));
        long row = static_cast<long>(std::floor(y / wetWidth + 1e-6));
        // Saturated air (100 %) belongs to the top band, 95-100 %.
        if (options.axis == BinAxis::RelativeHumidity && row >= 20) {
            row = 19;
        }
        Sums& bin = sums[{column, row}];
        ++bin.hours;
        bin.time += s.hours;
        ++table.binned;
        table.binnedTime += s.hours;
        if (options.meanOf) {
            if (const auto v = ValueAt(data, states, i, *options.meanOf)) {
                bin.sum += *v * s.hours;
                ++bin.meanHours;
                bin.meanTime += s.hours;
            }
        }
    }
    table.bins.reserve(sums.size());
    for (const auto& [key, s] : sums) {
        Bin b;
        b.column = key.first;
        b.row = key.second;
        b.dryBulbLow = dryOrigin + static_cast<double>(key.first) * dryWidth;
        b.dryBulbHigh = b.dryBulbLow + dryWidth;
        b.humidityLow = static_cast<double>(key.second) * wetWidth;
        b.humidityHigh = b.humidityLow + wetWidth;
        b.hours = s.hours;
        b.time = s.time;
        b.meanHours = s.meanHours;
        if (s.meanTime > 0) {
            b.mean = s.sum / s.meanTime;
        }
        table.mostHours = std::max(table.mostHours, s.hours);
        table.mostTime = std::max(table.mostTime, s.time);
        table.bins.push_back(b);
    }
    return table;
}

} // namespace hygrovane::climate
