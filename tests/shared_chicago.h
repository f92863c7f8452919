#pragma once

// chicago.epw of the shared test data (HYGROVANE_SHARED_DATA/weather), for the test folders that
// run analyses over Chicago's year.
#include "climate/epw_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace hygrovane::testing {

// Read once per test program; null with a failure of the calling test when it cannot be read.
inline std::shared_ptr<const climate::WeatherData> Chicago() {
    static const std::shared_ptr<const climate::WeatherData> data = [] {
        auto read =
            climate::ReadEpwFile(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw");
        return read ? std::make_shared<const climate::WeatherData>(std::move(read.value()))
                    : nullptr;
    }();
    EXPECT_TRUE(data) << "chicago.epw of the shared data cannot be read";
    return data;
}

} // namespace hygrovane::testing
