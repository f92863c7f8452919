#pragma once

#include "hygrovane/sat_formulation.h"
#include "models/calculator/ambient_state.h"
#include "models/calculator/controls.h"
#include "models/calculator/main_window_view.h"

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane {

// The controls of the main window Form_ambient, one member per control, and the state the window
// owns. The calculation reads and writes only this; the Qt view draws it.
struct AmbientForm {
    AmbientForm(); // the design-time state

    // Value boxes: Text1 ambient temperature, Text2 pressure, Text10 altitude, Text3..Text9 and
    // Text11 the eight humidity parameters, Text12..Text16 the other properties.
    TextBox Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12,
        Text13, Text14, Text15, Text16;
    Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11,
        Label12, Label13, Label14, Label15, Label16, Label17, Label18, Label19, Label20, Label21,
        Label22, Label23, Label24, Label25, Label26, Label27, Label28, Label29, Label30, Label31,
        Label32, Label33;
    ComboBox Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9, Combo10,
        Combo11, Combo12, Combo13, Combo14, Combo15, Combo16;
    OptionButton Option1, Option2, Option3, Option4, Option5, Option6, Option7, Option8, Option9,
        Option10;
    ListBox List1;
    MenuItem menu_IAPWS, menu_HW, menu_metric, menu_british, menu_customized;
    std::string Command1Caption;

    // Set true by every Calculate; cleared by a successful open or save.
    bool CaseModified = false;
    // The case file last opened or saved; empty until then.
    std::string CurrentFileName;
    // The decimal separator of what is never read back (the composition table in List1 and the
    // report); the view sets the user's locale's. Value boxes always show ".", as numbers are read.
    std::string decimalSeparator = ".";

    AmbientState state;
    // The state the boxes show: set by a calculation that reaches every box, cleared by one that
    // ends in the error display; kept by one that shows nothing new.
    std::optional<ComputedState> computed;

    // The formulation whose menu item carries the check mark.
    SatFormulation Formulation() const {
        return menu_IAPWS.checked ? SatFormulation::IAPWS : SatFormulation::HylandWexler;
    }

    // Access by number (Text(1) is Text1); nullptr / out of range throws std::out_of_range.
    TextBox& Text(int n);
    const TextBox& Text(int n) const;
    Label& Labels(int n);
    const Label& Labels(int n) const;
    ComboBox& Combo(int n);
    const ComboBox& Combo(int n) const;
    OptionButton& Option(int n);
    const OptionButton& Option(int n) const;
};

} // namespace hygrovane
