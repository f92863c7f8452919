#include "comfort/running_mean.h"

#include "comfort/checks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::comfort {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

std::vector<double> DailyMeans(std::span<const double> hourly) {
    std::vector<double> means;
    for (std::size_t start = 0; start + 24 <= hourly.size(); start += 24) {
        double sum = 0;
        for (std::size_t h = start; h < start + 24; ++h) {
            sum += hourly[h]; // a NaN hour makes the day NaN
        }
        means.push_back(sum / 24.0);
    }
    return means;
}

ComfortResult<double> PrevailingMeanSimple(std::span<const double> daily, std::size_t day,
                                           int days) {
    constexpr const char* kModel = "ASHRAE 55 prevailing mean";
    const detail::Bound bounds[] = {{ComfortInput::Days, static_cast<double>(days), 7, 30},
                                    {ComfortInput::History, static_cast<double>(day),
                                     static_cast<double>(days), static_cast<double>(daily.size())}};
    if (const auto checked = detail::CheckBounds(kModel, bounds); !checked) {
        return Fail(checked.error());
    }
    double sum = 0;
    for (std::size_t d = day - static_cast<std::size_t>(days); d < day; ++d) {
        if (!std::isfinite(daily[d])) {
            return Fail(ComfortFailure{ComfortFailureKind::NotANumber,
                                       ComfortInput::History,
                                       static_cast<double>(d),
                                       0,
                                       0,
                                       kModel,
                                       {}});
        }
        sum += daily[d];
    }
    return sum / days;
}

ComfortResult<std::vector<double>> ExponentialRunningMean(std::span<const double> daily,
                                                          double alpha, bool wrap) {
    // ASHRAE 55-2020 5.4.2.1 allows 0.6 to 0.9; EN 16798-1 takes 0.8.
    const detail::Bound bounds[] = {{ComfortInput::Limit, alpha, 0.6, 0.9}};
    if (const auto checked = detail::CheckBounds("running mean", bounds); !checked) {
        return Fail(checked.error());
    }
    const std::size_t n = daily.size();
    std::vector<double> rm(n, kNaN);
    if (n == 0) {
        return rm;
    }
    double running = kNaN;
    if (wrap) {
        // Run through the year once so that its end is the history of its start.
        for (std::size_t d = 0; d < n; ++d) {
            if (std::isfinite(daily[d])) {
                running = std::isnan(running) ? daily[d] : (1 - alpha) * daily[d] + alpha * running;
            }
        }
    }
    for (std::size_t d = 0; d < n; ++d) {
        rm[d] = running;
        if (std::isfinite(daily[d])) {
            // EN 16798-1 Annex B: theta_rm = (1 - alpha) theta_ed-1 + alpha theta_rm-1.
            running = std::isnan(running) ? daily[d] : (1 - alpha) * daily[d] + alpha * running;
        }
    }
    return rm;
}

ComfortResult<std::vector<double>> PrevailingMeansSimple(std::span<const double> daily, int days,
                                                         bool wrap) {
    const std::size_t n = daily.size();
    const detail::Bound bounds[] = {
        {ComfortInput::Days, static_cast<double>(days), 7, std::min(30.0, static_cast<double>(n))}};
    if (const auto checked = detail::CheckBounds("ASHRAE 55 prevailing mean", bounds); !checked) {
        return Fail(checked.error());
    }
    std::vector<double> out(n, kNaN);
    std::vector<double> extended;
    const std::size_t lead = wrap ? static_cast<std::size_t>(days) : 0;
    extended.insert(extended.end(), daily.end() - static_cast<std::ptrdiff_t>(lead), daily.end());
    extended.insert(extended.end(), daily.begin(), daily.end());
    for (std::size_t d = 0; d < n; ++d) {
        const auto mean = PrevailingMeanSimple(extended, d + lead, days);
        out[d] = mean ? *mean : kNaN;
    }
    return out;
}

} // namespace hygrovane::comfort
