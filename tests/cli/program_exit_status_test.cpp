// The exit statuses of the three built programs, run as a script runs them, against one table:
// a status means the same whichever program ends with it, and each program's man page lists
// every status it ends with here.
#include "cli/exit_status.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace hygrovane::cli {
namespace {

namespace fs = std::filesystem;

enum class Program { Batch, Climate, Window };

const char* PathOf(Program program) {
    switch (program) {
    case Program::Batch:
        return HYGROVANE_BATCH_PROGRAM;
    case Program::Climate:
        return HYGROVANE_CLIMATE_PROGRAM;
    case Program::Window:
#ifdef HYGROVANE_WINDOW_PROGRAM
        return HYGROVANE_WINDOW_PROGRAM;
#else
        return nullptr;
#endif
    }
    return nullptr;
}

const char* ManPageOf(Program program) {
    switch (program) {
    case Program::Batch:
        return "hygrovane-batch.1";
    case Program::Climate:
        return "hygrovane-climate.1";
    case Program::Window:
        return "hygrovane.1";
    }
    return "";
}

std::string TextOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Ran {
    int status = -1;
    std::string err;
};

// The program run in folder with these arguments; display: the environment's display and Qt
// platform, else none at all (the offscreen platform is the tests' default).
Ran RunProgram(Program program, const std::vector<std::string>& args, const fs::path& folder,
               bool noDisplay) {
    const std::string errPath = (folder / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<std::string> all{PathOf(program)};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        const bool display = text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
                             text.starts_with("QT_QPA_PLATFORM=");
        if (!(noDisplay && display)) {
            variables.push_back(text);
        }
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    Ran ran;
    const int spawned =
        posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << all[0];
    if (spawned != 0) {
        return ran;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ran.err = TextOf(errPath);
    return ran;
}

struct Row {
    const char* name;
    Program program;
    std::vector<std::string> args; // in a folder with in.csv (a logger file), link.csv to it
    int status;
    const char* says; // a part of the message on standard error; "" for none asked
    bool noDisplay = false;
};

std::vector<Row> Rows() {
    using P = Program;
    std::vector<Row> rows = {
        {"batch converts", P::Batch, {"in.csv", "-o", "out.csv"}, kExitDone, ""},
        {"batch version", P::Batch, {"--version"}, kExitDone, ""},
        {"batch unknown option", P::Batch, {"--bogus", "in.csv"}, kExitUsage, "unknown option"},
        {"batch unknown formulation",
         P::Batch,
         {"--formulation", "IAPWS", "in.csv"},
         kExitUsage,
         "--formulation takes iapws or hw"},
        {"batch output over its input",
         P::Batch,
         {"in.csv", "-o", "link.csv"},
         kExitUsage,
         "would replace the input"},
        {"batch missing input", P::Batch, {"none.csv", "-o", "out.csv"}, kExitUnreadable, ""},
        {"batch input without columns",
         P::Batch,
         {"empty.csv", "-o", "out.csv"},
         kExitUnreadable,
         ""},
        {"batch output in a missing folder",
         P::Batch,
         {"in.csv", "-o", "none/out.csv"},
         kExitUnwritable,
         "cannot write"},
        {"batch output on a full device",
         P::Batch,
         {"in.csv", "-o", "/dev/full"},
         kExitUnwritable,
         "cannot write"},

        {"climate analyses", P::Climate, {"in.csv", "-o", "out.csv"}, kExitDone, ""},
        {"climate help", P::Climate, {"--help"}, kExitDone, ""},
        {"climate unknown option", P::Climate, {"--bogus", "in.csv"}, kExitUsage, "unknown option"},
        {"climate unknown formulation",
         P::Climate,
         {"--formulation=Hyland-Wexler", "in.csv"},
         kExitUsage,
         "--formulation takes iapws or hw"},
        {"climate option of another model",
         P::Climate,
         {"--comfort", "pmv", "--category", "I", "in.csv"},
         kExitUsage,
         "does not apply"},
        {"climate output over its input",
         P::Climate,
         {"in.csv", "-o", "link.csv"},
         kExitUsage,
         "would replace the input"},
        {"climate missing input", P::Climate, {"none.csv"}, kExitUnreadable, "cannot read"},
        {"climate damaged input", P::Climate, {"damaged.epw"}, kExitUnreadable, "cannot read"},
        {"climate output in a missing folder",
         P::Climate,
         {"in.csv", "-o", "none/out.csv"},
         kExitUnwritable,
         "cannot write"},
        {"climate output on a full device",
         P::Climate,
         {"in.csv", "-o", "/dev/full"},
         kExitUnwritable,
         "cannot write"},
    };
    if (PathOf(Program::Window) != nullptr) {
        const std::vector<Row> window = {
            {"window version without a display", P::Window, {"--version"}, kExitDone, "", true},
            // 1 as the other programs: a script can tell a wrong command line the same way.
            {"window unknown option", P::Window, {"--bogus", "case"}, kExitUsage, "unknown option"},
            {"window two cases", P::Window, {"a", "b"}, kExitUsage, "one case file at most"},
            {"window without a display", P::Window, {"case"}, kExitUsage, "display", true},
        };
        rows.insert(rows.end(), window.begin(), window.end());
    }
    return rows;
}

class ProgramExitStatus : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "exit-status-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name;
        std::ofstream(folder_ / "in.csv") << "Timestamp,Temp (C),RH (%)\n"
                                             "2025-07-01 00:00,21,40\n"
                                             "2025-07-01 01:00,22,45\n";
        std::ofstream(folder_ / "empty.csv") << "";
        std::ofstream(folder_ / "damaged.epw") << "LOCATION,Somewhere\nnothing else\n";
        fs::create_symlink("in.csv", folder_ / "link.csv");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

TEST_F(ProgramExitStatus, OneMeaningForEachStatusInEveryProgram) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        fs::remove(folder_ / "out.csv");
        const Ran ran = RunProgram(row.program, row.args, folder_, row.noDisplay);
        EXPECT_EQ(ran.status, row.status) << ran.err;
        EXPECT_NE(ran.err.find(row.says), std::string::npos) << ran.err;
        // A run that failed leaves no output behind, and never touches its input.
        EXPECT_EQ(fs::exists(folder_ / "out.csv"),
                  row.status == kExitDone && row.args.size() > 2 && row.args[2] == "out.csv");
        EXPECT_TRUE(fs::is_symlink(folder_ / "link.csv"));
        EXPECT_GT(fs::file_size(folder_ / "in.csv"), 0U);
    }
}

// The statuses under EXIT STATUS of a man page: its ".B N" lines.
std::set<int> DocumentedStatuses(const std::string& page) {
    const std::string text = TextOf(fs::path(HYGROVANE_SOURCE_DIR) / "packaging" / "man" / page);
    const std::size_t start = text.find(".SH EXIT STATUS");
    const std::size_t end = text.find(".SH", start + 1);
    EXPECT_NE(start, std::string::npos) << page;
    std::set<int> statuses;
    const std::string section = text.substr(start, end - start);
    const std::regex status(R"(\.TP\n\.B ([0-9]+)\n)"); // the list, not the summary after it
    for (auto it = std::sregex_iterator(section.begin(), section.end(), status);
         it != std::sregex_iterator(); ++it) {
        statuses.insert(std::stoi((*it)[1]));
    }
    return statuses;
}

TEST(ProgramExitStatusPages, EachManPageListsTheStatusesItsProgramEndsWith) {
    std::map<Program, std::set<int>> ended;
    for (const Row& row : Rows()) {
        ended[row.program].insert(row.status);
    }
    for (const Program program : {Program::Batch, Program::Climate, Program::Window}) {
        SCOPED_TRACE(ManPageOf(program));
        std::set<int> expected = ended[program];
        if (PathOf(program) == nullptr) {
            continue;
        }
        EXPECT_EQ(DocumentedStatuses(ManPageOf(program)), expected);
    }
    // And the table names each of those statuses once.
    std::set<int> table;
    for (const ExitStatusRow& row : kExitStatuses) {
        EXPECT_TRUE(table.insert(row.status).second) << row.status;
    }
    for (const auto& [program, statuses] : ended) {
        for (const int status : statuses) {
            EXPECT_TRUE(table.contains(status)) << status;
        }
    }
}

} // namespace
} // namespace hygrovane::cli
