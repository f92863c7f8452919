// An arbitrary weather file through the EPW reader (and, for every other input, the TMY3
// reader), then each hour's state: no crash, and what is read keeps the readers' promises. The
// corpus holds byte order marks, CR-only line ends and several records an hour.
#include "climate/epw_reader.h"
#include "climate/hourly_states.h"
#include "climate/tmy3_reader.h"
#include "climate/weather_file.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <string_view>

using namespace hygrovane;
using namespace hygrovane::climate;

namespace {

void Check(const WeatherData& data) {
    std::size_t rows = 0;
    for (const DataPeriod& p : data.header.dataPeriods) {
        rows += p.rowCount;
    }
    if (rows != data.hours.size()) {
        fuzz::Fail("the data periods do not account for every row");
    }
    for (const HourRecord& r : data.hours) {
        if (r.hour < 1 || r.hour > 24 || r.month < 1 || r.month > 12 || r.weekday > 6) {
            fuzz::Fail("a record's date or time is out of range");
        }
        for (std::size_t f = 0; f < kFieldCount; ++f) {
            const double v = r.values[f];
            if (!std::isnan(v) &&
                (!std::isfinite(v) || v >= InfoOf(static_cast<Field>(f)).missingAtOrAbove)) {
                fuzz::Fail("a missing value was kept as a number");
            }
        }
    }
    const HourlyStates states = ComputeStates(data, {.threads = 1});
    if (states.computed + states.missingDryBulb + states.missingHumidity + states.missingPressure +
            states.refused !=
        data.hours.size()) {
        fuzz::Fail("the hours' states do not add up");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto epw = ReadEpw(text);
    if (epw) {
        Check(*epw);
    } else if (Describe(epw.error()).empty()) {
        fuzz::Fail("a refusal without a reason");
    }
    if (size % 2 == 1) {
        if (const auto tmy3 = ReadTmy3(text)) {
            Check(*tmy3);
        }
    }
    // What either reader takes starts as a weather file: the climate tool never sends it to
    // the logger reader.
    if (const auto either = ReadWeather(text)) {
        Check(*either);
        if (!IsWeatherText(text)) {
            fuzz::Fail("a weather file read but not recognised as one");
        }
    }
    return 0;
}
