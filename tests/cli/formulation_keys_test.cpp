// The saturation formulation as both file programs' --formulation takes it: the spellings the
// key table accepts, the same in each program, and the ones refused with the same message.
#include "batch/command_line.h"
#include "climatecli/command_line.h"

#include "hygrovane/formulation_keys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace hygrovane::cli {
namespace {

struct Row {
    const char* spelling;
    std::optional<SatFormulation> formulation; // nothing: refused
};

// Scripts and saved command lines use the lower-case keys; anything else is refused rather than
// guessed, so that a typing slip never computes on the other formulation.
const Row kRows[] = {
    {"iapws", SatFormulation::IAPWS},
    {"hw", SatFormulation::HylandWexler},
    {"hyland-wexler", SatFormulation::HylandWexler},
    {"IAPWS", std::nullopt},         // the process-set file's name, not an option's key
    {"Hyland-Wexler", std::nullopt}, // likewise
    {"HylandWexler", std::nullopt},  // the Python module's name
    {"hyland_wexler", std::nullopt},
    {"HW", std::nullopt},
    {"hw ", std::nullopt},
    {"", std::nullopt},
    {"iapws97", std::nullopt},
};

constexpr const char* kRefusal = "--formulation takes iapws or hw";

TEST(FormulationKeys, BothProgramsTakeTheSameSpellings) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string("\"") + row.spelling + "\"");
        const auto batchLine = batch::ParseCommandLine({"--formulation", row.spelling, "in.csv"});
        const auto climateLine =
            climatecli::ParseCommandLine({"--formulation=" + std::string(row.spelling), "in.csv"});
        if (!row.formulation) {
            ASSERT_FALSE(batchLine.has_value());
            ASSERT_FALSE(climateLine.has_value());
            EXPECT_EQ(batchLine.error(), kRefusal);
            EXPECT_EQ(climateLine.error(), kRefusal);
            continue;
        }
        ASSERT_TRUE(batchLine.has_value()) << batchLine.error();
        ASSERT_TRUE(climateLine.has_value()) << climateLine.error();
        EXPECT_EQ(batchLine->formulation, *row.formulation);
        EXPECT_EQ(climateLine->settings.states.formulation, *row.formulation);
    }
}

// A program that is not told computes on IAPWS, the main window's default.
TEST(FormulationKeys, WithoutTheOptionBothProgramsUseIapws) {
    EXPECT_EQ(batch::ParseCommandLine({"in.csv"})->formulation, SatFormulation::IAPWS);
    EXPECT_EQ(climatecli::ParseCommandLine({"in.csv"})->settings.states.formulation,
              SatFormulation::IAPWS);
}

// Each formulation has its own words: a key read back names the formulation it was written for.
TEST(FormulationKeys, EveryKeyNamesItsOwnFormulation) {
    for (const SatFormulationKey& keys : kSatFormulationKeys) {
        SCOPED_TRACE(keys.key);
        EXPECT_EQ(SatFormulationNamed(keys.key), keys.formulation);
        EXPECT_EQ(SatFormulationNamed(keys.shortKey), keys.formulation);
        EXPECT_EQ(KeysOf(keys.formulation).fileName, keys.fileName);
    }
}

} // namespace
} // namespace hygrovane::cli
