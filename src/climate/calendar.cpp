#include "climate/calendar.h"

namespace hygrovane::climate {

int DaysInMonth(int month) {
    constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? kDays[month - 1] : 0;
}

} // namespace hygrovane::climate
