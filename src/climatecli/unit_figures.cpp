#include "climatecli/unit_figures.h"

#include "unitfile/unit_file.h"
#include "unitfile/unit_results.h"

namespace hygrovane::climatecli {

Expected<std::vector<airunit::UnitSettings>, UnitRefusal> ReadUnits(const UnitOptions& options) {
    std::vector<airunit::UnitSettings> units;
    for (const std::string& path : options.files) {
        const auto bytes = fileio::ReadSmallFile(path, unitfile::kLargestUnitFile, "unit file");
        if (!bytes) {
            return Fail(UnitRefusal{kExitUnreadable, bytes.error().message});
        }
        const auto settings = unitfile::ReadUnitText(*bytes);
        if (!settings) {
            return Fail(UnitRefusal{kExitUsage, "the unit file \"" + path +
                                                    "\" is refused: " + settings.error().message});
        }
        units.push_back(*settings);
    }
    return units;
}

std::vector<airunit::UnitRun> RunUnits(const climate::WeatherData& data,
                                       const climateanalysis::ClimateSettings& settings,
                                       const std::vector<airunit::UnitSettings>& units,
                                       bool keepHours) {
    std::vector<airunit::UnitRun> runs;
    if (units.empty()) {
        return runs; // the climate's figures alone: no state is computed twice
    }
    const climate::HourlyStates states = climate::ComputeStates(data, settings.states);
    // Each setting was checked as its file was read: none is refused here.
    airunit::RunOptions options;
    options.keepHours = keepHours;
    for (auto& run : airunit::RunUnits(data, states, settings.filter, units, options)) {
        if (run) {
            runs.push_back(std::move(run.value()));
        }
    }
    return runs;
}

std::string WithUnitFigures(std::string figures, Format format,
                            const std::vector<airunit::UnitRun>& runs,
                            climateanalysis::Units units) {
    if (runs.empty()) {
        return figures;
    }
    const auto system = units == climateanalysis::Units::SI ? unitfile::FigureSystem::SI
                                                            : unitfile::FigureSystem::IP;
    switch (format) {
    case Format::Text:
        return figures + unitfile::UnitsText(runs, system);
    case Format::Csv:
        return figures + unitfile::UnitsCsvRows(runs, system);
    case Format::Json: {
        if (runs.size() > 1) {
            // The climate's own "units" (the figures' unit system) would be a second member of
            // that name beside the list, which JSON readers resolve by dropping one: it moves.
            const std::string system = "\n  \"units\": {";
            if (const std::size_t at = figures.find(system); at != std::string::npos) {
                figures.replace(at, system.size(), "\n  \"figureUnits\": {");
            }
        }
        // The climate's object closes with its last line "}": the units go in before it.
        const std::size_t close = figures.rfind('}');
        if (close == std::string::npos) {
            return figures;
        }
        std::string members;
        if (runs.size() == 1) {
            members = ",\n  \"unit\": " + unitfile::UnitJson(runs.front(), "  ");
        } else {
            members = ",\n  \"units\": [";
            for (std::size_t u = 0; u < runs.size(); ++u) {
                members += (u == 0 ? "\n    " : ",\n    ") + unitfile::UnitJson(runs[u], "    ");
            }
            members += "\n  ]";
        }
        std::size_t end = close;
        while (end > 0 && (figures[end - 1] == '\n' || figures[end - 1] == ' ')) {
            --end;
        }
        return figures.substr(0, end) + members + "\n" + figures.substr(close);
    }
    }
    return figures;
}

Expected<std::unique_ptr<cli::ByteSink>, std::string>
StartUnitHourly(const climate::WeatherData& data, const std::vector<airunit::UnitRun>& runs,
                const std::string& path) {
    auto sink = cli::CreateFileSink(path);
    if (!sink) {
        return Fail("cannot write \"" + path + "\": " + sink.error());
    }
    if (!(*sink)->write(unitfile::HourlyCsv(data, runs))) {
        const std::string why = (*sink)->error();
        (*sink)->discard();
        return Fail("cannot write \"" + path + "\": " + why + "; nothing was written");
    }
    return std::move(sink.value());
}

} // namespace hygrovane::climatecli
