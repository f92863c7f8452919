#pragma once

#include "batch/batch_run.h"
#include "batch/columns.h"
#include "batch/conversion.h"
#include "models/command_outcome.h"
#include "models/platform.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace hygrovane::models {

// The Batch Convert dialog without Qt: the file chosen and its first rows, the columns and units
// to read (detected, then changed by the user), the output file, and a conversion that runs on
// a thread of its own while the view polls its progress.
class BatchModel {
  public:
    explicit BatchModel(Platform& platform);
    ~BatchModel(); // cancels a running conversion and waits for it
    BatchModel(const BatchModel&) = delete;
    BatchModel& operator=(const BatchModel&) = delete;

    // The file: by a dialog, or a path typed. Reads its first rows and detects the columns; the
    // output defaults to the input's name with "-psychrometric" before its extension.
    void chooseInput();
    void setInput(const std::string& path);
    // A path chosen in the save dialog was confirmed there; any other existing file is replaced
    // only after a question.
    void chooseOutput();
    void setOutput(const std::string& path) { output_ = path; }
    // The header's line (from 1) when the names do not show it; 0: found by its names. Reads
    // the file again.
    void setHeaderLine(std::size_t line);
    std::size_t headerLine() const { return headerLine_; }
    // The title and header lines above the first row.
    std::size_t linesAbove() const {
        return head_.file.shape.titleLines + head_.file.shape.headerLines;
    }
    // How threads are started (tests make it fail); empty: std::thread.
    void setThreadStarter(batch::ThreadStarter start) { startThread_ = std::move(start); }

    const std::string& input() const { return input_; }
    const std::string& output() const { return output_; }
    // The header and first rows of the file (UTF-8), for the preview.
    const std::vector<std::string>& columns() const { return head_.file.names; }
    const std::vector<std::vector<std::string>>& rows() const { return head_.file.rows; }
    bool fileRead() const { return !head_.file.names.empty(); }

    // The columns and units to read. Changing an input's column takes the unit its header names.
    batch::Settings& settings() { return settings_; }
    const batch::Settings& settings() const { return settings_; }
    void setDryBulbColumn(int column);
    void setHumidity(HumidityInput input, int column);
    // The unit of one input, a name of batch::UnitChoices.
    void setUnit(batch::Role role, const std::string& unit);
    // column < 0: the value typed in settings().mapping.pressure.value for every row.
    void setPressure(PressureInput input, int column);
    void setBritish(bool british);
    bool british() const { return british_; }

    // Why the conversion cannot start now; empty when it can.
    std::string runProblem() const;
    // Starts the conversion on its own thread: Done when it started, Refused (message() says why)
    // or Cancelled (the user kept an existing output file) when it did not.
    CommandOutcome run();
    void cancel();
    // Brings progress and the end of a conversion in; true while it runs.
    bool poll();
    bool running() const { return worker_.joinable(); }
    // From 0 to 1 while running.
    double progress() const;

    // What went wrong, or the summary of the last conversion.
    const std::string& message() const { return message_; }

  private:
    void detect();

    Platform& platform_;
    std::string input_;
    std::string output_;
    std::string confirmedOutput_; // chosen in the save dialog, which asked about replacing it
    std::size_t headerLine_ = 0;
    batch::ThreadStarter startThread_;
    batch::Head head_;
    batch::Settings settings_;
    bool british_ = false;
    std::string message_;

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::atomic<std::uint64_t> bytesRead_{0};
    std::atomic<std::uint64_t> totalBytes_{0};
    std::mutex mutex_;
    std::string result_; // written by the worker, read after it ends
};

} // namespace hygrovane::models
