#include "models/convertor_model.h"

#include "display/number_text.h"
#include "units/quantity.h"

#include <cstddef>

namespace hygrovane::models {

namespace {

using units::Quantity;

constexpr std::array<Quantity, kConvertorQuantities> kQuantities = {Quantity::Temperature,
                                                                    Quantity::Pressure,
                                                                    Quantity::Length,
                                                                    Quantity::Density,
                                                                    Quantity::SpecificGasConstant,
                                                                    Quantity::SpecificVolume,
                                                                    Quantity::SpecificEnthalpy};

} // namespace

ConvertorModel::ConvertorModel()
    : Label1{"Quantity", colours::kMaximumPink}, Label2{"From", colours::kMinimumGreen},
      Label3{"To", colours::kMinimumGreen} {
    Combo1.items = {
        "Temperature",     "Pressure",         "Length", "Density", "Specific Gas Const. (R)",
        "Specific Volume", "Specific Enthalpy"};
    Text1.text = "1";
    Text2.text = "1";
    Text2.locked = true;
    Text2.background = colours::kResultOrange;
    for (std::size_t k = 0; k < kQuantities.size(); ++k) {
        Combo2[k].items = units::UnitList(kQuantities[k]);
        Combo3[k].items = Combo2[k].items;
    }
}

void Form_Load(ConvertorModel& form) {
    // Each selection raises the list's click, as a user's pick would.
    form.Combo1.listIndex = 0;
    Combo1_Click(form);
    for (int k = 0; k < kConvertorQuantities; ++k) {
        form.Combo2[static_cast<std::size_t>(k)].listIndex = 0;
        Combo2_Click(form, k);
        form.Combo3[static_cast<std::size_t>(k)].listIndex = 0;
        Combo3_Click(form, k);
    }
}

void Combo1_Click(ConvertorModel& form) {
    for (std::size_t k = 0; k < kQuantities.size(); ++k) {
        const bool selected = static_cast<int>(k) == form.Combo1.listIndex;
        form.Combo2[k].visible = selected;
        form.Combo3[k].visible = selected;
    }
    ConvertValue(form);
}

void Combo2_Click(ConvertorModel& form, int /*index*/) {
    ConvertValue(form);
}

void Combo3_Click(ConvertorModel& form, int /*index*/) {
    ConvertValue(form);
}

void Text1_Change(ConvertorModel& form) {
    ConvertValue(form);
    // The user is typing in Text1: selecting the whole text now would make the next key replace
    // it, so that "-5", ".5" or "1e-3", typed key by key, would end as "5" or "3".
    form.Text1.focusRequested = false;
}

void ConvertValue(ConvertorModel& form) {
    if (!IsNumeric(form.Text1.text)) {
        form.Text2.text = "Error";
        form.Text1.focusRequested = true;
        return;
    }
    const int k = form.Combo1.listIndex;
    if (k < 0 || k >= kConvertorQuantities) {
        return;
    }
    const auto index = static_cast<std::size_t>(k);
    const Quantity quantity = kQuantities[index];
    const double x = ReadNumber(form.Text1.text);
    // A list with nothing selected (only while loading) converts nothing.
    const double v = units::ToInternal(quantity, form.Combo2[index].text(), x).value_or(x);
    const double r = units::FromInternal(quantity, form.Combo3[index].text(), v).value_or(v);
    form.Text2.text = RoundedText(r, 10);
}

} // namespace hygrovane::models
