#include "batch/command_line.h"

#include "batch/command_line_parts.h"
#include "cli/output.h"

#include <chrono>
#include <cstdio>

namespace hygrovane::batch {

using command_line::kProgram;

namespace {

std::string Percent(std::uint64_t part, std::uint64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%3.0f%%",
                  whole == 0 ? 0.0
                             : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

// Converts the source into the sink, says how it went on err and returns the exit status.
int Convert(const CommandLine& line, const Plan& plan, const Head& head, ByteSource& source,
            ByteSink& sink, std::FILE* err, bool terminal, const ThreadStarter& startThread) {
    const auto say = [err](const std::string& text) { cli::Say(err, kProgram, text); };
    const bool toFile = line.output != "-";
    RunOptions options;
    const int asked = line.threads > 0 ? line.threads : DefaultThreads();
    options.threads = UsefulThreads(asked, source.size());
    options.startThread = startThread;
    auto lastShown = std::chrono::steady_clock::now();
    bool progressShown = false;
    if (terminal) {
        options.progress = [&](const Progress& p) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastShown < std::chrono::milliseconds(250)) {
                return;
            }
            lastShown = now;
            progressShown = true;
            std::string text = "\r" + std::to_string(p.rows) + " rows";
            if (p.totalBytes != 0) {
                text += " " + Percent(p.bytesRead, p.totalBytes);
            }
            std::fputs(text.c_str(), err);
            std::fflush(err);
        };
    }
    const RunOutcome outcome = Run(plan, head, source, sink, options);
    if (progressShown) {
        std::fputs("\r\033[K", err);
    }
    switch (outcome.status) {
    case RunOutcome::Status::ReadFailed:
        return cli::Report(err, kProgram, cli::CannotRead(line, outcome.error, toFile));
    case RunOutcome::Status::WriteFailed:
        return cli::Report(err, kProgram, cli::CannotWrite(line.output, outcome.error, toFile));
    case RunOutcome::Status::Cancelled:
    case RunOutcome::Status::Done:
        break;
    }
    if (outcome.threads < options.threads) {
        say("only " + std::to_string(outcome.threads) + " of " + std::to_string(options.threads) +
            " threads could be started; the rows were computed on those");
    }
    std::fputs(SummaryText(plan, outcome).c_str(), err);
    return kExitDone;
}

} // namespace

std::string SummaryText(const Plan& plan, const RunOutcome& outcome) {
    const Tally& t = outcome.tally;
    char head[200];
    const double rate = outcome.seconds > 0 ? static_cast<double>(t.rows) / outcome.seconds : 0.0;
    std::snprintf(head, sizeof head,
                  "%s: %llu rows read, %llu computed, %llu refused, in %.2f s (%.0f rows/s)\n",
                  kProgram, static_cast<unsigned long long>(t.rows),
                  static_cast<unsigned long long>(t.computed),
                  static_cast<unsigned long long>(t.rows - t.computed), outcome.seconds, rate);
    std::string text = head;
    for (std::size_t r = 0; r < t.refused.size(); ++r) {
        for (std::size_t f = 0; f < t.refused[r].size(); ++f) {
            if (t.refused[r][f] != 0) {
                char line[40];
                std::snprintf(line, sizeof line, "  %10llu  ",
                              static_cast<unsigned long long>(t.refused[r][f]));
                text +=
                    line + plan.RefusalName(static_cast<Refusal>(r), static_cast<Field>(f)) + "\n";
            }
        }
    }
    if (t.blankLines != 0) {
        text += "  " + std::to_string(t.blankLines) + " blank lines passed through\n";
    }
    // Every line of the file is accounted for: none is taken for a header unseen.
    const std::uint64_t above = plan.shape().titleLines + plan.shape().headerLines;
    text += "  " + std::to_string(above + t.rows + t.blankLines) +
            " lines: " + std::to_string(above) + " title and header, " + std::to_string(t.rows) +
            " rows read (" + std::to_string(t.computed) + " used, " +
            std::to_string(t.rows - t.computed) + " skipped), " + std::to_string(t.blankLines) +
            " blank\n";
    return text;
}

int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                   bool terminal, const ThreadStarter& startThread) {
    const auto say = [err](const std::string& text) { cli::Say(err, kProgram, text); };
    const auto report = [err](const cli::RunFailure& failure) {
        return cli::Report(err, kProgram, failure);
    };
    const Expected<CommandLine, std::string> line = ParseCommandLine(args);
    if (const auto ended = cli::EndedBeforeRun(line, {kProgram, HelpText, VersionText}, out, err)) {
        return *ended;
    }
    auto opened = cli::OpenInput(*line);
    if (!opened) {
        return report(opened.error());
    }
    const std::unique_ptr<ByteSource> source = std::move(opened.value());
    const Expected<Head, std::string> read = ReadHead(*source, line->separator, line->headerLine);
    if (!read) {
        return report(cli::CannotRead(*line, read.error()));
    }
    const Head& head = *read;
    std::vector<std::string> notes;
    const auto settings = SettingsFor(*line, head.file, notes);
    if (!settings) {
        say("\"" + line->inputName() + "\": " + settings.error().message);
        return settings.error().kind == SettingsFailureKind::BadOption ? kExitUsage
                                                                       : kExitUnreadable;
    }
    const auto made = Plan::Make(*settings, head.file.shape, head.file.names.size());
    if (!made) {
        say(made.error());
        return kExitUsage;
    }
    const Plan& plan = *made;
    for (const std::string& note : notes) {
        say(note);
    }
    auto sink = cli::OpenOutput(line->output, out);
    if (!sink) {
        return report(sink.error());
    }
    return Convert(*line, plan, head, *source, *sink.value(), err, terminal, startThread);
}

} // namespace hygrovane::batch
