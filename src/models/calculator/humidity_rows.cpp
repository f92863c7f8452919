#include "models/calculator/humidity_rows.h"

#include <algorithm>

namespace hygrovane {

namespace {

template <typename Rows, typename Member>
auto FindRow(const Rows& rows, Member member, int number) -> decltype(&rows[0]) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const auto& row) { return row.*member == number; });
    return found == rows.end() ? nullptr : &*found;
}

} // namespace

const HumidityRow* HumidityRowOfOption(int option) {
    return FindRow(kHumidityRows, &HumidityRow::option, option);
}
const HumidityRow* HumidityRowOfBox(int box) {
    return FindRow(kHumidityRows, &HumidityRow::box, box);
}
const PressureRow* PressureRowOfOption(int option) {
    return FindRow(kPressureRows, &PressureRow::option, option);
}
const PressureRow* PressureRowOfBox(int box) {
    return FindRow(kPressureRows, &PressureRow::box, box);
}

} // namespace hygrovane
