#include "display/input_kinds.h"
#include "display/shown_quantities.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

std::string NameOf(ShownQuantity shown) {
    return "shown quantity " + std::to_string(static_cast<int>(shown));
}

// Batch output and the window both take their preset units from here: each must be a unit its
// list offers, and quantities written in one kind of unit share it (dew point and dry bulb never
// differ).
TEST(ShownQuantities, EveryPresetIsOfferedAndSharedByQuantitiesOfOneKindOfUnit) {
    for (UnitSystem system : {UnitSystem::Metric, UnitSystem::British}) {
        for (const ShownUnitPreset& preset : kShownUnitPresets) {
            SCOPED_TRACE(NameOf(preset.shown));
            const std::vector<std::string>& offered = units::UnitList(UnitQuantity(preset.shown));
            const int position = PresetPosition(preset.shown, system);
            ASSERT_GE(position, 0);
            ASSERT_LT(position, static_cast<int>(offered.size()));
            EXPECT_EQ(PresetUnit(preset.shown, system),
                      offered[static_cast<std::size_t>(position)]);
            for (const ShownUnitPreset& other : kShownUnitPresets) {
                if (other.quantity == preset.quantity) {
                    EXPECT_EQ(PresetUnit(other.shown, system), PresetUnit(preset.shown, system))
                        << NameOf(other.shown);
                }
            }
        }
    }
    EXPECT_EQ(PresetPosition(ShownQuantity::Enthalpy, UnitSystem::Customized), -1);
    EXPECT_EQ(PresetUnit(ShownQuantity::DryBulb, UnitSystem::Customized), "");
}

// The inputs as batch files and options name them: each input has one kind, its own, typed in a
// quantity of its own; the percentages are "%" in both unit systems.
TEST(InputKinds, EachInputHasOneKindWithAQuantityOfItsOwn) {
    std::set<ShownQuantity> shown;
    for (HumidityInput input : kHumidityInputs) {
        const HumidityKind& kind = KindOf(input);
        EXPECT_EQ(kind.input, input) << kind.caption;
        EXPECT_TRUE(shown.insert(kind.shown).second) << kind.caption;
        if (kind.percent) {
            EXPECT_EQ(PresetUnit(kind.shown, UnitSystem::Metric), "%") << kind.caption;
            EXPECT_EQ(PresetUnit(kind.shown, UnitSystem::British), "%") << kind.caption;
        }
    }
    for (PressureInput input : {PressureInput::Barometric, PressureInput::Altitude}) {
        const PressureKind& kind = KindOf(input);
        EXPECT_EQ(kind.input, input) << kind.caption;
        EXPECT_TRUE(shown.insert(kind.shown).second) << kind.caption;
    }
    EXPECT_EQ(KindOf(PressureInput::Altitude).shown, ShownQuantity::Altitude);
}

} // namespace
} // namespace hygrovane
