#include "program_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hygrovane::climatecli::testing {

namespace {

struct Folder {
    std::filesystem::path path;
    Folder() {
        std::string name = (std::filesystem::temp_directory_path() / "climatecli-XXXXXX").string();
        path = ::mkdtemp(name.data()) != nullptr ? name : std::string();
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

std::string TemporaryFolder() {
    static Folder root;
    static int count = 0;
    const auto folder = root.path / std::to_string(++count);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string TextOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ChicagoPath() {
    return std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";
}

const std::string& ChicagoText() {
    static const std::string text = TextOf(ChicagoPath());
    EXPECT_FALSE(text.empty()) << "chicago.epw of the shared data cannot be read";
    return text;
}

Ran RunProgram(const std::vector<std::string>& args, const std::string& folder,
               const std::string& input, const std::string& outputFile) {
    const std::string scratch = TemporaryFolder();
    const std::string out = outputFile.empty() ? scratch + "/stdout" : outputFile;
    const std::string err = scratch + "/stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    std::vector<std::string> all{HYGROVANE_CLIMATE_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    Ran ran;
    const int spawned =
        posix_spawn(&pid, HYGROVANE_CLIMATE_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << HYGROVANE_CLIMATE_PROGRAM;
    if (spawned != 0) {
        return ran;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ran.out = outputFile.empty() ? TextOf(out) : std::string();
    ran.err = TextOf(err);
    return ran;
}

} // namespace hygrovane::climatecli::testing
