#include "climate/calendar.h"

namespace hygrovane::climate {

// H. Hinnant's days_from_civil.
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool IsCivilDate(long year, long month, long day) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(static_cast<int>(month))) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

int DaysInMonth(int month) {
    constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? kDays[month - 1] : 0;
}

int WeekdayOf(long year, long month, long day) {
    // 1970-01-01 was a Thursday (4); % keeps the sign of days before it.
    return static_cast<int>(((DaysFromCivil(year, month, day) % 7) + 11) % 7);
}

} // namespace hygrovane::climate
