#include "models/calculator/calculation_steps.h"

#include "display/display_texts.h"
#include "display/number_text.h"

#include <string>
#include <string_view>

namespace hygrovane::calculation {

namespace {

const std::string kRule(48, '-');

std::string Blanks(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

// One line of the composition table: name, blanks, mole %, blanks, mass %.
std::string CompositionLine(std::string_view name, int moleBlanks, double molePercent,
                            std::string_view molePicture, int massBlanks, double massPercent,
                            std::string_view massPicture, const std::string& separator) {
    return std::string(name) + Blanks(moleBlanks) +
           PictureText(molePercent, molePicture, separator) + Blanks(massBlanks) +
           PictureText(massPercent, massPicture, separator);
}

void FillList(AmbientForm& form, const MoistAirState& s) {
    const Composition& x = s.byVolume;
    const Composition& w = s.byMass;
    const std::string& sep = form.decimalSeparator;
    std::vector<std::string>& items = form.List1.items;
    items.clear();
    if (form.menu_IAPWS.checked) {
        items.push_back("Sat. Formulation:  IAPWS");
    }
    if (form.menu_HW.checked) {
        items.push_back("Sat. Formulation:  Hyland-Wexler");
    }
    items.push_back(kRule);
    items.push_back("Air Composition");
    items.push_back(kRule);
    items.push_back("Species" + Blanks(14) + "%Vol." + Blanks(14) + "%Wgt.");
    items.push_back(kRule);
    items.push_back(
        CompositionLine("N2", 20, x.N2 * 100, "00.0000", 13, w.N2 * 100, "00.0000", sep));
    items.push_back(
        CompositionLine("O2", 20, x.O2 * 100, "00.0000", 13, w.O2 * 100, "00.0000", sep));
    // The argon percentages are formed in 32 bits, like the fractions themselves.
    items.push_back(
        CompositionLine("Ar", 23, 100.0F * x.Ar, "0.0000", 15, 100.0F * w.Ar, "0.0000", sep));
    items.push_back(
        CompositionLine("CO2", 19, x.CO2 * 100, "0.0000", 15, w.CO2 * 100, "0.0000", sep));
    const double water = x.H2O * 100;
    const double waterMass = w.H2O * 100;
    if (x.H2O < 0.1) {
        items.push_back(CompositionLine("H2O", 19, water, "0.0000", 15, waterMass, "#0.0000", sep));
    } else if (w.H2O < 0.1) {
        items.push_back(
            CompositionLine("H2O", 17, water, "##.0000", 15, waterMass, "#0.0000", sep));
    } else {
        items.push_back(
            CompositionLine("H2O", 17, water, "##.0000", 13, waterMass, "##.0000", sep));
    }
}

} // namespace

void ShowProperties(AmbientForm& form, const MoistAirState& s) {
    Show(form.Text12.text, GasConstantText(s.gasConstant, form.Combo12.text()));
    // Both units of the molecular weight carry the same number.
    form.Text13.text = RoundedText(s.molecularWeight, 5);
    Show(form.Text14.text, DensityText(s.density, form.Combo14.text()));
    Show(form.Text15.text, SpecificVolumeText(s.specificVolume, form.Combo15.text()));
    Show(form.Text16.text, EnthalpyText(s.enthalpy, form.Combo16.text()));
    FillList(form, s);
    form.List1.background = colours::kResultOrange;
}

} // namespace hygrovane::calculation
