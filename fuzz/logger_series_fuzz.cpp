// An arbitrary logger file through the climate tool's series reader (batch's lines, columns and
// units, then dated readings): no crash, and a series it takes has one record per reading, each
// standing for a finite, non-negative time, in order.
#include "loggerfile/logger_series.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

using namespace hygrovane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Now and then with the humidity chosen, as --humidity does.
    std::optional<climate::HumiditySource> chosen;
    if (size % 3 == 1) {
        chosen = climate::HumiditySource::RelativeHumidity;
    } else if (size % 3 == 2) {
        chosen = climate::HumiditySource::DewPoint;
    }
    const auto series = loggerfile::ReadLoggerSeries(bytes, "fuzz", chosen);
    if (!series) {
        return 0;
    }
    const climate::WeatherData& read = series->data;
    if (read.hours.empty()) {
        fuzz::Fail("a series was taken without a reading");
    }
    if (read.recordHours.size() != read.hours.size()) {
        fuzz::Fail("a reading without the time it stands for");
    }
    for (std::size_t i = 0; i < read.hours.size(); ++i) {
        const double hours = climate::RecordHours(read, i);
        if (!std::isfinite(hours) || hours < 0) {
            fuzz::Fail("a reading stands for a time that is not finite and non-negative");
        }
    }
    return 0;
}
