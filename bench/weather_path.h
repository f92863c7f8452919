#pragma once

// The year of weather the climate benchmarks read: the file named by HYGROVANE_WEATHER, or
// chicago.epw of the shared test data (../shared/data/weather beside the clone, or beside the
// folder of worktrees). HYGROVANE_SOURCE_DIR is the repository.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace hygrovane::bench {

inline std::string WeatherPath() {
    if (const char* path = std::getenv("HYGROVANE_WEATHER")) {
        return path;
    }
    const std::string source = HYGROVANE_SOURCE_DIR;
    for (const char* shared :
         {"/../shared/data/weather/chicago.epw", "/../../shared/data/weather/chicago.epw"}) {
        if (std::filesystem::exists(source + shared)) {
            return source + shared;
        }
    }
    return source + "/../shared/data/weather/chicago.epw";
}

} // namespace hygrovane::bench
