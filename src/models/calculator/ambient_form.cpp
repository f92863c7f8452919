#include "models/calculator/ambient_form.h"

#include "hygrovane/config.h"
#include "models/calculator/calculation_steps.h"
#include "models/calculator/unit_presets.h"
#include "units/quantity.h"

#include <array>
#include <stdexcept>

namespace hygrovane {

namespace {

constexpr std::array kTextBoxes = {
    &AmbientForm::Text1,  &AmbientForm::Text2,  &AmbientForm::Text3,  &AmbientForm::Text4,
    &AmbientForm::Text5,  &AmbientForm::Text6,  &AmbientForm::Text7,  &AmbientForm::Text8,
    &AmbientForm::Text9,  &AmbientForm::Text10, &AmbientForm::Text11, &AmbientForm::Text12,
    &AmbientForm::Text13, &AmbientForm::Text14, &AmbientForm::Text15, &AmbientForm::Text16};

constexpr std::array kLabels = {
    &AmbientForm::Label1,  &AmbientForm::Label2,  &AmbientForm::Label3,  &AmbientForm::Label4,
    &AmbientForm::Label5,  &AmbientForm::Label6,  &AmbientForm::Label7,  &AmbientForm::Label8,
    &AmbientForm::Label9,  &AmbientForm::Label10, &AmbientForm::Label11, &AmbientForm::Label12,
    &AmbientForm::Label13, &AmbientForm::Label14, &AmbientForm::Label15, &AmbientForm::Label16,
    &AmbientForm::Label17, &AmbientForm::Label18, &AmbientForm::Label19, &AmbientForm::Label20,
    &AmbientForm::Label21, &AmbientForm::Label22, &AmbientForm::Label23, &AmbientForm::Label24,
    &AmbientForm::Label25, &AmbientForm::Label26, &AmbientForm::Label27, &AmbientForm::Label28,
    &AmbientForm::Label29, &AmbientForm::Label30, &AmbientForm::Label31, &AmbientForm::Label32,
    &AmbientForm::Label33};

constexpr std::array kCombos = {
    &AmbientForm::Combo1,  &AmbientForm::Combo2,  &AmbientForm::Combo3,  &AmbientForm::Combo4,
    &AmbientForm::Combo5,  &AmbientForm::Combo6,  &AmbientForm::Combo7,  &AmbientForm::Combo8,
    &AmbientForm::Combo9,  &AmbientForm::Combo10, &AmbientForm::Combo11, &AmbientForm::Combo12,
    &AmbientForm::Combo13, &AmbientForm::Combo14, &AmbientForm::Combo15, &AmbientForm::Combo16};

constexpr std::array kOptions = {
    &AmbientForm::Option1, &AmbientForm::Option2, &AmbientForm::Option3, &AmbientForm::Option4,
    &AmbientForm::Option5, &AmbientForm::Option6, &AmbientForm::Option7, &AmbientForm::Option8,
    &AmbientForm::Option9, &AmbientForm::Option10};

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

AmbientForm::AmbientForm() {
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

TextBox& AmbientForm::Text(int n) {
    return this->*member(kTextBoxes, n);
}
const TextBox& AmbientForm::Text(int n) const {
    return this->*member(kTextBoxes, n);
}
Label& AmbientForm::Labels(int n) {
    return this->*member(kLabels, n);
}
const Label& AmbientForm::Labels(int n) const {
    return this->*member(kLabels, n);
}
ComboBox& AmbientForm::Combo(int n) {
    return this->*member(kCombos, n);
}
const ComboBox& AmbientForm::Combo(int n) const {
    return this->*member(kCombos, n);
}
OptionButton& AmbientForm::Option(int n) {
    return this->*member(kOptions, n);
}
const OptionButton& AmbientForm::Option(int n) const {
    return this->*member(kOptions, n);
}

} // namespace hygrovane
