// The humidity inputs' names in files and options: one per input, each read back as its input.
#include "hygrovane/humidity_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hygrovane {
namespace {

TEST(HumidityKeys, EveryInputHasTwoNamesThatReadBack) {
    std::set<std::string> seen;
    for (const HumidityInput input : kHumidityInputs) {
        const HumidityInputKey& keys = KeysOf(input);
        SCOPED_TRACE(keys.key);
        EXPECT_EQ(keys.input, input);
        EXPECT_EQ(HumidityInputNamed(keys.key), input);
        EXPECT_EQ(HumidityInputNamed(keys.shortKey), input);
        EXPECT_TRUE(seen.insert(keys.key).second);
        EXPECT_TRUE(seen.insert(keys.shortKey).second);
    }
    EXPECT_EQ(HumidityInputNamed("relative humidity"), std::nullopt);
    EXPECT_EQ(HumidityInputNamed(""), std::nullopt);
    EXPECT_EQ(HumidityInputNamed("RH"), std::nullopt); // as the files and options spell them
}

} // namespace
} // namespace hygrovane
