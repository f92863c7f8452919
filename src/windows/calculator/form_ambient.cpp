#include "windows/calculator/form_ambient.h"

#include "hygrovane/config.h"
#include "units/quantity.h"
#include "windows/calculator/calculation_steps.h"
#include "windows/calculator/unit_presets.h"

#include <array>
#include <stdexcept>

namespace hygrovane {

namespace {

constexpr std::array kTextBoxes = {
    &FormAmbient::Text1,  &FormAmbient::Text2,  &FormAmbient::Text3,  &FormAmbient::Text4,
    &FormAmbient::Text5,  &FormAmbient::Text6,  &FormAmbient::Text7,  &FormAmbient::Text8,
    &FormAmbient::Text9,  &FormAmbient::Text10, &FormAmbient::Text11, &FormAmbient::Text12,
    &FormAmbient::Text13, &FormAmbient::Text14, &FormAmbient::Text15, &FormAmbient::Text16};

constexpr std::array kLabels = {
    &FormAmbient::Label1,  &FormAmbient::Label2,  &FormAmbient::Label3,  &FormAmbient::Label4,
    &FormAmbient::Label5,  &FormAmbient::Label6,  &FormAmbient::Label7,  &FormAmbient::Label8,
    &FormAmbient::Label9,  &FormAmbient::Label10, &FormAmbient::Label11, &FormAmbient::Label12,
    &FormAmbient::Label13, &FormAmbient::Label14, &FormAmbient::Label15, &FormAmbient::Label16,
    &FormAmbient::Label17, &FormAmbient::Label18, &FormAmbient::Label19, &FormAmbient::Label20,
    &FormAmbient::Label21, &FormAmbient::Label22, &FormAmbient::Label23, &FormAmbient::Label24,
    &FormAmbient::Label25, &FormAmbient::Label26, &FormAmbient::Label27, &FormAmbient::Label28,
    &FormAmbient::Label29, &FormAmbient::Label30, &FormAmbient::Label31, &FormAmbient::Label32,
    &FormAmbient::Label33};

constexpr std::array kCombos = {
    &FormAmbient::Combo1,  &FormAmbient::Combo2,  &FormAmbient::Combo3,  &FormAmbient::Combo4,
    &FormAmbient::Combo5,  &FormAmbient::Combo6,  &FormAmbient::Combo7,  &FormAmbient::Combo8,
    &FormAmbient::Combo9,  &FormAmbient::Combo10, &FormAmbient::Combo11, &FormAmbient::Combo12,
    &FormAmbient::Combo13, &FormAmbient::Combo14, &FormAmbient::Combo15, &FormAmbient::Combo16};

constexpr std::array kOptions = {
    &FormAmbient::Option1, &FormAmbient::Option2, &FormAmbient::Option3, &FormAmbient::Option4,
    &FormAmbient::Option5, &FormAmbient::Option6, &FormAmbient::Option7, &FormAmbient::Option8,
    &FormAmbient::Option9, &FormAmbient::Option10};

template <typename Table> auto member(const Table& table, int n) {
    if (n < 1 || n > static_cast<int>(table.size())) {
        throw std::out_of_range("control number out of range");
    }
    return table[static_cast<std::size_t>(n - 1)];
}

TextBox inputBox(std::string text) {
    TextBox box;
    box.text = std::move(text);
    return box;
}

TextBox lockedBox(std::string text = {}) {
    TextBox box;
    box.text = std::move(text);
    box.locked = true;
    box.background = colours::kDerivedCyan;
    return box;
}

Label caption(std::string text, Colour background = colours::kWindowBackground) {
    return Label{std::move(text), background};
}

} // namespace

FormAmbient::FormAmbient() {
    // At start-up 25 C, 101.325 kPa and 50 % relative humidity are the inputs.
    Text1 = inputBox("25");
    for (const PressureRow& row : kPressureRows) {
        Option(row.option).caption = row.caption;
        Text(row.box) = lockedBox();
    }
    for (const HumidityRow& row : kHumidityRows) {
        Option(row.option).caption = row.caption;
        Text(row.box) = lockedBox();
    }
    Option8.value = true;
    Text2 = inputBox("101.325");
    Option2.value = true;
    Text4 = inputBox("50");
    for (int n = 12; n <= 16; ++n) {
        Text(n) = lockedBox("25");
    }

    Label1 = caption("Minimum");
    Label2 = caption("Ambient Temperature");
    Label3 = caption("Maximum");
    Label26 = caption("Quantity");
    Label27 = caption("Unit (Metric)");
    Label28 = caption("Value");
    Label29 = caption("Specific Gas Const. (R)");
    Label30 = caption("Density");
    Label31 = caption("Specific Volume");
    Label32 = caption("Molecular Weight");
    Label33 = caption("Specific Enthalpy");
    // Maximum labels (even numbers 4..24) pink, Minimum labels (odd numbers 5..25) green.
    for (int n = 4; n <= 25; ++n) {
        Labels(n).background = n % 2 == 0 ? colours::kMaximumPink : colours::kMinimumGreen;
    }
    calculation::WriteFixedCaptions(*this);

    for (int n = 1; n <= kMainComboCount; ++n) {
        Combo(n).items = units::UnitList(MainComboQuantity(n));
    }

    menu_IAPWS = {"IAPWS (International Association for the Properties of Water and Steam)", true,
                  true};
    menu_HW = {"Hyland-Wexler Formulation (Recommended by ASHRAE)", false, true};
    menu_metric = {"Metric", true, true};
    menu_british = {"British", false, true};
    menu_customized = {"Customized", false, false};
    Command1Caption = config::kMakerWebPage;
}

TextBox& FormAmbient::Text(int n) {
    return this->*member(kTextBoxes, n);
}
const TextBox& FormAmbient::Text(int n) const {
    return this->*member(kTextBoxes, n);
}
Label& FormAmbient::Labels(int n) {
    return this->*member(kLabels, n);
}
const Label& FormAmbient::Labels(int n) const {
    return this->*member(kLabels, n);
}
ComboBox& FormAmbient::Combo(int n) {
    return this->*member(kCombos, n);
}
const ComboBox& FormAmbient::Combo(int n) const {
    return this->*member(kCombos, n);
}
OptionButton& FormAmbient::Option(int n) {
    return this->*member(kOptions, n);
}
const OptionButton& FormAmbient::Option(int n) const {
    return this->*member(kOptions, n);
}

} // namespace hygrovane
