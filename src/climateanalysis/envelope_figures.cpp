#include "climateanalysis/envelope_figures.h"

#include "climate/calendar.h"

#include <cmath>
#include <cstdio>

namespace hygrovane::climateanalysis {

namespace {

constexpr std::int64_t kDay = 86400;

// The civil date of a day count since 1970-01-01 (the inverse of DaysFromCivil).
void CivilFromDays(std::int64_t z, long& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<long>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

std::vector<envelopes::Sample> SamplesOf(const climate::WeatherData& data,
                                         const climate::HourlyStates& states,
                                         const climate::Filter& filter) {
    const bool logger = !data.recordHours.empty();
    std::vector<envelopes::Sample> samples;
    const std::vector<std::size_t> chosen = climate::Select(data, states, filter);
    samples.reserve(chosen.size());

    // The year of each weather-file record: the first one's, on by one where the months restart.
    std::vector<long> years(data.hours.size());
    long year = data.hours.empty() ? 1970 : data.hours.front().year;
    for (std::size_t i = 0; i < data.hours.size(); ++i) {
        if (i > 0 && data.hours[i].month < data.hours[i - 1].month) {
            ++year;
        }
        years[i] = logger ? data.hours[i].year : year;
    }

    for (const std::size_t i : chosen) {
        const climate::HourRecord& record = data.hours[i];
        const int minute = logger || record.minute != 0 ? record.minute : 60;
        const std::int64_t end = climate::DaysFromCivil(years[i], record.month, record.day) * kDay +
                                 (record.hour - 1) * std::int64_t{3600} + minute * std::int64_t{60};
        const double hours = climate::RecordHours(data, i);
        envelopes::Sample sample{end - std::llround(hours * 3600), end, record.month, std::nullopt,
                                 record.StartHour()};
        if (i < states.hours.size() && states.hours[i].ok()) {
            const climate::HourState& state = states.hours[i];
            sample.air = envelopes::Air{state.dryBulb, state.humidityRatio, state.pressure};
        }
        samples.push_back(sample);
    }
    return samples;
}

std::vector<EnvelopeFigures> JudgeEnvelopes(const climate::WeatherData& data,
                                            const climate::HourlyStates& states,
                                            const climate::Filter& filter,
                                            std::span<const envelopes::Envelope> envelopes) {
    const std::vector<envelopes::Sample> samples = SamplesOf(data, states, filter);
    std::vector<EnvelopeFigures> figures;
    figures.reserve(envelopes.size());
    for (const envelopes::Envelope& envelope : envelopes) {
        const envelopes::Judge judge(envelope, states.options.formulation);
        figures.push_back({envelope, envelopes::Assess(judge, samples)});
    }
    return figures;
}

std::string TimeText(std::int64_t seconds) {
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - (kDay - 1)) / kDay;
    const std::int64_t inDay = seconds - days * kDay;
    long year = 0;
    int month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, "%04ld-%02d-%02dT%02d:%02d", year, month, day,
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay % 3600 / 60));
    return text;
}

} // namespace hygrovane::climateanalysis
