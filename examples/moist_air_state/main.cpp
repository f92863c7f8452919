// The state of air at 30 degC, 40 % relative humidity and 95 kPa, from Hygrovane's core.
#include <hygrovane/moist_air.h>

#include <cstdio>

int main() {
    const hygrovane::Conditions air{.dryBulb = 30 + 273.15,
                                    .pressure = 95000,
                                    .humidityInput = hygrovane::HumidityInput::RelativeHumidity,
                                    .humidity = 0.40};
    const hygrovane::Result<hygrovane::MoistAirState> state = hygrovane::Solve(air);
    if (!state) {
        std::fprintf(stderr, "%s\n", hygrovane::Describe(state.error()).c_str());
        return 1;
    }
    std::printf("dry bulb           %8.3f degC\n", state->ambient.dryBulb - 273.15);
    std::printf("pressure           %8.3f kPa\n", state->ambient.pressure / 1000);
    std::printf("humidity ratio     %8.3f g/kg\n", state->humidityRatio * 1000);
    std::printf("dew point          %8.3f degC\n", state->dewPoint.value_or(0) - 273.15);
    std::printf("wet bulb           %8.3f degC\n", state->wetBulb - 273.15);
    std::printf("enthalpy           %8.3f kJ/kg dry air\n", state->enthalpy);
    std::printf("specific volume    %8.4f m3/kg dry air\n", state->specificVolume);
    std::printf("density            %8.4f kg/m3\n", state->density);
    return 0;
}
