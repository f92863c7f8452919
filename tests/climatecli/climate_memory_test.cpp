// hygrovane-climate short of memory: the documented status and a sentence, never an abort.
#include "climatecli/command_line.h"
#include "memory_limit.h"
#include "program_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace hygrovane::climatecli {
namespace {

using namespace testing;
using hygrovane::testing::InChildUnderLimit;

// One-minute readings of a logger, `rows` of them: 15 MB of text whose series (a record of
// every field per reading, some 300 bytes) needs ten times that.
std::string LoggerText(std::size_t rows) {
    std::string text = "Timestamp,Temp (C),RH (%)\n";
    char line[64];
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t minutes = i;
        const std::size_t day = minutes / 1440 % 28 + 1, month = minutes / 1440 / 28 % 12 + 1;
        const int n = std::snprintf(line, sizeof line, "2025-%02zu-%02zu %02zu:%02zu,%zu,50\n",
                                    month, day, minutes / 60 % 24, minutes % 60, 15 + i % 10);
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

TEST(ClimateMemory, ShortOfMemoryTheRunSaysSoWithStatusTwo) {
    if (!hygrovane::testing::kAllocationsFailUnderALimit) {
        GTEST_SKIP() << "the sanitizer's allocator ends the process at the limit";
    }
    const std::string folder = TemporaryFolder();
    const std::string input = folder + "/readings.csv";
    // 483,840 readings: 28 days a month in order, within one year.
    WriteText(input, LoggerText(28 * 1440 * 12));
    const std::string errors = folder + "/errors.txt";
    const int status = InChildUnderLimit(std::size_t{64} << 20, [&] {
        std::FILE* out = std::fopen("/dev/null", "w");
        std::FILE* err = std::fopen(errors.c_str(), "w");
        if (!out || !err) {
            return 98;
        }
        const int ran = RunCommandLine({input}, out, err);
        std::fclose(out); // the child ends in _exit, which flushes nothing
        std::fclose(err);
        return ran;
    });
    // Without the limit the same file is read whole: the refusal is the memory's.
    EXPECT_EQ(RunProgram({input}).status, 0);
    EXPECT_EQ(status, 2) << "-1: the run was ended by a signal (std::bad_alloc)";
    EXPECT_NE(TextOf(errors).find("not enough memory"), std::string::npos) << TextOf(errors);
}

} // namespace
} // namespace hygrovane::climatecli
