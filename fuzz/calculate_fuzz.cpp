// Calculate on arbitrary input texts, unit selections (none selected included) and options.
#include "fuzz_support.h"
#include "models/calculator/humidity_rows.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

using namespace hygrovane;

namespace {

// The boxes a user types into: the temperature, the pressure rows and the humidity rows.
std::vector<int> InputBoxes() {
    std::vector<int> boxes{1};
    for (const PressureRow& row : kPressureRows) {
        boxes.push_back(row.box);
    }
    for (const HumidityRow& row : kHumidityRows) {
        boxes.push_back(row.box);
    }
    return boxes;
}
const std::vector<int> kInputBoxes = InputBoxes();

void Scramble(FuzzedDataProvider& input, AmbientForm& form) {
    for (int n = 1; n <= 16; ++n) {
        ComboBox& combo = form.Combo(n);
        if (input.ConsumeBool()) {
            combo.listIndex =
                input.ConsumeIntegralInRange<int>(-1, static_cast<int>(combo.items.size()));
        }
    }
    for (int n = 1; n <= 10; ++n) {
        form.Option(n).value = input.ConsumeBool();
    }
    form.menu_IAPWS.checked = input.ConsumeBool();
    form.menu_HW.checked = input.ConsumeBool();
    for (int box : kInputBoxes) {
        if (input.ConsumeBool()) {
            form.Text(box).text = input.ConsumeRandomLengthString(40);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    AmbientForm form = fuzz::StartedForm();
    // A few calculations in a row: fields that one does not reach keep the previous values.
    for (int round = 0; round < 3 && input.remaining_bytes() > 0; ++round) {
        Scramble(input, form);
        fuzz::CalculateChecked(form);
    }
    return 0;
}
