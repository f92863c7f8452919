#include "calculator/calculation_steps.h"

#include "calculator/checked_arithmetic.h"
#include "calculator/display_texts.h"
#include "calculator/number_text.h"

#include <string>
#include <string_view>

namespace hygrovane::calculation {

namespace {

// Shares of dry air; each column sums to exactly 1.
constexpr double kMoleN2 = 0.78084, kMoleO2 = 0.209476, kMoleAr = 0.009365, kMoleCO2 = 0.000319;
constexpr double kMassN2 = 0.755184, kMassO2 = 0.231415, kMassAr = 0.012916, kMassCO2 = 0.000485;

constexpr double kDryAirGasConstant = 287.1;
constexpr double kDryAirToWaterRatio = 1.6078;

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

void ComputeComposition(AmbientState& s) {
    const double dryMole = 1 - s.x_w;
    s.x_N2 = dryMole * kMoleN2;
    s.x_O2 = dryMole * kMoleO2;
    s.x_Ar = Single(dryMole * kMoleAr);
    s.x_CO2 = dryMole * kMoleCO2;
    const double dryMass = 1 - s.w_w;
    s.w_N2 = dryMass * kMassN2;
    s.w_O2 = dryMass * kMassO2;
    s.w_Ar = Single(dryMass * kMassAr);
    s.w_CO2 = dryMass * kMassCO2;
}

void FillList(FormAmbient& form) {
    const AmbientState& s = form.state;
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
        CompositionLine("N2", 20, s.x_N2 * 100, "00.0000", 13, s.w_N2 * 100, "00.0000", sep));
    items.push_back(
        CompositionLine("O2", 20, s.x_O2 * 100, "00.0000", 13, s.w_O2 * 100, "00.0000", sep));
    // The argon percentages are formed in 32 bits, like the fractions themselves.
    items.push_back(
        CompositionLine("Ar", 23, 100.0F * s.x_Ar, "0.0000", 15, 100.0F * s.w_Ar, "0.0000", sep));
    items.push_back(
        CompositionLine("CO2", 19, s.x_CO2 * 100, "0.0000", 15, s.w_CO2 * 100, "0.0000", sep));
    const double x = s.x_w * 100;
    const double w = s.w_w * 100;
    if (s.x_w < 0.1) {
        items.push_back(CompositionLine("H2O", 19, x, "0.0000", 15, w, "#0.0000", sep));
    } else if (s.w_w < 0.1) {
        items.push_back(CompositionLine("H2O", 17, x, "##.0000", 15, w, "#0.0000", sep));
    } else {
        items.push_back(CompositionLine("H2O", 17, x, "##.0000", 13, w, "##.0000", sep));
    }
}

} // namespace

void OtherProperties(FormAmbient& form) {
    AmbientState& s = form.state;
    const double T = s.T;
    s.R = Divide(kUniversalGasConstant, s.M);
    const double v = Divide((kDryAirGasConstant * T) * (1 + kDryAirToWaterRatio * s.W), s.P);
    s.rho = Divide(1 + s.W, v);
    const double t = T - 273.15;
    const double h = Finite(1.006 * t + s.W * (2501.0 + 1.805 * t));

    Show(form.Text12.text, GasConstantText(s.R, form.Combo12.text()));
    // Both units of the molecular weight carry the same number.
    form.Text13.text = RoundedText(s.M, 5);
    Show(form.Text14.text, DensityText(s.rho, form.Combo14.text()));
    Show(form.Text15.text, SpecificVolumeText(v, form.Combo15.text()));
    Show(form.Text16.text, EnthalpyText(h, form.Combo16.text()));

    ComputeComposition(s);
    FillList(form);
    form.List1.background = colours::kResultOrange;
}

} // namespace hygrovane::calculation
