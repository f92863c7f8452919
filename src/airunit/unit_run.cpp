#include "airunit/unit_run.h"

#include "climate/parallel.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <atomic>
#include <optional>

namespace hygrovane::airunit {

namespace {

// Records between two progress reports.
constexpr std::size_t kProgressBlock = 512;

std::optional<OutdoorAir> AirOf(const climate::HourRecord& record, const climate::HourState& state,
                                const climate::StateOptions& options) {
    if (!state.ok()) {
        return std::nullopt;
    }
    const auto dryBulb = record.Value(climate::Field::DryBulb);
    const bool byRh = options.humidity == climate::HumiditySource::RelativeHumidity;
    const auto humidity =
        record.Value(byRh ? climate::Field::RelativeHumidity : climate::Field::DewPoint);
    if (!dryBulb || !humidity) {
        return std::nullopt;
    }
    const double saturatedAt = byRh ? *dryBulb : *humidity;
    const auto pws = SaturationPressureAt(saturatedAt + kCelsiusOffset, options.formulation);
    if (!pws) {
        return std::nullopt;
    }
    const double pw = byRh ? *humidity / 100 * *pws : *pws;
    const auto W = HumidityRatioFromVapourPressure(pw, state.pressure);
    if (!W) {
        return std::nullopt;
    }
    return OutdoorAir{*dryBulb, *W, state.pressure};
}

UnitHour Missing(double hours) {
    UnitHour h;
    h.status = HourStatus::Missing;
    h.hours = hours;
    return h;
}

UnitHour Off(double hours) {
    UnitHour h;
    h.status = HourStatus::Off;
    h.hours = hours;
    return h;
}

// Adds records [start, start + hours.size()) to the run's figures, in file order.
void Summarise(const climate::WeatherData& data, const UnitHour* hours, std::size_t start,
               std::size_t count, UnitRun& run) {
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = start + k;
        const UnitHour& h = hours[k];
        const climate::HourRecord& r = data.hours[i];
        const std::size_t month = static_cast<std::size_t>(r.month - 1) % 12;
        Add(run.year, h);
        Add(run.months[month], h);
        Add(run.peaks, h, i, r.month, r.day, r.hour);
        Add(run.monthPeaks[month], h, i, r.month, r.day, r.hour);
    }
}

// Records a block holds when the run keeps no hours: a few MB a unit.
constexpr std::size_t kBlock = 16384;

} // namespace

std::vector<std::optional<OutdoorAir>> OutdoorAirOf(const climate::WeatherData& data,
                                                    const climate::HourlyStates& states,
                                                    unsigned threads) {
    std::vector<std::optional<OutdoorAir>> air(data.hours.size());
    const std::size_t n = std::min(data.hours.size(), states.hours.size());
    climate::ForChunks(n, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            air[i] = AirOf(data.hours[i], states.hours[i], states.options);
        }
    });
    return air;
}

Expected<UnitRun, UnitFailure> RunUnit(const climate::WeatherData& data,
                                       const climate::HourlyStates& states,
                                       const climate::Filter& filter, const UnitSettings& settings,
                                       const RunOptions& options) {
    auto runs = RunUnits(data, states, filter, {settings}, options);
    return std::move(runs.front());
}

std::vector<Expected<UnitRun, UnitFailure>> RunUnits(const climate::WeatherData& data,
                                                     const climate::HourlyStates& states,
                                                     const climate::Filter& filter,
                                                     const std::vector<UnitSettings>& units,
                                                     const RunOptions& options) {
    const std::size_t records = data.hours.size();
    std::vector<std::optional<PreparedUnit>> prepared;
    std::vector<Expected<UnitRun, UnitFailure>> runs;
    for (const UnitSettings& settings : units) {
        auto unit = Prepare(settings, states.options.formulation);
        if (!unit) {
            runs.emplace_back(Fail(unit.error()));
            prepared.emplace_back();
            continue;
        }
        UnitRun run;
        run.settings = settings;
        if (options.keepHours) {
            run.hours.resize(records);
        }
        runs.emplace_back(std::move(run));
        prepared.emplace_back(std::move(*unit));
    }

    const auto air = OutdoorAirOf(data, states, options.threads);
    std::vector<char> kept(records);
    for (std::size_t i = 0; i < records && i < states.hours.size(); ++i) {
        kept[i] = climate::Passes(data, states, i, filter) ? 1 : 0;
    }

    // Every (unit, record) pair is one piece of work writing its own slot: the order does not
    // change a digit. The figures add the slots up in file order, a block at a time.
    const std::size_t block = options.keepHours ? std::max<std::size_t>(records, 1) : kBlock;
    std::vector<std::vector<UnitHour>> buffers(options.keepHours ? 0 : units.size());
    for (auto& buffer : buffers) {
        buffer.resize(std::min(block, records));
    }
    const std::size_t total = records * units.size();
    std::atomic<std::size_t> done{0};
    const auto cancelled = [&] { return options.cancel != nullptr && options.cancel->load(); };
    for (std::size_t start = 0; start < records && !cancelled(); start += block) {
        const std::size_t count = std::min(block, records - start);
        const auto slotOf = [&](std::size_t u, std::size_t k) -> UnitHour& {
            return options.keepHours ? runs[u]->hours[start + k] : buffers[u][k];
        };
        climate::ForChunks(
            count * units.size(), options.threads, [&](std::size_t begin, std::size_t end) {
                std::size_t sinceReport = 0;
                for (std::size_t item = begin; item < end; ++item) {
                    const std::size_t u = item / count;
                    const std::size_t k = item % count;
                    const std::size_t i = start + k;
                    if (prepared[u]) {
                        const double hours = climate::RecordHours(data, i);
                        UnitHour& slot = slotOf(u, k);
                        if (!kept[i]) {
                            slot = Off(hours);
                        } else if (!air[i]) {
                            slot = Missing(hours);
                        } else if (auto hour = RunHour(*prepared[u], *air[i])) {
                            slot = std::move(*hour);
                            slot.hours = hours;
                        } else {
                            slot = Missing(hours); // the core found no state of the unit there
                        }
                    }
                    if (++sinceReport == kProgressBlock || item + 1 == end) {
                        const std::size_t now = done += sinceReport;
                        sinceReport = 0;
                        if (options.progress) {
                            options.progress(now, total);
                        }
                        if (cancelled()) {
                            return;
                        }
                    }
                }
            });
        for (std::size_t u = 0; u < units.size(); ++u) {
            if (runs[u]) {
                Summarise(data, &slotOf(u, 0), start, count, *runs[u]);
            }
        }
    }
    return runs;
}

} // namespace hygrovane::airunit
