#pragma once

// Days of months without a year: weather files give month and day, and a leap day only where a
// row for 29 February is present.

namespace hygrovane::climate {

// Days in a month (1-12), February with 29 so that a leap day is a valid date.
int DaysInMonth(int month);

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar (negative before it).
long DaysFromCivil(long year, long month, long day);

// Whether the date exists in that year: 2025-02-31 and 2025-02-29 do not.
bool IsCivilDate(long year, long month, long day);

// The day of the week of a civil date of the proleptic Gregorian calendar: 0 Sunday to 6 Saturday.
int WeekdayOf(long year, long month, long day);

} // namespace hygrovane::climate
