#include "engine/atmosphere.h"
#include "engine/checked_math.h"
#include "hygrovane/moist_air.h"
#include "moistair/guarded.h"

namespace hygrovane {

Result<Ambient> AmbientOf(const Conditions& conditions) {
    return moistair::Guarded([&]() -> Result<Ambient> {
        Ambient ambient;
        ambient.pressureInput = conditions.pressureInput;
        ambient.dryBulb = engine::checkedSingle(conditions.dryBulb);
        // The standard atmosphere gives the other one, in 32 bits.
        if (conditions.pressureInput == PressureInput::Barometric) {
            ambient.pressure = engine::checkedFinite(conditions.pressure);
            ambient.altitude = engine::AltitudeFromPressure(ambient.pressure);
        } else {
            ambient.altitude = engine::checkedFinite(conditions.altitude);
            ambient.pressure = engine::PressureFromAltitude(ambient.altitude);
        }
        return ambient;
    });
}

} // namespace hygrovane
