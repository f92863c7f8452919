#include "models/streams_model.h"

#include "climate/read_failure.h"
#include "fileio/file_io.h"

#include <algorithm>
#include <map>

namespace hygrovane::models {

namespace {

using streams::kStreamCount;
using streams::StreamName;

// A logger file larger than this is not one a window maps by hand.
constexpr std::size_t kLargestLogger = std::size_t{512} << 20;

// The prefixes a stream's columns usually start with, tried when a file is opened.
const std::array<std::vector<std::string>, kStreamCount>& UsualPrefixes() {
    static const std::array<std::vector<std::string>, kStreamCount> prefixes{{
        {"OA", "outdoor", "ODA"},
        {"RA", "return", "ETA"},
        {"MA", "mixed", "MIX"},
        {"AR", "after recovery", "after-recovery", "ERV"},
        {"SA", "supply", "SUP"},
    }};
    return prefixes;
}

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

Expected<OpenedLogger, std::string> OpenLogger(const std::string& path) {
    auto text = fileio::ReadSmallFile(path, kLargestLogger, "logger file");
    if (!text) {
        return Fail(text.error().message);
    }
    auto columns = loggerfile::ReadLoggerColumns(*text);
    if (!columns) {
        return Fail("The logger file \"" + path +
                    "\" could not be read: " + climate::Describe(columns.error()));
    }
    return OpenedLogger{path, std::move(*text), std::move(*columns)};
}

Expected<std::size_t, std::string> StreamsModel::addFile(const std::string& path) {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].path == path) {
            return i;
        }
    }
    auto opened = OpenLogger(path);
    if (!opened) {
        return Fail(opened.error());
    }
    const std::size_t index = files_.size();
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        StreamColumns& stream = setup_.streams[s];
        if (stream.used) {
            continue;
        }
        for (const std::string& prefix : UsualPrefixes()[s]) {
            if (auto found = loggerfile::StreamMappings(opened->text, {prefix})) {
                stream = {true, index, found->front()};
                break;
            }
        }
    }
    files_.push_back(std::move(*opened));
    setup_.files.push_back(path);
    return index;
}

std::vector<std::string> StreamsModel::restore(const StreamsSetup& setup) {
    std::vector<std::string> messages;
    files_.clear();
    report_.reset();
    notes_.clear();
    setup_ = setup;
    setup_.files.clear();
    std::map<std::size_t, std::size_t> moved; // a kept file's index to its index now
    for (std::size_t i = 0; i < setup.files.size(); ++i) {
        auto opened = OpenLogger(setup.files[i]);
        if (!opened) {
            messages.push_back(opened.error());
            continue;
        }
        moved[i] = files_.size();
        files_.push_back(std::move(*opened));
        setup_.files.push_back(setup.files[i]);
    }
    for (StreamColumns& stream : setup_.streams) {
        const auto to = moved.find(stream.file);
        if (!stream.used || to == moved.end()) {
            stream.used = false;
            stream.file = 0;
        } else {
            stream.file = to->second;
        }
    }
    return messages;
}

Expected<Done, std::string> StreamsModel::run(const StreamsSetup& setup) {
    // The mapped streams of each file, read with one pass of the reader.
    std::map<std::size_t, std::vector<std::size_t>> byFile;
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        if (setup.streams[s].used) {
            if (setup.streams[s].file >= files_.size()) {
                return Fail(std::string(StreamCaption(static_cast<StreamName>(s))) +
                            " air: no file is open for it.");
            }
            byFile[setup.streams[s].file].push_back(s);
        }
    }
    if (byFile.empty()) {
        return Fail(std::string("No stream is mapped: choose the columns of at least one."));
    }
    streams::StreamSet set;
    std::vector<std::string> notes;
    for (const auto& [file, indices] : byFile) {
        const OpenedLogger& logger = files_[file];
        for (const std::size_t s : indices) {
            std::vector<batch::Mapping> one{setup.streams[s].columns};
            // Each stream on its own, so that a refusal names the stream it is about.
            auto read = loggerfile::ReadMappedStreams(logger.text, one);
            if (!read) {
                return Fail(std::string(StreamCaption(static_cast<StreamName>(s))) + " air in \"" +
                            FileName(logger.path) + "\": " + climate::Describe(read.error()));
            }
            notes.push_back(std::string(streams::KeyOf(static_cast<StreamName>(s))) + ": " +
                            FileName(logger.path) + ", " + read->notes.front());
            set[s] = std::move(read->series.front());
        }
    }
    loggerfile::StreamsReport report;
    report.source = files_[byFile.begin()->first].path;
    report.alignment = setup.alignment;
    report.judgement = setup.judgement;
    report.judged = streams::Judge(set, report.alignment, report.judgement);
    setup_ = setup;
    setup_.files.clear();
    for (const OpenedLogger& logger : files_) {
        setup_.files.push_back(logger.path);
    }
    report_ = std::move(report);
    notes_ = std::move(notes);
    return Done{};
}

std::string StreamsModel::json() const {
    return report_ ? loggerfile::StreamsJson(*report_) : std::string();
}

const char* StreamCaption(StreamName stream) {
    switch (stream) {
    case StreamName::Outdoor:
        return "Outdoor";
    case StreamName::Return:
        return "Return";
    case StreamName::Mixed:
        return "Mixed";
    case StreamName::AfterRecovery:
        return "After recovery";
    case StreamName::Supply:
        return "Supply";
    }
    return "";
}

} // namespace hygrovane::models
