#include "climatecli/stream_run.h"

#include "cli/output.h"
#include "cli/streams.h"
#include "climate/read_failure.h"
#include "climatecli/input_text.h"
#include "loggerfile/logger_series.h"
#include "loggerfile/stream_writers.h"

#include <map>
#include <memory>

namespace hygrovane::climatecli {

int RunStreams(const CommandLine& line, std::string input, std::FILE* out, std::FILE* err) {
    const auto say = [err](const std::string& text) { cli::Say(err, kProgram, text); };
    const StreamOptions& options = line.streams;
    const bool toFile = line.output != "-";
    // The streams of each file, the input's under "".
    std::map<std::string, std::vector<std::size_t>> byFile;
    for (std::size_t s = 0; s < streams::kStreamCount; ++s) {
        if (options.prefixes[s]) {
            byFile[options.files[s]].push_back(s);
        }
    }
    for (const auto& [file, _] : byFile) {
        if (!file.empty() && toFile && cli::SameFile(file, line.output)) {
            say("the output \"" + line.output + "\" would replace \"" + file + "\"");
            return kExitUsage;
        }
    }
    streams::StreamSet set;
    for (const auto& [file, indices] : byFile) {
        const std::string name = file.empty() ? line.inputName() : file;
        std::string text;
        if (file.empty()) {
            text = std::move(input);
        } else {
            if (file == "-" || IsDevice(file)) {
                say("cannot read \"" + file + "\": --stream-file takes a file");
                return kExitUnreadable;
            }
            auto opened = cli::OpenSource(file);
            if (!opened) {
                say("cannot read \"" + file + "\": " + opened.error());
                return kExitUnreadable;
            }
            auto read = ReadAll(*opened.value());
            if (!read) {
                say("cannot read \"" + file + "\": " + read.error().why);
                return kExitUnreadable;
            }
            text = std::move(read.value());
        }
        std::vector<std::string> prefixes;
        for (const std::size_t s : indices) {
            prefixes.push_back(*options.prefixes[s]);
        }
        auto read = loggerfile::ReadLoggerStreams(text, prefixes);
        if (!read) {
            say("cannot read \"" + name + "\": " + climate::Describe(read.error()));
            return kExitUnreadable;
        }
        for (std::size_t k = 0; k < indices.size(); ++k) {
            say(std::string(streams::KeyOf(static_cast<streams::StreamName>(indices[k]))) + " " +
                read->notes[k]);
            set[indices[k]] = std::move(read->series[k]);
        }
    }

    loggerfile::StreamsReport report;
    report.source = line.input == "-" ? std::string("-") : line.inputName();
    report.alignment = options.alignment;
    report.alignment.formulation = line.settings.states.formulation;
    report.judgement = options.judgement;
    report.judged = streams::Judge(set, report.alignment, report.judgement);
    const std::string figures = line.format == Format::Json  ? loggerfile::StreamsJson(report)
                                : line.format == Format::Csv ? loggerfile::StreamsCsv(report)
                                                             : loggerfile::StreamsText(report);
    auto sink = cli::OpenOutput(line.output, out);
    if (!sink) {
        return cli::Report(err, kProgram, sink.error());
    }
    if (const auto written = cli::WriteWhole(*sink.value(), line.output, figures); !written) {
        return cli::Report(err, kProgram, written.error());
    }
    return kExitDone;
}

} // namespace hygrovane::climatecli
