#include "envelope_support.h"

#include "hygrovane/relations.h"

namespace hygrovane::envelopes::test {

double SaturationAt(double t) {
    return *SaturationPressureAt(t + kCelsiusOffset, SatFormulation::IAPWS);
}

Air AirWithVapour(double t, double pw, double P) {
    return {t + kCelsiusOffset, 0.62198 * pw / (P - pw), P};
}

Air AirAt(double t, double rh, double P) {
    return AirWithVapour(t, rh / 100 * SaturationAt(t), P);
}

Air AirWithDewPoint(double t, double dew, double P) {
    return AirWithVapour(t, SaturationAt(dew), P);
}

} // namespace hygrovane::envelopes::test
