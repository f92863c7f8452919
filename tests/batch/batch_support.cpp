#include "batch_support.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace hygrovane::batch::testing {

std::ptrdiff_t StringSource::read(char* buffer, std::size_t size) {
    const std::size_t count = std::min({size, piece_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<std::ptrdiff_t>(count);
}

std::string Convert(const std::string& bytes, std::vector<std::string> options, int threads,
                    std::string* error, Tally* tally) {
    std::string message;
    options.push_back("input.csv");
    const auto line = ParseCommandLine(options);
    StringSource source(bytes);
    std::vector<std::string> notes;
    const auto read = line ? ReadHead(source, line->separator) : Fail(line.error());
    const auto settings = read ? SettingsFor(*line, read->file, notes)
                               : Fail(SettingsFailure{.message = read.error()});
    if (!settings) {
        message = settings.error().message;
    } else {
        const Head& head = *read;
        const auto made = Plan::Make(*settings, head.file.shape, head.file.names.size());
        message = made ? std::string() : made.error();
        if (made) {
            const Plan& plan = *made;
            StringSink sink;
            RunOptions run;
            run.threads = threads;
            const RunOutcome outcome = Run(plan, head, source, sink, run);
            if (tally != nullptr) {
                *tally = outcome.tally;
            }
            if (outcome.status == RunOutcome::Status::Done) {
                return sink.written;
            }
            message = outcome.error;
        }
    }
    if (error != nullptr) {
        *error = message;
    }
    return {};
}

int RunProgram(const std::vector<std::string>& args, std::string* out, std::string* err,
               const ThreadStarter& startThread) {
    std::FILE* outStream = std::tmpfile();
    std::FILE* errStream = std::tmpfile();
    const int status = RunCommandLine(args, outStream, errStream, false, startThread);
    for (auto [stream, text] : {std::pair{outStream, out}, std::pair{errStream, err}}) {
        std::rewind(stream);
        std::string read;
        for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
            read += static_cast<char>(c);
        }
        if (text != nullptr) {
            *text = read;
        }
        std::fclose(stream);
    }
    return status;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Cells(const std::string& line, char separator) {
    std::vector<std::string_view> views;
    SplitCells(line, separator, views);
    std::vector<std::string> cells;
    for (const std::string_view view : views) {
        cells.push_back(CellText(view));
    }
    return cells;
}

} // namespace hygrovane::batch::testing
