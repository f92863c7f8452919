// The measured streams' setup kept between runs as "key=value" lines.
#include "models/streams_model.h"

#include "text/number_parse.h"
#include "text/number_text.h"

#include <vector>

namespace hygrovane::models {

namespace {

using streams::kStreamCount;
using streams::StreamName;

std::string Number(double x) {
    return text::ShortestText(x);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// "file;dryBulbColumn;unit;humidityInput;humidityColumn;unit;pressureInput;pressureColumn;unit"
// and the three units' factors (a unit read by a factor, inHg as kPa).
std::string StreamText(const StreamColumns& s) {
    const batch::Mapping& m = s.columns;
    return std::to_string(s.file) + ";" + std::to_string(m.dryBulb.column) + ";" + m.dryBulb.unit +
           ";" + std::to_string(static_cast<int>(m.humidityInput)) + ";" +
           std::to_string(m.humidity.column) + ";" + m.humidity.unit + ";" +
           std::to_string(static_cast<int>(m.pressureInput)) + ";" +
           std::to_string(m.pressure.column) + ";" + m.pressure.unit + ";" +
           Number(m.dryBulb.scale) + ";" + Number(m.humidity.scale) + ";" +
           Number(m.pressure.scale);
}

std::optional<StreamColumns> StreamFrom(std::string_view text) {
    const auto parts = Split(text, ';');
    if (parts.size() != 9 && parts.size() != 12) {
        return std::nullopt;
    }
    const auto integer = [&](std::size_t k) { return text::ParseInteger<int>(parts[k]); };
    const auto file = integer(0), dryBulb = integer(1), humidityInput = integer(3),
               humidity = integer(4), pressureInput = integer(6), pressure = integer(7);
    if (!file || !dryBulb || !humidityInput || !humidity || !pressureInput || !pressure ||
        *file < 0 || *humidityInput < 0 ||
        *humidityInput >= static_cast<int>(kHumidityInputs.size()) || *pressureInput < 0 ||
        *pressureInput > 1) {
        return std::nullopt;
    }
    StreamColumns s;
    s.used = true;
    s.file = static_cast<std::size_t>(*file);
    s.columns.dryBulb.column = *dryBulb;
    s.columns.dryBulb.unit = std::string(parts[2]);
    s.columns.humidityInput = static_cast<HumidityInput>(*humidityInput);
    s.columns.humidity.column = *humidity;
    s.columns.humidity.unit = std::string(parts[5]);
    s.columns.pressureInput = static_cast<PressureInput>(*pressureInput);
    s.columns.pressure.column = *pressure;
    s.columns.pressure.unit = std::string(parts[8]);
    if (parts.size() == 12) {
        batch::Source* sources[] = {&s.columns.dryBulb, &s.columns.humidity, &s.columns.pressure};
        for (std::size_t k = 0; k < 3; ++k) {
            const auto scale = text::ParseNumber(parts[9 + k]);
            if (!scale || !(*scale > 0)) {
                return std::nullopt;
            }
            sources[k]->scale = *scale;
        }
    }
    return s;
}

} // namespace

std::string SetupText(const StreamsSetup& setup) {
    const streams::AlignmentSettings& a = setup.alignment;
    const streams::JudgementSettings& j = setup.judgement;
    std::string t;
    t += std::string("alignment=") + (a.how == streams::Alignment::Linear ? "linear" : "nearest") +
         "\n";
    t += "toleranceSeconds=" + Number(a.toleranceSeconds) + "\n";
    t += "frozenReadings=" + std::to_string(a.frozenReadings) + "\n";
    t += "fractionTolerance=" + Number(j.fractionTolerance) + "\n";
    t += "dryBulbTolerance=" + Number(j.dryBulbTolerance) + "\n";
    t += "supplyRise=" + Number(j.supplyRise) + "\n";
    t += std::string("heats=") + (j.heats ? "1" : "0") + "\n";
    t += "massFlow=" + (j.massFlow ? Number(*j.massFlow) : std::string()) + "\n";
    for (const std::string& file : setup.files) {
        t += "file=" + file + "\n";
    }
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        if (setup.streams[s].used) {
            t += std::string("stream.") + streams::KeyOf(static_cast<StreamName>(s)) + "=" +
                 StreamText(setup.streams[s]) + "\n";
        }
    }
    return t;
}

StreamsSetup SetupFromText(std::string_view text) {
    StreamsSetup setup;
    streams::AlignmentSettings& a = setup.alignment;
    streams::JudgementSettings& j = setup.judgement;
    for (const std::string_view line : Split(text, '\n')) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        const auto number = text::ParseNumber(value);
        const auto positive = [&](double& into) {
            if (number && *number >= 0) {
                into = *number;
            }
        };
        if (key == "alignment" && (value == "linear" || value == "nearest")) {
            a.how = value == "linear" ? streams::Alignment::Linear : streams::Alignment::Nearest;
        } else if (key == "toleranceSeconds") {
            positive(a.toleranceSeconds);
        } else if (key == "frozenReadings") {
            if (const auto n = text::ParseInteger<int>(value); n && *n >= 0) {
                a.frozenReadings = *n;
            }
        } else if (key == "fractionTolerance") {
            positive(j.fractionTolerance);
        } else if (key == "dryBulbTolerance") {
            positive(j.dryBulbTolerance);
        } else if (key == "supplyRise") {
            positive(j.supplyRise);
        } else if (key == "heats" && (value == "0" || value == "1")) {
            j.heats = value == "1";
        } else if (key == "massFlow") {
            j.massFlow = number && *number > 0 ? number : std::nullopt;
        } else if (key == "file" && !value.empty()) {
            setup.files.emplace_back(value);
        } else if (key.substr(0, 7) == "stream.") {
            const auto name = streams::StreamNamed(key.substr(7));
            const auto stream = StreamFrom(value);
            if (name && stream) {
                setup.streams[streams::IndexOf(*name)] = *stream;
            }
        }
    }
    return setup;
}

} // namespace hygrovane::models
