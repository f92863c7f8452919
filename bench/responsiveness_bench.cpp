// Responsiveness of the real main window, drawn offscreen:
//  - keystroke: from a key typed into the focused input box of the selected humidity parameter
//    to the window redrawn (the recalculation, the new texts and the paint), over 1000 keys
//    spread over the eight humidity inputs; then the same with the chart window open, to the
//    main window and the chart both redrawn (the state point moved);
//  - start-up: from the start of a new process (exec) to the first paint of the start screen
//    (the About box) and of the main window, over repeated launches of this program in its
//    start-up role, which starts the windows as the program's main() does.
// Prints median, 99th percentile and maximum of each. Arguments of the benchmark runner
// (--benchmark_...) are accepted and ignored.
#include "models/calculator/humidity_rows.h"
#include "views/about/about_window.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_window.h"
#include "views/common/qt_platform.h"
#include "views/common/window_look.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

using hygrovane::views::AmbientWindow;
using Clock = std::chrono::steady_clock;

constexpr int kKeystrokes = 1000;
constexpr int kLaunches = 30;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

void PrintStatistics(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        const auto i = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1) + 0.5);
        return samples[std::min(i, samples.size() - 1)];
    };
    std::printf("%-34s n=%-5zu median %8.3f ms   p99 %8.3f ms   max %8.3f ms\n", what,
                samples.size(), at(0.5), at(0.99), samples.back());
}

// What is typed into each humidity row's box (in the order of kHumidityRows), in the Metric
// units of the started window (25 C, 101.325 kPa): every prefix is a plausible text on the way.
constexpr std::array<const char*, hygrovane::kHumidityRows.size()> kTyped = {
    "47.5", ".0123", ".0105", "12.25", "18.5", "1.85", "1.75", "1.15"};
const auto& kInputs = hygrovane::kHumidityRows;

template <typename Widget> Widget* Control(AmbientWindow& view, const std::string& name) {
    auto* widget = view.findChild<Widget*>(QString::fromStdString(name));
    if (widget == nullptr) {
        std::fprintf(stderr, "responsiveness_bench: no control %s\n", name.c_str());
        std::exit(2);
    }
    return widget;
}

// CPU time of this thread: on a busy machine it tells the work of a keystroke from the waits
// for a core.
double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times the kernel took the core away from this thread (another process ran meanwhile).
long Preemptions() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nivcsw;
}

// Each key: a real key event to the focused box, then the events it leaves (the repaint).
// byInput receives the samples of each humidity input separately, cpu the CPU time of each key,
// unpreempted the wall times of the keys during which no other process took the core.
std::vector<double> Keystrokes(AmbientWindow& view, std::array<std::vector<double>, 8>& byInput,
                               std::vector<double>& cpu, std::vector<double>& unpreempted) {
    std::vector<double> samples;
    samples.reserve(kKeystrokes);
    while (static_cast<int>(samples.size()) < kKeystrokes) {
        for (std::size_t row = 0; row < kInputs.size(); ++row) {
            const hygrovane::HumidityRow& input = kInputs[row];
            QTest::mouseClick(Control<QRadioButton>(view, "Option" + std::to_string(input.option)),
                              Qt::LeftButton);
            QLineEdit* box = Control<QLineEdit>(view, "Text" + std::to_string(input.box));
            box->setFocus();
            QApplication::processEvents();
            // A value per round: the text typed, then erased key by key.
            const std::string typed = kTyped[row];
            box->selectAll();
            std::vector<std::pair<int, char>> keys;
            for (char c : typed) {
                keys.emplace_back(0, c);
            }
            for (std::size_t i = 0; i + 1 < typed.size(); ++i) {
                keys.emplace_back(Qt::Key_Backspace, 0);
            }
            for (const auto& [key, c] : keys) {
                if (static_cast<int>(samples.size()) == kKeystrokes) {
                    break;
                }
                const long preemptionsBefore = Preemptions();
                const double cpuStart = ThreadCpuMilliseconds();
                const auto start = Clock::now();
                if (key != 0) {
                    QTest::keyClick(box, static_cast<Qt::Key>(key));
                } else {
                    QTest::keyClick(box, c);
                }
                QApplication::processEvents(); // the repaint the edit scheduled
                samples.push_back(MillisecondsSince(start));
                cpu.push_back(ThreadCpuMilliseconds() - cpuStart);
                if (Preemptions() == preemptionsBefore) {
                    unpreempted.push_back(samples.back());
                }
                byInput[row].push_back(samples.back());
            }
        }
    }
    return samples;
}

// The start-up role: start as main() does (the About box opens as the start screen, and closing
// it shows the main window), report the time from the parent's exec to the first paint of the
// start screen and, with the start screen closed as soon as it is drawn, to the first paint of
// the main window; then end.
class FirstPaints : public QObject {
  public:
    FirstPaints(std::int64_t launched, QWidget& mainWindow)
        : launched_(launched), mainWindow_(mainWindow) {}
    QWidget* startScreen = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return QObject::eventFilter(watched, event);
        }
        if (watched == startScreen && startScreenShown_ < 0) {
            startScreenShown_ = Elapsed();
            QTimer::singleShot(0, startScreen, &QWidget::close); // the user closes it at once
        } else if (watched == &mainWindow_ && startScreenShown_ >= 0) {
            std::printf("%.3f %.3f\n", startScreenShown_, Elapsed());
            std::fflush(stdout);
            mainWindow_.removeEventFilter(this);
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    double Elapsed() const { return static_cast<double>(NowNanoseconds() - launched_) / 1e6; }

    std::int64_t launched_;
    QWidget& mainWindow_;
    double startScreenShown_ = -1;
};

int StartUpChild(int argc, char* argv[], std::int64_t launched) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    QApplication::setWindowIcon(hygrovane::views::ApplicationIcon());
    hygrovane::views::QtPlatform platform;
    AmbientWindow window(platform);
    platform.setParentWindow(&window);
    FirstPaints paints(launched, window);
    window.installEventFilter(&paints);
    window.model().showAbout = [&] {
        paints.startScreen = hygrovane::views::showAboutBox(
            platform, [&window] { window.show(); }, &window);
        paints.startScreen->installEventFilter(&paints);
    };
    window.load();
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}

// Launches the start-up role kLaunches times; startScreen and mainWindow receive the times.
void StartUps(const char* self, std::vector<double>& startScreen, std::vector<double>& mainWindow) {
    for (int i = 0; i < kLaunches; ++i) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
        const std::string launched = std::to_string(NowNanoseconds());
        const pid_t child = fork();
        if (child == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
            execl(self, self, "--startup-child", launched.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeFds[1]);
        std::string output;
        char buffer[64];
        ssize_t n = 0;
        while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
            output.append(buffer, static_cast<std::size_t>(n));
        }
        close(pipeFds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty()) {
            std::fprintf(stderr, "responsiveness_bench: start-up run %d failed\n", i);
            std::exit(1);
        }
        char* rest = nullptr;
        startScreen.push_back(std::strtod(output.c_str(), &rest));
        mainWindow.push_back(std::strtod(rest, nullptr));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc == 3 && std::strcmp(argv[1], "--startup-child") == 0) {
        return StartUpChild(argc, argv, std::strtoll(argv[2], nullptr, 10));
    }
    // The offscreen platform's notes about window hints are no news here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    std::vector<double> keys;
    std::array<std::vector<double>, 8> byInput;
    std::vector<double> keysCpu;
    std::vector<double> keysUnpreempted;
    std::vector<double> chartKeys;
    std::array<std::vector<double>, 8> chartByInput;
    std::vector<double> chartKeysCpu;
    std::vector<double> chartKeysUnpreempted;
    {
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        hygrovane::views::QtPlatform platform;
        AmbientWindow window(platform);
        platform.setParentWindow(&window);
        window.load();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            std::fprintf(stderr, "responsiveness_bench: the window was never shown\n");
            return 1;
        }
        keys = Keystrokes(window, byInput, keysCpu, keysUnpreempted);
        // The chart opened as the View menu opens it; it follows every redraw.
        window.model().showChart = [&] { hygrovane::views::showChartWindow(window, platform); };
        window.model().menu_chart_Click();
        auto* chart = window.findChild<hygrovane::views::ChartWindow*>("Form_chart");
        if (chart == nullptr || !QTest::qWaitForWindowExposed(chart)) {
            std::fprintf(stderr, "responsiveness_bench: the chart was never shown\n");
            return 1;
        }
        QApplication::setActiveWindow(&window);
        chartKeys = Keystrokes(window, chartByInput, chartKeysCpu, chartKeysUnpreempted);
        window.model().form().CaseModified = false; // close without the question
    }
    PrintStatistics("keystroke to redrawn window", keys);
    PrintStatistics("  CPU time of a keystroke", keysCpu);
    PrintStatistics("  keystrokes never preempted", keysUnpreempted);
    for (std::size_t row = 0; row < kInputs.size(); ++row) {
        const std::string what = "  typing into Text" + std::to_string(kInputs[row].box);
        PrintStatistics(what.c_str(), byInput[row]);
    }
    PrintStatistics("keystroke with the chart open", chartKeys);
    PrintStatistics("  CPU time of a keystroke", chartKeysCpu);
    PrintStatistics("  keystrokes never preempted", chartKeysUnpreempted);
    std::vector<double> startScreen;
    std::vector<double> mainWindow;
    StartUps("/proc/self/exe", startScreen, mainWindow);
    PrintStatistics("process start to start screen shown", startScreen);
    PrintStatistics("process start to main window shown", mainWindow);
    return 0;
}
