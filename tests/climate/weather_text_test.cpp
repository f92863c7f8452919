// Whole files refused before their lines are read, named for what they are; and the memory a
// refused file may cost, checked in a child process under an address-space limit.
#include "climate/epw_reader.h"
#include "climate/weather_file.h"
#include "climate_support.h"
#include "memory_limit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hygrovane::climate {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

struct Whole {
    const char* name;
    std::function<std::string()> make;
    ReadFailureKind kind;
    const char* says;
};

std::string Utf16(const std::string& text, bool mark) {
    std::string wide = mark ? "\xFF\xFE" : "";
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

const Whole kWholes[] = {
    {"empty", [] { return std::string(); }, ReadFailureKind::Empty, "the file is empty"},
    {"blank lines only", [] { return std::string(" \r\n\t\n\n"); }, ReadFailureKind::Empty,
     "the file is empty"},
    {"a byte order mark only", [] { return std::string("\xEF\xBB\xBF\n"); }, ReadFailureKind::Empty,
     "the file is empty"},
    {"UTF-16 with its mark", [] { return Utf16(ThreeDays(), true); }, ReadFailureKind::NotText,
     "UTF-16"},
    {"UTF-16 without a mark", [] { return Utf16(ThreeDays(), false); }, ReadFailureKind::NotText,
     "UTF-16"},
    {"binary",
     [] {
         return std::string("\x7f"
                            "ELF\x02\x01\x01\0\0\0",
                            10);
     },
     ReadFailureKind::NotText, "NUL bytes"},
};

void PrintTo(const Whole& w, std::ostream* out) {
    *out << w.name;
}

class WholeFile : public ::testing::TestWithParam<Whole> {};

TEST_P(WholeFile, IsRefusedForWhatItIs) {
    const std::string text = GetParam().make();
    const auto data = ReadWeather(text);
    ASSERT_FALSE(data);
    EXPECT_EQ(data.error().kind, GetParam().kind) << Describe(data.error());
    EXPECT_EQ(data.error().line, 0u) << Describe(data.error());
    EXPECT_NE(Describe(data.error()).find(GetParam().says), std::string::npos)
        << Describe(data.error());
    EXPECT_FALSE(ReadEpw(text)) << "the EPW reader alone";
    EXPECT_FALSE(IsWeatherText(text)) << "nor the start of a weather file";
}

INSTANTIATE_TEST_SUITE_P(Climate, WholeFile, ::testing::ValuesIn(kWholes), RowName());

// A folder of the test's own, removed at its end.
class Folder {
  public:
    Folder() {
        char name[] = "/tmp/hygrovane_weather_XXXXXX";
        path_ = mkdtemp(name);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// What is not a regular file is refused before it is opened (a pipe without a writer would keep
// the reader waiting for ever, /dev/zero would feed it without end), and a file above the limit
// by its size, before a byte is read.
TEST(WeatherFile, RefusedBeforeReading) {
    const Folder folder;
    ASSERT_EQ(mkfifo((folder / "pipe.epw").c_str(), 0600), 0);
    {
        std::ofstream sparse(folder / "huge.epw");
        sparse << "LOCATION";
    }
    std::filesystem::resize_file(folder / "huge.epw", std::uintmax_t{1} << 30); // sparse
    struct Case {
        std::string path;
        ReadFailureKind kind;
        const char* says;
    };
    for (const Case& c : {Case{folder.path(), ReadFailureKind::CannotOpen, "it is a folder"},
                          Case{".", ReadFailureKind::CannotOpen, "it is a folder"},
                          Case{folder / "pipe.epw", ReadFailureKind::CannotOpen, "a named pipe"},
                          Case{"/dev/zero", ReadFailureKind::CannotOpen, "a device"},
                          Case{folder / "none.epw", ReadFailureKind::CannotOpen, "no such file"},
                          Case{folder / "huge.epw", ReadFailureKind::TooLarge, "512 MiB"}}) {
        SCOPED_TRACE(c.path);
        const auto start = std::chrono::steady_clock::now();
        const auto data = ReadWeatherFile(c.path);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_FALSE(data);
        EXPECT_EQ(data.error().kind, c.kind) << Describe(data.error());
        EXPECT_NE(Describe(data.error()).find(c.says), std::string::npos) << Describe(data.error());
        EXPECT_LT(seconds, 0.5) << "read before it was refused";
    }
}

using hygrovane::testing::InChildUnderLimit;

// The text read in a child under 64 MiB of address space: 0 when refused as `kind` (at `line`
// unless 0), 1 when read, 2 when refused otherwise, -1 when a signal ended it (std::bad_alloc).
int RefusedUnder64MiB(const std::string& text, ReadFailureKind kind, std::size_t line = 0) {
    return InChildUnderLimit(std::size_t{64} << 20, [&] {
        const auto data = ReadWeather(text);
        if (data) {
            return 1;
        }
        std::fprintf(stderr, "%s\n", Describe(data.error()).c_str());
        return data.error().kind == kind && (line == 0 || data.error().line == line) ? 0 : 2;
    });
}

// An EPW header then 50 million lines of "x" (100 MB): refused at line 9 in a few MB, not after
// a record per line (16 bytes a line for the lines alone, ~300 for the records).
TEST(WeatherMemory, ManyShortLinesAreRefusedAtTheFirst) {
    const Lines three = LinesOf(ThreeDays());
    const Lines header(three.begin(), three.begin() + 8);
    std::string text = Joined(header);
    const std::size_t headerSize = text.size();
    text.resize(headerSize + 100'000'000);
    for (std::size_t i = headerSize; i + 1 < text.size(); i += 2) {
        text[i] = 'x';
        text[i + 1] = '\n';
    }
    EXPECT_EQ(RefusedUnder64MiB(text, ReadFailureKind::ShortRow, 9), 0);
}

// Valid rows that do not fit in the memory allowed: a refusal that says so, not an abort.
TEST(WeatherMemory, RowsBeyondTheLimitAreRefused) {
    if (!hygrovane::testing::kAllocationsFailUnderALimit) {
        GTEST_SKIP() << "the sanitizer's allocator ends the process at the limit";
    }
    Lines lines = LinesOf(TextOf(SharedWeather("chicago.epw")));
    ASSERT_EQ(lines.size(), 8768u);
    // Sixty records an hour for the whole year: 525,600 rows of ~300 bytes each once read.
    std::string text;
    lines[7] = "DATA PERIODS,1,60,Data,Sunday, 1/ 1,12/31";
    for (std::size_t n = 0; n < 8; ++n) {
        text += lines[n] + "\n";
    }
    text.reserve(lines.size() * 60 * (lines[8].size() + 2));
    for (std::size_t n = 8; n < lines.size(); ++n) {
        const std::size_t minute = lines[n].find(",0,"); // year,month,day,hour,0,...
        ASSERT_NE(minute, std::string::npos) << lines[n];
        for (int m = 1; m <= 60; ++m) {
            text.append(lines[n], 0, minute + 1);
            text += std::to_string(m);
            text.append(lines[n], minute + 2);
            text += '\n';
        }
    }
    EXPECT_EQ(RefusedUnder64MiB(text, ReadFailureKind::OutOfMemory), 0);
    // Without the limit the same text reads whole.
    const auto data = ReadWeather(text);
    ASSERT_TRUE(data) << Describe(data.error());
    EXPECT_EQ(data->hours.size(), 525'600u);
}

} // namespace
} // namespace hygrovane::climate
