#pragma once

// The measured-streams page of the Climate window without widgets: logger files opened, their
// columns mapped to a unit's streams, the streams read through hygrovane-climate's reader and
// judged, the figures as a results table, the same JSON as the command line's, the streams as
// time-coloured marks on the chart and the mark under the mouse.

#include "batch/columns.h"
#include "chart/overlay.h"
#include "hygrovane/expected.h"
#include "loggerfile/logger_series.h"
#include "loggerfile/stream_writers.h"
#include "streams/judgement.h"
#include "tables/table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::models {

// Where a stream's readings are: a file of the open ones and its columns (batch's mapping: the
// dry bulb, the humidity in its quantity, optionally the pressure or altitude; units of batch's
// lists).
struct StreamColumns {
    bool used = false;
    std::size_t file = 0;
    batch::Mapping columns;
};

struct StreamsSetup {
    std::vector<std::string> files; // paths, in the order opened
    std::array<StreamColumns, streams::kStreamCount> streams{};
    streams::AlignmentSettings alignment;
    streams::JudgementSettings judgement;
};

// The setup as "key=value" lines, kept between runs; read back, a line it does not know or a
// value it cannot read keeps the default, so an old or damaged text never refuses to open.
std::string SetupText(const StreamsSetup& setup);
StreamsSetup SetupFromText(std::string_view text);

// A logger file opened for mapping: its text and its columns.
struct OpenedLogger {
    std::string path;
    std::string text;
    loggerfile::LoggerColumns columns;
};

// The file read whole and its columns found; the message names the file and why not.
Expected<OpenedLogger, std::string> OpenLogger(const std::string& path);

// The nearest mark to a chart point and what the hover says of it.
struct StreamMark {
    streams::StreamName stream = streams::StreamName::Outdoor;
    std::size_t step = 0;
};

class StreamsModel {
  public:
    const StreamsSetup& setup() const { return setup_; }
    const std::vector<OpenedLogger>& files() const { return files_; }

    // Opens a file beside the open ones (the same path again is taken once); refused with a
    // message naming the file. A stream mapped to no file yet takes the file's prefix columns
    // ("OA", "outdoor"...) when batch's detection finds them.
    Expected<std::size_t, std::string> addFile(const std::string& path);
    // Takes a kept setup: its files are opened again; one that cannot be is left out with its
    // streams (the messages returned).
    std::vector<std::string> restore(const StreamsSetup& setup);

    // Reads every mapped stream through the logger reader and judges them; all or nothing: a
    // refusal names the stream, the file and the column, and keeps the figures shown before.
    Expected<Done, std::string> run(const StreamsSetup& setup);

    bool judged() const { return report_.has_value(); }
    const loggerfile::StreamsReport& report() const { return *report_; }
    // What the reader noted of each stream's columns.
    const std::vector<std::string>& notes() const { return notes_; }

    // The figures in the one table model: the streams and their gaps, the outdoor-air fraction
    // (on W, on h), the recovery's effectiveness, the coil, the faults with their first period.
    tables::Table table() const;
    // The table's CSV (its `# key,value,unit` title block) and the command line's JSON.
    std::string csv() const;
    std::string json() const;

    // Each stream's steps as marks, one colour family a stream, pale to dark from the first
    // step to the last, with a key.
    chart::Overlay overlay() const;
    // The mark nearest a chart point (a kelvin and a gram per kilogram weigh alike) within
    // `reach` of those units; none without one.
    std::optional<StreamMark> markAt(chart::ChartPoint point, double reach = 0.6) const;
    // "2025-03-05 12:00 · mixed: 27.4 °C, 31 % RH, 6.5 g/kg"; empty without a mark there.
    std::string hoverTextAt(chart::ChartPoint point) const;

  private:
    StreamsSetup setup_;
    std::vector<OpenedLogger> files_;
    std::optional<loggerfile::StreamsReport> report_;
    std::vector<std::string> notes_;
};

// A stream's colour at a share of the time from the first step (0) to the last (1).
chart::OverlayColour StreamColour(streams::StreamName stream, double share);
// "Outdoor", "Return", "Mixed", "After recovery", "Supply".
const char* StreamCaption(streams::StreamName stream);

} // namespace hygrovane::models
