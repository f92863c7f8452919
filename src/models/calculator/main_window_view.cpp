#include "models/calculator/main_window_view.h"

#include "models/calculator/ambient_form.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"

namespace hygrovane {

std::string ShownUnits::of(HumidityInput input) const {
    switch (input) {
    case HumidityInput::HumidityRatio:
        return humidityRatio;
    case HumidityInput::DewPoint:
        return dewPoint;
    case HumidityInput::WetBulb:
        return wetBulb;
    case HumidityInput::AbsoluteHumidity:
        return absoluteHumidity;
    case HumidityInput::PartialPressure:
        return partialPressure;
    case HumidityInput::RelativeHumidity:
    case HumidityInput::MoleFraction:
    case HumidityInput::MassFraction:
        break;
    }
    return "%";
}

MainWindowView ViewOf(const AmbientForm& form) {
    MainWindowView view;
    view.unitSystem = form.menu_metric.checked    ? UnitSystem::Metric
                      : form.menu_british.checked ? UnitSystem::British
                                                  : UnitSystem::Customized;
    ShownUnits& u = view.units;
    u.dryBulb = form.Combo1.text();
    u.pressure = form.Combo(RowOf(PressureInput::Barometric).combo).text();
    u.altitude = form.Combo(RowOf(PressureInput::Altitude).combo).text();
    u.dewPoint = form.Combo(RowOf(HumidityInput::DewPoint).combo).text();
    u.wetBulb = form.Combo(RowOf(HumidityInput::WetBulb).combo).text();
    u.humidityRatio = form.Combo(RowOf(HumidityInput::HumidityRatio).combo).text();
    u.absoluteHumidity = form.Combo(RowOf(HumidityInput::AbsoluteHumidity).combo).text();
    u.partialPressure = form.Combo(RowOf(HumidityInput::PartialPressure).combo).text();
    u.gasConstant = form.Combo12.text();
    u.molecularWeight = form.Combo13.text();
    u.density = form.Combo14.text();
    u.specificVolume = form.Combo15.text();
    u.enthalpy = form.Combo16.text();
    view.pressureInput = form.Option(RowOf(PressureInput::Barometric).option).value
                             ? PressureInput::Barometric
                             : PressureInput::Altitude;
    view.pressure = form.state.P;
    view.altitude = form.state.Z;
    view.formulation = form.Formulation();
    view.computed = form.computed;
    return view;
}

CalculateOutcome MainWindowReader::calculatedNow() const {
    AmbientForm copy = *form_;
    return Calculate(copy);
}

} // namespace hygrovane
