#include "loggerfile/stream_writers.h"

#include "climateanalysis/writer_support.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdio>

namespace hygrovane::loggerfile {

namespace {

using climateanalysis::detail::CsvField;
using climateanalysis::detail::JsonString;
using streams::FaultKind;
using streams::kFaultCount;
using streams::kStreamCount;
using streams::StreamName;

std::string Exact(double x) {
    return std::isfinite(x) ? text::ShortestText(x) : "null";
}

std::string Shown(double x, int decimals) {
    return std::isfinite(x) ? text::FixedTextUnsignedZero(x, decimals) : "-";
}

const char* StreamKey(std::size_t s) {
    return streams::KeyOf(static_cast<StreamName>(s));
}

const char* FaultKey(std::size_t k) {
    return streams::KeyOf(static_cast<FaultKind>(k));
}

} // namespace

std::string StreamTimeText(double seconds) {
    const long long minutes = static_cast<long long>(std::floor(seconds / 60));
    long long z = (minutes >= 0 ? minutes : minutes - 1439) / 1440 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    const long long ofDay =
        minutes - (minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440) * 1440;
    char text[128]; // room for any long long, as the compiler counts
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld", year, month, day,
                  ofDay / 60, ofDay % 60);
    return text;
}

namespace {

std::string TimeText(double seconds) {
    return StreamTimeText(seconds);
}

// The text lists at most this many periods of a fault; JSON lists them all.
constexpr std::size_t kPeriodsInText = 5;

const char* AlignmentKey(streams::Alignment how) {
    return how == streams::Alignment::Nearest ? "nearest" : "linear";
}

} // namespace

std::string StreamsText(const StreamsReport& r) {
    const streams::StreamSummary& s = r.judged.summary;
    const auto& a = r.judged.aligned;
    std::string t = "Logged streams of " + r.source + "\n";
    t += "  steps " + std::to_string(s.steps) + ", " + Shown(s.hours, 2) + " h, aligned " +
         AlignmentKey(r.alignment.how) + " within " +
         text::ShortestText(r.alignment.toleranceSeconds) + " s\n";
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (a.logged[k]) {
            t += std::string("  ") + StreamKey(k) + ": gaps " + std::to_string(s.gapSteps[k]) +
                 " steps, " + Shown(s.gapHours[k], 2) + " h\n";
        }
    }
    t += "Outdoor-air fraction: mean " + Shown(s.outdoorFractionMean, 3) + " over " +
         Shown(s.outdoorFractionHours, 2) + " h (on humidity ratio " +
         Shown(s.fractionOnHumidityRatioMean, 3) + ", on enthalpy " +
         Shown(s.fractionOnEnthalpyMean, 3) + ")\n";
    t += "Recovery effectiveness: sensible " + Shown(s.effectivenessSensibleMean, 3) + ", latent " +
         Shown(s.effectivenessLatentMean, 3) + ", total " + Shown(s.effectivenessTotalMean, 3) +
         " (sensible over " + Shown(s.effectivenessHours, 2) + " h)\n";
    if (r.judgement.massFlow) {
        t += "Coil at " + text::ShortestText(*r.judgement.massFlow) + " kg/s: sensible " +
             Shown(s.coilSensibleKWh, 1) + " kWh, latent " + Shown(s.coilLatentKWh, 1) +
             " kWh, total " + Shown(s.coilTotalKWh, 1) + " kWh, condensate " +
             Shown(s.condensateKg, 1) + " kg\n";
    }
    t += "Faults (h):\n";
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        t += std::string("  ") + FaultKey(k) + " " + Shown(s.faultHours[k], 2) + "\n";
        const auto& periods = s.faultPeriods[k];
        for (std::size_t p = 0; p < periods.size() && p < kPeriodsInText; ++p) {
            t += "    " + TimeText(periods[p].start) + " to " + TimeText(periods[p].end) + " (" +
                 Shown(periods[p].hours, 2) + " h)\n";
        }
        if (periods.size() > kPeriodsInText) {
            t += "    and " + std::to_string(periods.size() - kPeriodsInText) + " periods more\n";
        }
    }
    return t;
}

std::string StreamsCsv(const StreamsReport& r) {
    const streams::StreamSummary& s = r.judged.summary;
    std::string csv = "section,period,item,measure,value,unit\n";
    const auto row = [&csv](const std::string& item, const std::string& measure, double value,
                            const char* unit) {
        csv += "streams,all," + CsvField(item) + "," + CsvField(measure) + "," + Exact(value) +
               "," + unit + "\n";
    };
    row("steps", "count", static_cast<double>(s.steps), "");
    row("steps", "hours", s.hours, "h");
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (r.judged.aligned.logged[k]) {
            row(std::string(StreamKey(k)) + " gaps", "count", static_cast<double>(s.gapSteps[k]),
                "");
            row(std::string(StreamKey(k)) + " gaps", "hours", s.gapHours[k], "h");
        }
    }
    row("outdoor fraction", "mean", s.outdoorFractionMean, "");
    row("outdoor fraction", "hours", s.outdoorFractionHours, "h");
    row("outdoor fraction on humidity ratio", "mean", s.fractionOnHumidityRatioMean, "");
    row("outdoor fraction on enthalpy", "mean", s.fractionOnEnthalpyMean, "");
    row("effectiveness sensible", "mean", s.effectivenessSensibleMean, "");
    row("effectiveness latent", "mean", s.effectivenessLatentMean, "");
    row("effectiveness total", "mean", s.effectivenessTotalMean, "");
    row("effectiveness", "hours", s.effectivenessHours, "h");
    if (r.judgement.massFlow) {
        row("coil sensible", "energy", s.coilSensibleKWh, "kWh");
        row("coil latent", "energy", s.coilLatentKWh, "kWh");
        row("coil total", "energy", s.coilTotalKWh, "kWh");
        row("condensate", "mass", s.condensateKg, "kg");
    }
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        row(FaultKey(k), "hours", s.faultHours[k], "h");
        for (const streams::FaultPeriod& p : s.faultPeriods[k]) {
            csv += "streams," + CsvField(TimeText(p.start) + " to " + TimeText(p.end)) + "," +
                   FaultKey(k) + ",period hours," + Exact(p.hours) + ",h\n";
        }
    }
    return csv;
}

std::string StreamsJson(const StreamsReport& r) {
    const streams::StreamSummary& s = r.judged.summary;
    const auto& a = r.judged.aligned;
    const auto byStream = [&](const auto& values) {
        std::string object = "{";
        for (std::size_t k = 0; k < kStreamCount; ++k) {
            if (a.logged[k]) {
                object += std::string(object.size() > 1 ? ", " : "") + "\"" + StreamKey(k) +
                          "\": " + Exact(static_cast<double>(values[k]));
            }
        }
        return object + "}";
    };
    const auto byFault = [&](const auto& values) {
        std::string object = "{";
        for (std::size_t k = 0; k < kFaultCount; ++k) {
            object += std::string(k > 0 ? ", " : "") + "\"" + FaultKey(k) +
                      "\": " + Exact(static_cast<double>(values[k]));
        }
        return object + "}";
    };
    std::string logged;
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (a.logged[k]) {
            logged += std::string(logged.empty() ? "" : ", ") + "\"" + StreamKey(k) + "\"";
        }
    }
    std::string j = "{\n  \"source\": " + JsonString(r.source) + ",\n  \"streams\": {\n";
    j += "    \"logged\": [" + logged + "],\n";
    j += std::string("    \"alignment\": \"") + AlignmentKey(r.alignment.how) + "\",\n";
    j += "    \"toleranceSeconds\": " + Exact(r.alignment.toleranceSeconds) + ",\n";
    j += "    \"steps\": " + std::to_string(s.steps) + ",\n";
    j += "    \"hours\": " + Exact(s.hours) + ",\n";
    j += "    \"gapSteps\": " + byStream(s.gapSteps) + ",\n";
    j += "    \"gapHours\": " + byStream(s.gapHours) + ",\n";
    j += "    \"outdoorFractionMean\": " + Exact(s.outdoorFractionMean) + ",\n";
    j += "    \"outdoorFractionHours\": " + Exact(s.outdoorFractionHours) + ",\n";
    j += "    \"outdoorFractionOnHumidityRatioMean\": " + Exact(s.fractionOnHumidityRatioMean) +
         ",\n";
    j += "    \"outdoorFractionOnEnthalpyMean\": " + Exact(s.fractionOnEnthalpyMean) + ",\n";
    j += "    \"effectivenessSensibleMean\": " + Exact(s.effectivenessSensibleMean) + ",\n";
    j += "    \"effectivenessLatentMean\": " + Exact(s.effectivenessLatentMean) + ",\n";
    j += "    \"effectivenessTotalMean\": " + Exact(s.effectivenessTotalMean) + ",\n";
    j += "    \"effectivenessHours\": " + Exact(s.effectivenessHours) + ",\n";
    if (r.judgement.massFlow) {
        j += "    \"coil\": {\"flowKgS\": " + Exact(*r.judgement.massFlow) +
             ", \"sensibleKWh\": " + Exact(s.coilSensibleKWh) +
             ", \"latentKWh\": " + Exact(s.coilLatentKWh) +
             ", \"totalKWh\": " + Exact(s.coilTotalKWh) +
             ", \"condensateKg\": " + Exact(s.condensateKg) + "},\n";
    } else {
        j += "    \"coil\": null,\n";
    }
    j += "    \"faultHours\": " + byFault(s.faultHours) + ",\n";
    j += "    \"faultSteps\": " + byFault(s.faultSteps) + ",\n";
    j += "    \"faultPeriods\": {";
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        j += std::string(k > 0 ? ", " : "") + "\"" + FaultKey(k) + "\": [";
        const auto& periods = s.faultPeriods[k];
        for (std::size_t p = 0; p < periods.size(); ++p) {
            j += std::string(p > 0 ? ", " : "") +
                 "{\"start\": " + JsonString(TimeText(periods[p].start)) +
                 ", \"end\": " + JsonString(TimeText(periods[p].end)) +
                 ", \"hours\": " + Exact(periods[p].hours) + "}";
        }
        j += "]";
    }
    j += "}\n";
    return j + "  }\n}\n";
}

} // namespace hygrovane::loggerfile
