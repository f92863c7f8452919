// The C++ Solve loops the Python module's array call is measured against (bench/python_bench.py):
// reads n states as three float64 arrays (dry bulb K, relative humidity, pressure Pa) from a file,
// solves them one after another on one thread, and prints the best nanoseconds per state of wall
// time and of processor time (the second is what a busy machine does not inflate), first for a
// loop that keeps only a sum of the enthalpies, then for one that keeps every state in an array
// allocated once, as a program that uses its results does (the array call keeps them too).
//   solve_loop states.bin [repetitions]
#include "hygrovane/moist_air.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: solve_loop states.bin [repetitions]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary | std::ios::ate);
    const auto bytes = static_cast<std::size_t>(file.tellg());
    const std::size_t n = bytes / (3 * sizeof(double));
    std::vector<double> data(3 * n);
    file.seekg(0);
    file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(bytes));
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;

    const auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
    };
    std::vector<hygrovane::MoistAirState> kept(n);
    const auto conditionsAt = [&](std::size_t i) {
        hygrovane::Conditions c;
        c.dryBulb = data[i];
        c.humidity = data[n + i];
        c.pressure = data[2 * n + i];
        return c;
    };
    double checksum = 0;
    const auto timed = [&](auto&& loop) {
        double best = 1e300;
        double bestCpu = 1e300;
        for (int r = 0; r < repetitions; ++r) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = cpuNow();
            loop();
            const std::chrono::duration<double, std::nano> took =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count() / static_cast<double>(n));
            bestCpu = std::min(bestCpu, (cpuNow() - cpuStart) / static_cast<double>(n));
        }
        std::printf("%.1f %.1f ", best, bestCpu);
    };
    timed([&] {
        for (std::size_t i = 0; i < n; ++i) {
            const auto state = hygrovane::Solve(conditionsAt(i));
            checksum += state ? state->enthalpy : 0;
        }
    });
    timed([&] {
        for (std::size_t i = 0; i < n; ++i) {
            auto state = hygrovane::Solve(conditionsAt(i));
            if (state) {
                kept[i] = std::move(*state);
            }
        }
    });
    for (const auto& state : kept) {
        checksum += state.specificVolume;
    }
    std::printf("%.6f\n", checksum);
    return 0;
}
