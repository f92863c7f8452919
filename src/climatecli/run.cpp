// hygrovane-climate's run: read the whole input, analyse, write all or nothing.
#include "cli/output.h"
#include "cli/streams.h"
#include "climate/epw_reader.h"
#include "climate/weather_file.h"
#include "climateanalysis/climate_result.h"
#include "climateanalysis/result_writers.h"
#include "climatecli/command_line.h"
#include "climatecli/envelope_option.h"
#include "climatecli/input_text.h"
#include "climatecli/stream_run.h"
#include "climatecli/unit_figures.h"
#include "loggerfile/logger_series.h"

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

namespace hygrovane::climatecli {

namespace {

// The file's name without its folders, for the figures' heading.
std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file that is neither EPW (its LOCATION line) nor TMY3 (its station and column lines), and
// not refused as a whole (empty, UTF-16, too large: line 0).
bool IsLoggerShaped(std::string_view text, const climate::ReadFailure& failure) {
    return failure.line > 0 && !climate::IsWeatherText(text);
}

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const auto say = [err](const std::string& text) { cli::Say(err, kProgram, text); };
    const auto report = [err](const cli::RunFailure& failure) {
        return cli::Report(err, kProgram, failure);
    };
    const auto line = ParseCommandLine(args);
    if (const auto ended = cli::EndedBeforeRun(line, {kProgram, HelpText, VersionText}, out, err)) {
        return *ended;
    }
    const std::string inputName = line->inputName();
    // The units' files are read first: a refused one runs nothing.
    const auto units = ReadUnits(line->unit);
    if (!units) {
        say(units.error().message);
        return units.error().status;
    }
    for (const std::string& hourly : {line->input, line->output}) {
        if (!line->unit.hourly.empty() && hourly != "-" &&
            cli::SameFile(hourly, line->unit.hourly)) {
            say("--unit-hourly \"" + line->unit.hourly + "\" would replace \"" + hourly + "\"");
            return kExitUsage;
        }
    }
    if (line->input != "-" && IsDevice(line->input)) {
        return report(cli::CannotRead(*line, "it is a device, not a file"));
    }
    auto opened = cli::OpenInput(*line);
    if (!opened) {
        return report(opened.error());
    }
    auto read = ReadAll(*opened.value());
    opened.value().reset();
    if (!read) {
        return report(cli::CannotRead(*line, read.error().why));
    }
    std::string text = std::move(read.value()); // value(): operator* would copy
    if (line->streams.Any()) {
        return RunStreams(*line, std::move(text), out, err);
    }
    climateanalysis::ClimateSettings settings = line->settings;
    auto data = climate::ReadWeather(text);
    bool located = true;
    if (!data && IsLoggerShaped(text, data.error())) {
        // Not a weather file's header: a logger file hygrovane-batch reads, if it is one.
        auto series = loggerfile::ReadLoggerSeries(
            text, BaseName(inputName),
            line->humidityChosen ? std::optional(line->settings.states.humidity) : std::nullopt);
        if (series) {
            for (const std::string& note : series->notes) {
                say(note);
            }
            data = std::move(series.value().data);
            settings.states.humidity = series->humidity;
            located = false;
        } else {
            data = Fail(series.error());
        }
    }
    text = std::string();
    if (!data) {
        return report(cli::CannotRead(*line, climate::Describe(data.error())));
    }
    for (const std::string& note : data->header.notes) {
        say(note);
    }
    const auto weather = std::make_shared<const climate::WeatherData>(std::move(data.value()));
    const auto prepared = climateanalysis::Prepare(weather, settings);
    if (!prepared) {
        say(climateanalysis::Describe(prepared.error()));
        return kExitUsage;
    }
    auto result = climateanalysis::Summarise(*prepared, settings.filter);
    result.located = located;
    result.source = line->input == "-" ? std::string("-") : BaseName(line->input);
    std::string figures =
        WithEnvelopeFigures(line->format == Format::Csv    ? climateanalysis::ResultCsv(result)
                            : line->format == Format::Json ? climateanalysis::ResultJson(result)
                                                           : climateanalysis::ResultText(result),
                            line->format, *prepared, line->envelopes);
    const auto runs = RunUnits(*weather, settings, *units, !line->unit.hourly.empty());
    figures = WithUnitFigures(std::move(figures), line->format, runs, settings.units);
    // The hourly file is put in place only after the figures: a failed run leaves neither.
    std::unique_ptr<cli::ByteSink> hourly;
    if (!line->unit.hourly.empty()) {
        auto started = StartUnitHourly(*weather, runs, line->unit.hourly);
        if (!started) {
            say(started.error());
            return kExitUnwritable;
        }
        hourly = std::move(started.value());
    }
    const auto dropHourly = [&hourly] {
        if (hourly) {
            hourly->discard();
        }
    };

    auto sink = cli::OpenOutput(line->output, out);
    if (!sink) {
        dropHourly();
        return report(sink.error());
    }
    if (const auto written = cli::WriteWhole(*sink.value(), line->output, figures); !written) {
        dropHourly();
        return report(written.error());
    }
    if (hourly && !hourly->commit()) {
        const std::string why = hourly->error();
        hourly->discard();
        say("cannot write \"" + line->unit.hourly + "\": " + why +
            "; it was not written (the figures were)");
        return kExitUnwritable;
    }
    return kExitDone;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    // The readers turn a failed allocation into a refusal; the logger series and the analysis
    // hold memory in proportion to the rows, so a machine short of it ends here, never in abort.
    try {
        return Run(args, out, err);
    } catch (const std::bad_alloc&) {
        cli::Say(err, kProgram, "not enough memory to read and analyse the input");
        return kExitUnreadable;
    }
}

} // namespace hygrovane::climatecli
