#include "fuzz_support.h"

#include "../tests/non_finite_text.h"

#include "models/calculator/calculate.h"
#include "models/calculator/unit_presets.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace hygrovane::fuzz {

using hygrovane::testing::NonFinite;

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

AmbientForm StartedForm() {
    AmbientForm form;
    for (int n = 1; n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, UnitSystem::Metric);
    }
    CalculateChecked(form);
    return form;
}

bool ShowsOnlyFiniteTexts(const AmbientForm& form, const AmbientForm* before) {
    for (int n = 1; n <= 16; ++n) {
        // A box keeping the text the user typed may say anything.
        const bool typed = before != nullptr && before->Text(n).text == form.Text(n).text;
        if (!typed && NonFinite(form.Text(n).text)) {
            return false;
        }
    }
    for (int n = 1; n <= 33; ++n) {
        if (NonFinite(form.Labels(n).caption)) {
            return false;
        }
    }
    return std::none_of(form.List1.items.begin(), form.List1.items.end(), NonFinite);
}

void CalculateChecked(AmbientForm& form) {
    const AmbientForm before = form;
    try {
        Calculate(form);
    } catch (...) {
        Fail("Calculate let an exception out");
    }
    if (!ShowsOnlyFiniteTexts(form, &before)) {
        Fail("a control shows a non-finite number");
    }
}

} // namespace hygrovane::fuzz
