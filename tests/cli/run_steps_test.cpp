// The steps both file programs take around their own work, on real files: an output that would
// replace the input, the input opened, the output opened and written whole or not at all.
#include "cli/arguments.h"
#include "cli/output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace hygrovane::cli {
namespace {

namespace fs = std::filesystem;

struct Item {
    Argument::Kind kind;
    std::string text;
    std::optional<std::string> value;
};

// What the reader hands out, an option's value read after it when value is "next".
std::vector<Item> Items(const std::vector<std::string>& args) {
    std::vector<Item> items;
    ArgumentReader reader(args);
    while (const auto argument = reader.next()) {
        Item item{argument->kind, argument->text, argument->value};
        if (argument->kind == Argument::Kind::Option && argument->text == "-o" && !item.value) {
            item.value = reader.takeValue();
        }
        items.push_back(item);
    }
    return items;
}

TEST(ArgumentReader, SplitsOptionsFromFileNames) {
    using K = Argument::Kind;
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::vector<Item> items;
    };
    const Row rows[] = {
        {"a lone dash is a file", {"-"}, {{K::Operand, "-", {}}}},
        {"a value after = of a long option", {"--out=a=b"}, {{K::Option, "--out", "a=b"}}},
        {"an empty value after =", {"--out="}, {{K::Option, "--out", ""}}},
        {"a short option keeps its =", {"-x=1"}, {{K::Option, "-x=1", {}}}},
        {"the value is the next argument, dash or not",
         {"-o", "--", "in"},
         {{K::Option, "-o", "--"}, {K::Operand, "in", {}}}},
        {"-- ends the options and is not handed out",
         {"--", "--help", "-"},
         {{K::Operand, "--help", {}}, {K::Operand, "-", {}}}},
        {"a second -- is a file", {"--", "--"}, {{K::Operand, "--", {}}}},
        {"a value missing at the end", {"-o"}, {{K::Option, "-o", {}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<Item> items = Items(row.args);
        ASSERT_EQ(items.size(), row.items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].kind, row.items[i].kind) << i;
            EXPECT_EQ(items[i].text, row.items[i].text) << i;
            EXPECT_EQ(items[i].value, row.items[i].value) << i;
        }
    }
}

class RunSteps : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "run-steps-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name;
        std::ofstream(path("in.csv")) << "a,b\n";
        std::ofstream(path("other.csv")) << "a,b\n";
        fs::create_symlink(path("in.csv"), path("link.csv"));
        fs::create_hard_link(path("in.csv"), path("hard.csv"));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    static ProgramArguments Input(const std::string& input) {
        ProgramArguments arguments;
        arguments.input = input;
        return arguments;
    }
    fs::path folder_;
};

TEST_F(RunSteps, AnOutputThatWouldReplaceTheInputIsRefused) {
    struct Row {
        const char* name;
        std::string input, output;
        bool refused;
    };
    const Row rows[] = {
        {"the same name", path("in.csv"), path("in.csv"), true},
        {"another path to it", path("in.csv"), (folder_ / "." / "in.csv").string(), true},
        {"a symbolic link to it", path("in.csv"), path("link.csv"), true},
        {"a hard link to it", path("in.csv"), path("hard.csv"), true},
        {"another file with the same bytes", path("in.csv"), path("other.csv"), false},
        {"a new file", path("in.csv"), path("new.csv"), false},
        {"the standard output", path("in.csv"), "-", false},
        {"the standard input", "-", path("in.csv"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto kept = CheckOutputKeepsInput(Input(row.input), row.output);
        EXPECT_EQ(!kept.has_value(), row.refused);
        if (!kept) {
            EXPECT_EQ(kept.error().status, kExitUsage);
            EXPECT_EQ(kept.error().message,
                      "the output \"" + row.output + "\" would replace the input");
        }
    }
}

TEST_F(RunSteps, EachFailureHasItsStatusAndMessage) {
    const auto missing = OpenInput(Input(path("none.csv")));
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().status, kExitUnreadable);
    EXPECT_EQ(missing.error().message,
              "cannot read \"" + path("none.csv") + "\": the file does not exist");

    const auto folder = OpenOutput(folder_.string(), stdout);
    ASSERT_FALSE(folder.has_value());
    EXPECT_EQ(folder.error().status, kExitUnwritable);
    EXPECT_EQ(folder.error().message, "cannot write \"" + folder_.string() + "\": it is a folder");

    EXPECT_EQ(CannotRead(Input("-"), "why", false).message, "cannot read \"standard input\": why");
    EXPECT_EQ(CannotWrite("-", "why", false).message, "cannot write \"standard output\": why");
    EXPECT_EQ(CannotWrite("o", "why", true).message,
              "cannot write \"o\": why; nothing was written");
}

TEST_F(RunSteps, AnOutputIsWrittenWholeOrNotAtAll) {
    std::ofstream(path("old.csv")) << "old";
    {
        auto sink = OpenOutput(path("old.csv"), stdout);
        ASSERT_TRUE(sink.has_value());
        ASSERT_TRUE(WriteWhole(*sink.value(), path("old.csv"), "new").has_value());
    }
    std::ostringstream text;
    text << std::ifstream(path("old.csv")).rdbuf();
    EXPECT_EQ(text.str(), "new");

    // A device that refuses every byte: the failure is told as a file's, nothing left behind.
    auto full = OpenOutput("/dev/full", stdout);
    ASSERT_TRUE(full.has_value());
    const auto written = WriteWhole(*full.value(), "/dev/full", std::string(1 << 16, 'x'));
    ASSERT_FALSE(written.has_value());
    EXPECT_EQ(written.error().status, kExitUnwritable);
    EXPECT_EQ(written.error().message.rfind("cannot write \"/dev/full\": ", 0), 0U)
        << written.error().message;
    EXPECT_NE(written.error().message.find("; nothing was written"), std::string::npos);
}

} // namespace
} // namespace hygrovane::cli
