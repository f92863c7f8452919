#include "models/calculator/calculation_steps.h"

namespace hygrovane::calculation {

void MarkUnselectedHumidityBoxes(AmbientForm& form) {
    for (const HumidityRow& row : kHumidityRows) {
        if (!form.Option(row.option).value) {
            form.Text(row.box).text = "Error";
        }
    }
}

void ErrorDisplay(AmbientForm& form) {
    for (int n = 12; n <= 16; ++n) {
        form.Text(n).text = "Error";
    }
    form.List1.items = {"Error!", "The quantity which has been indicated",
                        "by red color is out of allowable range."};
    form.List1.background = colours::kErrorRed;
}

void ShowPressureTooLow(AmbientForm& form) {
    MarkUnselectedHumidityBoxes(form);
    for (int n = 12; n <= 16; ++n) {
        form.Text(n).text = "Error";
    }
    // Every humidity caption but Label20, which keeps the saturation pressure.
    for (int n = 10; n <= 25; ++n) {
        if (n != 20) {
            form.Labels(n).caption = "Error";
        }
    }
    form.List1.items = {"Error!", "The partial pressure of water vapor",
                        "exceeds the ambient pressure."};
    form.List1.background = colours::kErrorRed;
    form.Text2.background = colours::kWarningYellow;
    form.Label20.background = colours::kWarningYellow;
}

} // namespace hygrovane::calculation
