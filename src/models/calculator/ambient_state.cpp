#include "models/calculator/ambient_state.h"

namespace hygrovane {

double ValueOf(const AmbientState& s, HumidityInput input) {
    switch (input) {
    case HumidityInput::HumidityRatio:
        return s.W;
    case HumidityInput::RelativeHumidity:
        return s.phi;
    case HumidityInput::DewPoint:
        return s.T_d;
    case HumidityInput::WetBulb:
        return s.T_wb;
    case HumidityInput::AbsoluteHumidity:
        return s.rho_w;
    case HumidityInput::PartialPressure:
        return s.p_w;
    case HumidityInput::MoleFraction:
        return s.x_w;
    case HumidityInput::MassFraction:
        return s.w_w;
    }
    return 0;
}

} // namespace hygrovane
