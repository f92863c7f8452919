#include "climate/epw_header.h"

#include "climate/calendar.h"
#include "climate/station_place.h"
#include "climate/text_fields.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace hygrovane::climate {

namespace {

using Fields = std::vector<std::string_view>;

std::string Upper(std::string_view text) {
    std::string upper(Trimmed(text));
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

ReadFailure Bad(std::size_t line, std::size_t field, std::string detail) {
    return ReadFailure{ReadFailureKind::BadHeader, line, field, std::move(detail)};
}

// A field that may be blank (none) but not text.
Expected<std::optional<double>, ReadFailure> Optional(const Fields& f, std::size_t i,
                                                      std::size_t line, const char* what) {
    if (i >= f.size() || Trimmed(f[i]).empty()) {
        return std::optional<double>();
    }
    if (const auto value = NumberOf(f[i])) {
        return std::optional<double>(*value);
    }
    return Fail(Bad(line, i + 1, std::string(what) + " is not a number"));
}

// A count field followed by `width` fields per item, all present.
Expected<std::size_t, ReadFailure> Count(const Fields& f, std::size_t i, std::size_t width,
                                         std::size_t line, const char* what) {
    const auto count = i < f.size() ? IntegerOf(f[i]) : std::nullopt;
    if (!count || *count < 0) {
        return Fail(Bad(line, i + 1, std::string("the number of ") + what + " is not a count"));
    }
    // Compared by division: a huge count must not overflow the product.
    if (static_cast<std::size_t>(*count) > (f.size() - std::min(f.size(), i + 1)) / width) {
        return Fail(
            Bad(line, 0, std::to_string(*count) + " " + what + " announced, fewer fields given"));
    }
    return static_cast<std::size_t>(*count);
}

Expected<Done, ReadFailure> ReadLocation(const Fields& f, Location& l) {
    constexpr std::size_t kLine = 1;
    if (f.size() < 10) {
        return Fail(
            Bad(kLine, 0, "LOCATION needs 10 fields, " + std::to_string(f.size()) + " found"));
    }
    const auto placeAt = [&](std::size_t i) {
        const auto lat = NumberOf(f[i]), lon = NumberOf(f[i + 1]);
        const auto zone = NumberOf(f[i + 2]), elevation = NumberOf(f[i + 3]);
        return lat && lon && zone && elevation && CheckPlace(*lat, *lon, *zone, *elevation);
    };
    // Ten fields as the dictionary has them. With more, an extra field trails the elevation, or
    // a name holds a comma: the place is then in the last four fields.
    std::size_t at = 6;
    if (!placeAt(at) && f.size() > 10 && placeAt(f.size() - 4)) {
        at = f.size() - 4;
    }
    if (!placeAt(at)) {
        const char* names[4] = {"latitude", "longitude", "time zone", "elevation"};
        for (std::size_t k = 0; k < 4; ++k) {
            if (!NumberOf(f[at + k])) {
                return Fail(
                    Bad(kLine, at + k + 1, std::string("the ") + names[k] + " is not a number"));
            }
        }
        const auto place = CheckPlace(*NumberOf(f[at]), *NumberOf(f[at + 1]), *NumberOf(f[at + 2]),
                                      *NumberOf(f[at + 3]));
        const PlaceFailure& failure = place.error();
        return Fail(Bad(kLine, at + static_cast<std::size_t>(failure.kind) + 1, failure.message));
    }
    std::string city(Trimmed(f[1]));
    for (std::size_t i = 2; i + 4 < at; ++i) { // a name with commas, put back together
        city += "," + std::string(f[i]);
    }
    const std::size_t shift = at - 6;
    l.city = Utf8Of(Trimmed(city));
    l.region = Utf8Of(Trimmed(f[2 + shift]));
    l.country = Utf8Of(Trimmed(f[3 + shift]));
    l.source = Utf8Of(Trimmed(f[4 + shift]));
    l.wmo = Utf8Of(Trimmed(f[5 + shift]));
    l.latitude = *NumberOf(f[at]);
    l.longitude = *NumberOf(f[at + 1]);
    l.timeZone = *NumberOf(f[at + 2]);
    l.elevation = *NumberOf(f[at + 3]);
    return Done{};
}

std::optional<double> At(const std::vector<std::optional<double>>& v, std::size_t i) {
    return i < v.size() ? v[i] : std::nullopt;
}

Expected<Done, ReadFailure> ReadDesign(const Fields& f, DesignConditions& d) {
    constexpr std::size_t kLine = 2;
    const auto count = f.size() > 1 ? IntegerOf(f[1]) : std::nullopt;
    if (!count || *count < 0) {
        return Fail(Bad(kLine, 2, "the number of design conditions is not a count"));
    }
    if (*count == 0) {
        return Done{};
    }
    d.source = f.size() > 2 ? Utf8Of(Trimmed(f[2])) : std::string();
    d.layout = d.source.find("2009") != std::string::npos   ? DesignConditions::Layout::Handbook2009
               : d.source.find("2021") != std::string::npos ? DesignConditions::Layout::Handbook2021
                                                            : DesignConditions::Layout::Other;
    // Sections follow their keyword; other text (unit captions of some writers) is no number.
    std::vector<std::optional<double>>* section = nullptr;
    for (std::size_t i = 3; i < f.size(); ++i) {
        const std::string word = Upper(f[i]);
        if (word == "HEATING") {
            section = &d.heatingFields;
        } else if (word == "COOLING") {
            section = &d.coolingFields;
        } else if (word == "EXTREMES") {
            section = &d.extremeFields;
        } else if (section) {
            section->push_back(NumberOf(f[i]));
        }
    }
    const auto month = [](std::optional<double> v) -> std::optional<int> {
        if (v && *v >= 1 && *v <= 12) {
            return static_cast<int>(*v);
        }
        return std::nullopt;
    };
    // Heating: coldest month, then the 99.6 % and 99 % dry bulbs. Cooling: hottest month, its
    // mean daily range, then dry bulb and mean coincident wet bulb at 0.4, 1 and 2 %.
    d.coldestMonth = month(At(d.heatingFields, 0));
    d.heating99_6 = At(d.heatingFields, 1);
    d.heating99 = At(d.heatingFields, 2);
    d.hottestMonth = month(At(d.coolingFields, 0));
    d.hottestMonthDailyRange = At(d.coolingFields, 1);
    for (std::size_t k = 0; k < 3; ++k) {
        d.coolingDryBulb[k] = At(d.coolingFields, 2 + 2 * k);
        d.coolingWetBulb[k] = At(d.coolingFields, 3 + 2 * k);
    }
    return Done{};
}

Expected<Done, ReadFailure> ReadPeriods(const Fields& f, std::vector<TypicalPeriod>& periods) {
    constexpr std::size_t kLine = 3;
    const auto count = Count(f, 1, 4, kLine, "typical/extreme periods");
    if (!count) {
        return Fail(count.error());
    }
    for (std::size_t k = 0; k < *count; ++k) {
        const std::size_t i = 2 + 4 * k;
        periods.push_back({Utf8Of(Trimmed(f[i])), Utf8Of(Trimmed(f[i + 1])),
                           std::string(Trimmed(f[i + 2])), std::string(Trimmed(f[i + 3]))});
    }
    return Done{};
}

Expected<Done, ReadFailure> ReadGround(const Fields& f, std::vector<GroundTemperatures>& ground) {
    constexpr std::size_t kLine = 4;
    const auto count = Count(f, 1, 16, kLine, "ground temperature depths");
    if (!count) {
        return Fail(count.error());
    }
    for (std::size_t k = 0; k < *count; ++k) {
        const std::size_t i = 2 + 16 * k;
        GroundTemperatures g;
        std::array<std::optional<double>, 16> v;
        for (std::size_t j = 0; j < 16; ++j) {
            const auto value = Optional(f, i + j, kLine, "a ground temperature field");
            if (!value) {
                return Fail(value.error());
            }
            v[j] = *value;
        }
        if (!v[0]) {
            return Fail(Bad(kLine, i + 1, "a ground temperature depth is blank"));
        }
        g.depth = *v[0];
        g.conductivity = v[1];
        g.density = v[2];
        g.specificHeat = v[3];
        std::copy(v.begin() + 4, v.end(), g.monthly.begin());
        ground.push_back(g);
    }
    return Done{};
}

Expected<Done, ReadFailure> ReadHolidays(const Fields& f, HolidaysDaylightSaving& h) {
    constexpr std::size_t kLine = 5;
    if (f.size() < 5) {
        return Fail(Bad(kLine, 0, "HOLIDAYS/DAYLIGHT SAVINGS needs at least 5 fields"));
    }
    // Nothing is computed from the leap year field: one left blank is taken from the rows.
    const std::string leap = Upper(f[1]);
    h.leapYearGiven = leap == "YES" || leap == "NO";
    h.leapYearObserved = leap == "YES";
    h.daylightSavingStart = std::string(Trimmed(f[2]));
    h.daylightSavingEnd = std::string(Trimmed(f[3]));
    const auto count = Count(f, 4, 2, kLine, "holidays");
    if (!count) {
        return Fail(count.error());
    }
    for (std::size_t k = 0; k < *count; ++k) {
        h.holidays.push_back({Utf8Of(Trimmed(f[5 + 2 * k])), std::string(Trimmed(f[6 + 2 * k]))});
    }
    return Done{};
}

Expected<Done, ReadFailure> ReadDataPeriods(const Fields& f, WeatherHeader& header) {
    constexpr std::size_t kLine = 8;
    const auto count = Count(f, 1, 4, kLine, "data periods");
    if (!count) {
        return Fail(count.error());
    }
    const auto perHour = f.size() > 2 ? IntegerOf(f[2]) : std::nullopt;
    if (!perHour || *perHour < 1 || *perHour > 60) {
        return Fail(Bad(kLine, 3, "the number of records per hour is not 1 to 60"));
    }
    if (*count == 0 || *count > 255) { // a record's period index is 8 bits
        return Fail(Bad(kLine, 2, "the number of data periods is not 1 to 255"));
    }
    if (f.size() < 3 + 4 * *count) {
        return Fail(Bad(kLine, 0, std::to_string(*count) + " data periods announced, fewer given"));
    }
    header.recordsPerHour = static_cast<int>(*perHour);
    for (std::size_t k = 0; k < *count; ++k) {
        const std::size_t i = 3 + 4 * k;
        DataPeriod p;
        p.name = Utf8Of(Trimmed(f[i]));
        const auto weekday = WeekdayNamed(f[i + 1]);
        if (!weekday) {
            return Fail(Bad(kLine, i + 2, "the start day of week is not a weekday"));
        }
        p.startWeekday = *weekday;
        const auto start = HeaderDate(f[i + 2]);
        const auto end = HeaderDate(f[i + 3]);
        if (!start) {
            return Fail(Bad(kLine, i + 3, "the start day is not a date"));
        }
        if (!end) {
            return Fail(Bad(kLine, i + 4, "the end day is not a date"));
        }
        for (const auto& [date, what, field] :
             {std::tuple{*start, "start", i + 3}, std::tuple{*end, "end", i + 4}}) {
            if (date.yearFirst) {
                header.notes.push_back("line 8, field " + std::to_string(field) + ": the " + what +
                                       " day \"" + std::string(Trimmed(f[field - 1])) +
                                       "\" is written year first; its year is not used");
            }
        }
        p.startMonth = start->month;
        p.startDay = start->day;
        p.endMonth = end->month;
        p.endDay = end->day;
        header.dataPeriods.push_back(p);
    }
    return Done{};
}

// The rest of a line after its keyword, commas and all.
std::string Remainder(std::string_view line) {
    const std::size_t comma = line.find(',');
    return comma == std::string_view::npos ? std::string()
                                           : Utf8Of(Trimmed(line.substr(comma + 1)));
}

} // namespace

std::optional<MonthDay> HeaderDate(std::string_view text) {
    text = Trimmed(text);
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        const auto julian = IntegerOf(text);
        if (!julian || *julian < 1 || *julian > 365) {
            return std::nullopt;
        }
        int day = static_cast<int>(*julian);
        for (int month = 1; month <= 12; ++month) {
            const int days = month == 2 ? 28 : DaysInMonth(month);
            if (day <= days) {
                return MonthDay{month, day};
            }
            day -= days;
        }
        return std::nullopt;
    }
    std::string_view first = text.substr(0, slash);
    std::string_view rest = text.substr(slash + 1);
    bool yearFirst = false;
    const std::size_t second = rest.find('/'); // a year before or after: it is not needed
    if (second != std::string_view::npos) {
        const auto leading = IntegerOf(first);
        if (!leading) {
            return std::nullopt;
        }
        yearFirst = *leading > 12;
        if (yearFirst) {
            first = rest.substr(0, second);
            rest = rest.substr(second + 1);
        } else {
            if (!IntegerOf(rest.substr(second + 1))) {
                return std::nullopt;
            }
            rest = rest.substr(0, second);
        }
    }
    const auto month = IntegerOf(first);
    const auto day = IntegerOf(rest);
    if (!month || !day || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(static_cast<int>(*month))) {
        return std::nullopt;
    }
    return MonthDay{static_cast<int>(*month), static_cast<int>(*day), yearFirst};
}

std::optional<int> WeekdayNamed(std::string_view text) {
    const std::string name = Upper(text);
    constexpr const char* kNames[7] = {"SUNDAY",   "MONDAY", "TUESDAY", "WEDNESDAY",
                                       "THURSDAY", "FRIDAY", "SATURDAY"};
    for (int d = 0; d < 7; ++d) {
        const std::string_view full = kNames[d];
        if (name == full || (name.size() == 3 && full.substr(0, 3) == name)) {
            return d;
        }
    }
    return std::nullopt;
}

Expected<WeatherHeader, ReadFailure> ReadEpwHeader(const std::vector<std::string_view>& lines) {
    constexpr const char* kKeywords[kEpwHeaderLines] = {"LOCATION",
                                                        "DESIGN CONDITIONS",
                                                        "TYPICAL/EXTREME PERIODS",
                                                        "GROUND TEMPERATURES",
                                                        "HOLIDAYS/DAYLIGHT SAVINGS",
                                                        "COMMENTS 1",
                                                        "COMMENTS 2",
                                                        "DATA PERIODS"};
    WeatherHeader header;
    Fields f;
    for (std::size_t n = 0; n < kEpwHeaderLines; ++n) {
        const std::size_t line = n + 1;
        if (n >= lines.size()) {
            return Fail(
                ReadFailure{ReadFailureKind::MissingHeader, line, 0,
                            std::string("the file ends before its ") + kKeywords[n] + " record"});
        }
        SplitFields(lines[n], f);
        std::string keyword = Upper(f[0]);
        if (keyword == "HOLIDAYS/DAYLIGHT SAVING") { // the dictionary's own spelling
            keyword += "S";
        }
        if (keyword != kKeywords[n]) {
            return Fail(ReadFailure{ReadFailureKind::MissingHeader, line, 1,
                                    std::string("expected the ") + kKeywords[n] + " record"});
        }
        Expected<Done, ReadFailure> read = Done{};
        switch (n) {
        case 0:
            read = ReadLocation(f, header.location);
            break;
        case 1:
            read = ReadDesign(f, header.designConditions);
            break;
        case 2:
            read = ReadPeriods(f, header.typicalPeriods);
            break;
        case 3:
            read = ReadGround(f, header.groundTemperatures);
            break;
        case 4:
            read = ReadHolidays(f, header.holidays);
            break;
        case 5:
            header.comments1 = Remainder(lines[n]);
            break;
        case 6:
            header.comments2 = Remainder(lines[n]);
            break;
        default:
            read = ReadDataPeriods(f, header);
            break;
        }
        if (!read) {
            return Fail(read.error());
        }
    }
    return header;
}

} // namespace hygrovane::climate
