#pragma once

// A weather file's records through one unit or several side by side: every record the filter
// keeps and that has a state runs through the unit at its own pressure; the year's and each
// month's figures and peaks follow, each record weighted by the time it stands for.
//
// Pure and safe to call off the GUI thread: the same data, states, filter and settings give the
// same run, digit for digit, whatever the number of threads.

#include "airunit/unit_hour.h"
#include "airunit/unit_settings.h"
#include "airunit/unit_totals.h"
#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace hygrovane::airunit {

struct UnitRun {
    UnitSettings settings;
    std::vector<UnitHour> hours; // one per record of the data, in its order; empty unless kept
    UnitTotals year;
    std::array<UnitTotals, 12> months; // January first
    UnitPeaks peaks;                   // of the year
    std::array<UnitPeaks, 12> monthPeaks;
};

struct RunOptions {
    unsigned threads = 0; // 0: as many as the machine has; fewer when one cannot start
    // Whether the run keeps every record's nodes and loads (UnitRun::hours); without them a
    // long series through many units takes memory for a block of records at a time.
    bool keepHours = true;
    // Records done so far, of all the units of the call, and their total. Called from the
    // working threads, possibly at once: it must be safe to call so.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // When given and set (from any thread), the run stops at its next progress report: the
    // figures it returns are then incomplete and the caller that set it drops them.
    const std::atomic<bool>* cancel = nullptr;
};

// The outdoor air of every record from the file's values as doubles (the dry bulb, and the
// humidity the states were computed from), at the pressure of its state; none where the record
// has no state.
std::vector<std::optional<OutdoorAir>> OutdoorAirOf(const climate::WeatherData& data,
                                                    const climate::HourlyStates& states,
                                                    unsigned threads = 0);

// `states` are climate::ComputeStates(data, ...) of the same data: the unit takes each record's
// pressure, its humidity source and its formulation from them.
Expected<UnitRun, UnitFailure> RunUnit(const climate::WeatherData& data,
                                       const climate::HourlyStates& states,
                                       const climate::Filter& filter, const UnitSettings& settings,
                                       const RunOptions& options = {});

// Several units over the same records, in parallel; each a run or the refusal of its settings.
std::vector<Expected<UnitRun, UnitFailure>> RunUnits(const climate::WeatherData& data,
                                                     const climate::HourlyStates& states,
                                                     const climate::Filter& filter,
                                                     const std::vector<UnitSettings>& units,
                                                     const RunOptions& options = {});

} // namespace hygrovane::airunit
