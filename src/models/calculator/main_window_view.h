#pragma once

#include "hygrovane/conditions.h"
#include "hygrovane/expected.h"
#include "hygrovane/sat_formulation.h"
#include "models/calculator/unit_presets.h"

#include <optional>
#include <string>

namespace hygrovane {

struct AmbientForm;

// The unit the main window shows for each quantity, as its lists name it ("C", "kPa", ...).
struct ShownUnits {
    std::string dryBulb;
    std::string pressure;
    std::string altitude;
    std::string dewPoint;
    std::string wetBulb;
    std::string humidityRatio;
    std::string absoluteHumidity;
    std::string partialPressure;
    std::string gasConstant;
    std::string molecularWeight;
    std::string density;
    std::string specificVolume;
    std::string enthalpy;

    // The unit of a humidity quantity; "%" for the three shown in percent.
    std::string of(HumidityInput input) const;
};

// The state the main window shows after a calculation that reached every box.
struct ComputedState {
    double dryBulb = 0;       // K (a 32-bit value, as the window keeps it)
    double humidityRatio = 0; // kg/kg
    HumidityInput input = HumidityInput::RelativeHumidity; // the quantity typed
    double inputValue = 0;                                 // its value in the core's internal unit
};

// The check at which a calculation stopped; every one but NoHumidityInput ends in the window's
// error display.
enum class CalculateFailure {
    DryBulbOutOfRange,         // the dry bulb is not a number between its captions
    PressureOutOfRange,        // nor the typed barometric pressure or altitude
    AmbientAir,                // the core could not form the ambient air
    SaturationPressureTooHigh, // the saturation pressure reaches the ambient pressure
    Saturation,                // another fault of the saturated state
    NoHumidityInput,           // no humidity option is selected: nothing is shown
    HumidityInputOutOfRange,   // the humidity input is not a number between its captions
    MoistAirState,             // the core found no state for the input
};

using CalculateOutcome = Expected<ComputedState, CalculateFailure>;

// What the main window's neighbours (chart, processes, reports) may know of it, in the domain's
// words rather than its controls'.
struct MainWindowView {
    UnitSystem unitSystem = UnitSystem::Metric;
    ShownUnits units;
    // Which of the pressure and the altitude is typed; both in internal units (Pa, m) as last
    // calculated, 0 before the first calculation.
    PressureInput pressureInput = PressureInput::Barometric;
    double pressure = 0;
    double altitude = 0;
    SatFormulation formulation = SatFormulation::IAPWS;
    // None before the first calculation and while the window shows an error.
    std::optional<ComputedState> computed;
};

MainWindowView ViewOf(const AmbientForm& form);

// How a window that lives beside the main window reads it: the view as the window stands at each
// call, and the state its inputs give now. A window that holds the main window's form passes the
// form; nothing but this reader and ViewOf looks at the form's controls.
class MainWindowReader {
  public:
    // Implicit: the form is what every holder of the main window has at hand.
    MainWindowReader(const AmbientForm& form) : form_(&form) {}

    MainWindowView view() const { return ViewOf(*form_); }
    // The main window's own calculation on a copy of its form: the input chosen since its last
    // calculation counts, and the window itself is left as it is.
    CalculateOutcome calculatedNow() const;

  private:
    const AmbientForm* form_;
};

} // namespace hygrovane
