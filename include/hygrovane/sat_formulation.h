#pragma once

namespace hygrovane {

// The two formulations of the saturation state of water. The integer codes are what the report
// and the case file's readers write; nothing else should rely on them.
enum class SatFormulation {
    IAPWS = 1,        // IAPWS-IF97 region 4 above the triple point, IAPWS 2011 sublimation below
    HylandWexler = 2, // Hyland & Wexler (1983), as recommended by ASHRAE
};

} // namespace hygrovane
