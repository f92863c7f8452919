// Starts the real program as a user would, with an environment of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The program started with exactly the environment given; its standard error goes to a pipe.
class Program {
  public:
    explicit Program(const std::vector<std::string>& environment) {
        int pipeEnds[2] = {-1, -1};
        EXPECT_EQ(::pipe(pipeEnds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        std::vector<char*> argv{const_cast<char*>(HYGROVANE_PROGRAM), nullptr};
        std::vector<char*> envp;
        for (const std::string& variable : environment) {
            envp.push_back(const_cast<char*>(variable.c_str()));
        }
        envp.push_back(nullptr);
        EXPECT_EQ(
            posix_spawn(&pid_, HYGROVANE_PROGRAM, &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        errors_ = pipeEnds[0];
    }
    ~Program() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL); // still running: the test has failed already
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(errors_);
    }

    // What the program wrote to standard error until it ended, and its wait status; a program
    // still running after 30 s is ended (status -1).
    std::pair<std::string, int> Finish() {
        int status = -1;
        for (int i = 0; i < 300 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            status = -1;
        }
        if (status == -1) {
            return {"still running", -1};
        }
        pid_ = 0;
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = ::read(errors_, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return {text, status};
    }

    // The signals the program ignores (SigIgn of /proc/<pid>/status).
    unsigned long long IgnoredSignals() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("SigIgn:", 0) == 0) {
                return std::stoull(line.substr(7), nullptr, 16);
            }
        }
        return 0;
    }

  private:
    pid_t pid_ = 0;
    int errors_ = -1;
};

// A display that is set but cannot be reached: one line and status 1, not Qt's abort.
TEST(ProgramStart, UnreachableDisplayIsOneLineAndStatusOne) {
    const struct {
        const char* name;
        std::vector<std::string> environment;
        const char* named; // what the line must name
    } rows[] = {
        // A display number no X server here uses (":99" may be an xvfb-run of another program).
        {"X display without a server", {"DISPLAY=:64999"}, "DISPLAY=\":64999\""},
        {"nonsense display", {"DISPLAY=nonsense"}, "DISPLAY=\"nonsense\""},
        {"display name with a line break", {"DISPLAY=bad\nname"}, "DISPLAY=\"bad?name\""},
        {"dead Wayland display", {"WAYLAND_DISPLAY=dead-hygrovane-test"}, "WAYLAND_DISPLAY="},
        {"Wayland platform asked for",
         {"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=dead-hygrovane-test"},
         "QT_QPA_PLATFORM=\"wayland\""},
    };
    for (const auto& row : rows) {
        std::vector<std::string> environment = row.environment;
        environment.push_back("XDG_RUNTIME_DIR=/nonexistent-hygrovane-test"); // a warning more
        Program program(environment);
        const auto [errors, status] = program.Finish();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1)
            << row.name << ": status " << status << "\n"
            << errors;
        EXPECT_EQ(errors.rfind("hygrovane: no display available: ", 0), 0U) << row.name << errors;
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << row.name << ": " << errors;
        EXPECT_NE(errors.find(row.named), std::string::npos) << row.name << ": " << errors;
    }
}

// Under a file-size limit a write past it must fail with a message, not end the program: it
// ignores SIGXFSZ from its start.
TEST(ProgramStart, FileSizeLimitSignalIsIgnored) {
    Program program({"QT_QPA_PLATFORM=offscreen"});
    const unsigned long long sigxfsz = 1ULL << (SIGXFSZ - 1);
    bool ignored = false;
    for (int i = 0; i < 100 && !ignored; ++i) {
        ignored = (program.IgnoredSignals() & sigxfsz) != 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(ignored);
}

} // namespace
