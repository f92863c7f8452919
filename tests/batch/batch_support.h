#pragma once

#include "batch/batch_run.h"
#include "batch/command_line.h"

#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::batch::testing {

// Bytes in memory as a source, read in small pieces to exercise the block boundaries.
class StringSource : public ByteSource {
  public:
    explicit StringSource(std::string bytes, std::size_t piece = 1000)
        : bytes_(std::move(bytes)), piece_(piece) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override;
    std::string error() const override { return {}; }

  private:
    std::string bytes_;
    std::size_t piece_;
    std::size_t at_ = 0;
};

class StringSink : public ByteSink {
  public:
    bool write(std::string_view bytes) override {
        written += bytes;
        return true;
    }
    bool commit() override { return committed = true; }
    void discard() override { written.clear(); }
    std::string error() const override { return {}; }

    std::string written;
    bool committed = false;
};

// The output of hygrovane-batch for a file's bytes and its options (without the input's name);
// "" with the message in error when it refuses the file or the options, or fails while reading.
std::string Convert(const std::string& bytes, std::vector<std::string> options, int threads = 1,
                    std::string* error = nullptr, Tally* tally = nullptr);

// hygrovane-batch run on args: its exit status, with its standard output and error.
int RunProgram(const std::vector<std::string>& args, std::string* out = nullptr,
               std::string* err = nullptr, const ThreadStarter& startThread = {});

// The lines of a text without their line ends, and the cells of a line split at commas.
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> Cells(const std::string& line, char separator = ',');

} // namespace hygrovane::batch::testing
