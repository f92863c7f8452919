#include "models/calculator/humidity_rows.h"
#include "models/calculator/unit_presets.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

// The units each system shows are checked where the user sees them, in the main window's view
// (tests/models/main_window_view_test.cpp). Here: a preset is always a unit its list offers, and
// lists of one quantity share it, so that dew point and dry bulb never differ in unit.
TEST(Presets, EveryPresetIsOfferedByItsListAndSharedByItsQuantity) {
    for (UnitSystem system : {UnitSystem::Metric, UnitSystem::British}) {
        for (int n = 1; n <= kMainComboCount; ++n) {
            SCOPED_TRACE("list " + std::to_string(n));
            const std::vector<std::string>& offered = units::UnitList(MainComboQuantity(n));
            const int position = PresetPosition(n, system);
            ASSERT_GE(position, 0);
            ASSERT_LT(position, static_cast<int>(offered.size()));
            EXPECT_EQ(PresetUnit(n, system), offered[static_cast<std::size_t>(position)]);
            for (int m = 1; m <= kMainComboCount; ++m) {
                if (MainComboQuantity(m) == MainComboQuantity(n)) {
                    EXPECT_EQ(PresetUnit(m, system), PresetUnit(n, system)) << "list " << m;
                }
            }
        }
    }
}

TEST(Presets, CustomizedIsNoPresetAndOtherNumbersAreRefused) {
    EXPECT_EQ(PresetPosition(1, UnitSystem::Customized), -1);
    EXPECT_EQ(PresetUnit(1, UnitSystem::Customized), "");
    EXPECT_THROW(MainComboQuantity(0), std::out_of_range);
    EXPECT_THROW(PresetPosition(17, UnitSystem::Metric), std::out_of_range);
}

// kMainCombos is the one table from a unit list's number to the quantity it shows: one list per
// quantity, and every humidity and pressure row's list shows its input's quantity.
TEST(Presets, EachUnitListShowsOneQuantityAndEachRowItsInputs) {
    for (int n = 1; n <= kMainComboCount; ++n) {
        EXPECT_EQ(ComboOf(ComboQuantity(n)), n) << "list " << n;
        EXPECT_EQ(MainComboQuantity(n), UnitQuantity(ComboQuantity(n))) << "list " << n;
    }
    for (const HumidityRow& row : kHumidityRows) {
        EXPECT_EQ(ComboQuantity(row.combo), row.shown) << row.caption;
    }
    for (const PressureRow& row : kPressureRows) {
        EXPECT_EQ(ComboQuantity(row.combo), row.shown) << row.caption;
    }
    EXPECT_EQ(RowOf(HumidityInput::DewPoint).combo, 3);
    EXPECT_EQ(RowOf(PressureInput::Altitude).combo, 10);
}

} // namespace
} // namespace hygrovane
