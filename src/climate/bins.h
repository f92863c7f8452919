#pragma once

// Frequency bins of the chosen hours on the chart's axes: dry bulb by humidity ratio or by
// relative humidity, with the count and the mean of any quantity per bin.

#include "climate/hourly_states.h"
#include "climate/quantity.h"
#include "climate/weather_data.h"

#include <optional>
#include <span>
#include <vector>

namespace hygrovane::climate {

enum class BinAxis { HumidityRatio, RelativeHumidity };
enum class BinUnits { SI, IP };

// SI: 1 K by 1 g/kg, or 1 K by 5 % relative humidity. IP: 2 degF by 10 grains per pound, or
// 2 degF by 5 %. Edges lie on whole multiples of the width from 0 degC (0 degF in IP) and 0.
struct BinOptions {
    BinAxis axis = BinAxis::HumidityRatio;
    BinUnits units = BinUnits::SI;
    std::optional<Quantity> meanOf; // the quantity averaged per bin, if any
};

struct Bin {
    long column = 0;       // dry bulb band: floor(t / width), t in degC (SI) or degF (IP)
    long row = 0;          // humidity band: floor(W / width) or floor(RH / 5 %)
    double dryBulbLow = 0; // K, the band's lower edge
    double dryBulbHigh = 0;
    double humidityLow = 0; // kg/kg or fraction
    double humidityHigh = 0;
    std::size_t hours = 0; // records (the hours of an hourly file)
    double time = 0;       // the hours those records stand for
    // Time-weighted mean of BinOptions::meanOf over the bin's records where it is not missing,
    // and how many.
    std::optional<double> mean;
    std::size_t meanHours = 0;
};

// Counts of records, each with the hours they stand for beside it.
struct BinTable {
    std::vector<Bin> bins;     // non-empty bins, by column then row
    std::size_t binned = 0;    // records in some bin
    std::size_t missing = 0;   // chosen records without a state
    std::size_t mostHours = 0; // the fullest bin's records
    double binnedTime = 0;     // hours in some bin
    double missingTime = 0;    // chosen hours without a state
    double mostTime = 0;       // the fullest bin's hours, for a colour scale
};

// The bins of the hours listed in `selection` (indices into data.hours).
BinTable MakeBins(const WeatherData& data, const HourlyStates& states,
                  std::span<const std::size_t> selection, const BinOptions& options);

} // namespace hygrovane::climate
