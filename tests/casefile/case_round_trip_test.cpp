#include "case_support.h"

#include "calculator/calculate.h"
#include "casefile/case_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace hygrovane::casefile {
namespace {

using testing::CaseInputs;
using testing::ChooseOption;
using testing::OptionBox;
using testing::SelectPreset;
using testing::StartupForm;
using testing::WindowEvents;
using units::UnitSystem;

constexpr std::array kHumidityOptions = {1, 2, 3, 4, 5, 6, 7, 10};

struct SystemCase {
    const char* name;
    UnitSystem system;
    const char* temperature;
    const char* pressure; // barometric, altitude
    const char* altitude;
    // Humidity input texts by option 1..7, 10, valid in this system's units.
    std::array<const char*, 8> humidity;
};

const SystemCase kSystems[] = {
    {"Metric",
     UnitSystem::Metric,
     "25",
     "101.325",
     "500",
     {"0.01", "50", "10", "15", "0.01", "1.5", "1", "1.5"}},
    {"British",
     UnitSystem::British,
     "77",
     "14.696",
     "1640",
     {"0.01", "50", "50", "60", "0.0006", "1.5", "1", "0.2"}},
    // Metric with four lists changed: K, g/m^3, mm Hg, cal/kg-K.
    {"Customized",
     UnitSystem::Customized,
     "298.15",
     "101.325",
     "500",
     {"0.01", "50", "10", "15", "10", "1.5", "1", "11"}},
};

FormAmbient SourceForm(const SystemCase& units, bool hylandWexler, int pressureOption,
                       std::size_t humidityIndex) {
    FormAmbient form = StartupForm();
    if (units.system == UnitSystem::British) {
        SelectPreset(form, UnitSystem::British);
    } else if (units.system == UnitSystem::Customized) {
        SelectPreset(form, UnitSystem::Customized);
        form.Combo1.listIndex = 1;
        form.Combo7.listIndex = 1;
        form.Combo11.listIndex = 5;
        form.Combo12.listIndex = 2;
    }
    form.menu_IAPWS.checked = !hylandWexler;
    form.menu_HW.checked = hylandWexler;
    form.Text1.text = units.temperature;
    ChooseOption(form, pressureOption);
    form.Text2.text = units.pressure;
    form.Text10.text = units.altitude;
    const int option = kHumidityOptions[humidityIndex];
    ChooseOption(form, option);
    form.Text(OptionBox(option)).text = units.humidity[humidityIndex];
    return form;
}

// The same window with every input choice different.
FormAmbient OtherForm(const FormAmbient& source, std::size_t humidityIndex) {
    FormAmbient form = StartupForm();
    SelectPreset(form, source.menu_metric.checked ? UnitSystem::British : UnitSystem::Metric);
    form.menu_IAPWS.checked = !source.menu_IAPWS.checked;
    form.menu_HW.checked = !source.menu_HW.checked;
    form.Text1.text = "0";
    ChooseOption(form, source.Option8.value ? 9 : 8);
    ChooseOption(form, kHumidityOptions[(humidityIndex + 1) % kHumidityOptions.size()]);
    return form;
}

// Every text the window shows after a calculation.
std::string Outputs(const FormAmbient& form) {
    std::string text;
    for (int n = 1; n <= 16; ++n) {
        text += "Text" + std::to_string(n) + "=" + form.Text(n).text + "\n";
    }
    for (int n = 4; n <= 25; ++n) {
        text += "Label" + std::to_string(n) + "=" + form.Labels(n).caption + "\n";
    }
    for (const std::string& item : form.List1.items) {
        text += item + "\n";
    }
    return text;
}

TEST(CaseRoundTrip, SaveThenOpenRestoresEveryInputAndOutput) {
    for (const SystemCase& units : kSystems) {
        for (bool hylandWexler : {false, true}) {
            for (int pressureOption : {8, 9}) {
                for (std::size_t humidity = 0; humidity < kHumidityOptions.size(); ++humidity) {
                    SCOPED_TRACE(std::string(units.name) + (hylandWexler ? " HW" : " IAPWS") +
                                 " Option" + std::to_string(pressureOption) + " Option" +
                                 std::to_string(kHumidityOptions[humidity]));
                    FormAmbient source = SourceForm(units, hylandWexler, pressureOption, humidity);
                    Calculate(source);
                    ASSERT_NE(source.Text12.text, "Error") << source.List1.items.back();

                    FormAmbient form = OtherForm(source, humidity);
                    Calculate(form);
                    WindowEvents events(form, [](FormAmbient& f) { Calculate(f); });
                    ApplyCaseFields(ReadCaseFields(CaseFileText(source)), form, events);
                    EXPECT_EQ(CaseInputs(form), CaseInputs(source));
                    Calculate(form); // as the window does after opening
                    EXPECT_EQ(Outputs(form), Outputs(source));
                }
            }
        }
    }
}

} // namespace
} // namespace hygrovane::casefile
