#include "climate/tmy3_reader.h"

#include "climate/calendar.h"
#include "climate/station_place.h"
#include "climate/text_fields.h"
#include "climate/weather_text.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

namespace hygrovane::climate {

namespace {

ReadFailure Failed(ReadFailureKind kind, std::size_t line, std::size_t field, std::string detail) {
    return ReadFailure{kind, line, field, std::move(detail)};
}

// A TMY3 column: its name before the unit, the EPW field and the factor to the EPW unit.
struct Column {
    const char* name;
    Field field;
    double factor;
};
constexpr Column kColumns[] = {
    {"ETR", Field::ExtraterrestrialHorizontal, 1}, // W/m2 over the hour = Wh/m2
    {"ETRN", Field::ExtraterrestrialDirectNormal, 1},
    {"GHI", Field::GlobalHorizontal, 1},
    {"DNI", Field::DirectNormal, 1},
    {"DHI", Field::DiffuseHorizontal, 1},
    {"GH illum", Field::GlobalHorizontalIlluminance, 1},
    {"DN illum", Field::DirectNormalIlluminance, 1},
    {"DH illum", Field::DiffuseHorizontalIlluminance, 1},
    {"Zenith lum", Field::ZenithLuminance, 1},
    {"TotCld", Field::TotalSkyCover, 1},
    {"OpqCld", Field::OpaqueSkyCover, 1},
    {"Dry-bulb", Field::DryBulb, 1},
    {"Dew-point", Field::DewPoint, 1},
    {"RHum", Field::RelativeHumidity, 1},
    {"Pressure", Field::StationPressure, 100}, // mbar to Pa
    {"Wdir", Field::WindDirection, 1},
    {"Wspd", Field::WindSpeed, 1},
    {"Hvis", Field::Visibility, 0.001}, // m to km
    {"CeilHgt", Field::CeilingHeight, 1},
    {"Pwat", Field::PrecipitableWater, 10}, // cm to mm
    {"AOD", Field::AerosolOpticalDepth, 1},
    {"Alb", Field::Albedo, 1},
    {"Lprecip depth", Field::LiquidPrecipitationDepth, 1},
    {"Lprecip quantity", Field::LiquidPrecipitationQuantity, 1},
};

// The column name without its unit: "Dry-bulb (C)" is "Dry-bulb".
std::string_view NameOf(std::string_view header) {
    header = Trimmed(header);
    const std::size_t unit = header.find(" (");
    return unit == std::string_view::npos ? header : header.substr(0, unit);
}

struct Date {
    int month, day;
    friend bool operator==(const Date&, const Date&) = default;
};

Date NextDay(Date d, bool leapDay) {
    const int days = d.month == 2 ? (leapDay ? 29 : 28) : DaysInMonth(d.month);
    if (d.day >= days) {
        return Date{d.month == 12 ? 1 : d.month + 1, 1};
    }
    return Date{d.month, d.day + 1};
}

// Names other writers give the columns a TMY3 file must have, for the refusal to point at.
struct Alias {
    const char* column;
    const char* other;
};
constexpr Alias kAliases[] = {
    {"RHum", "RH"},
    {"RHum", "Relative humidity"},
    {"RHum", "Humidity"},
    {"Dry-bulb", "Drybulb"},
    {"Dry-bulb", "Temperature"},
    {"Dry-bulb", "Temp"},
    {"Dew-point", "Dewpoint"},
    {"Pressure", "Pres"},
    {"Pressure", "Press"},
    {"Pressure", "Station pressure"},
};

// Lower case without blanks, hyphens and underscores: "Dry bulb" and "dry-bulb" are alike.
std::string Folded(std::string_view name) {
    std::string folded;
    for (const char c : name) {
        if (c != ' ' && c != '-' && c != '_') {
            folded.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return folded;
}

// The station line into `l`: USAF, name, state, time zone, latitude, longitude, elevation.
Expected<Done, ReadFailure> ReadStation(std::string_view line, Location& l) {
    std::vector<std::string_view> f;
    SplitFields(line, f, true);
    if (f.size() < 7 || !NumberOf(f[3]) || !NumberOf(f[4]) || !NumberOf(f[5]) || !NumberOf(f[6])) {
        return Fail(
            Failed(ReadFailureKind::BadHeader, 1, 0,
                   "the station line needs USAF, name, state, time zone, latitude, longitude, "
                   "elevation"));
    }
    l.wmo = std::string(Trimmed(f[0]));
    l.city = Utf8Of(Trimmed(f[1]));
    l.region = Utf8Of(Trimmed(f[2]));
    l.country = "USA";
    l.source = "TMY3";
    l.timeZone = *NumberOf(f[3]);
    l.latitude = *NumberOf(f[4]);
    l.longitude = *NumberOf(f[5]);
    l.elevation = *NumberOf(f[6]);
    if (const auto place = CheckPlace(l.latitude, l.longitude, l.timeZone, l.elevation); !place) {
        constexpr std::size_t kFieldOf[4] = {5, 6, 4, 7}; // latitude, longitude, zone, elevation
        const PlaceFailure& failure = place.error();
        return Fail(Failed(ReadFailureKind::BadHeader, 1,
                           kFieldOf[static_cast<std::size_t>(failure.kind)], failure.message));
    }
    return Done{};
}

bool IsTmy3Name(std::string_view header) {
    const std::string_view name = NameOf(header);
    return name == "Date" || name == "Time" ||
           std::any_of(std::begin(kColumns), std::end(kColumns),
                       [&](const Column& c) { return name == c.name; });
}

// The columns of the second line: each known one once, the required ones all present.
struct Columns {
    std::vector<std::pair<std::size_t, const Column*>> known;
    std::size_t date = 0, time = 0, width = 0;
};

Expected<Columns, ReadFailure> ReadColumns(std::string_view line) {
    constexpr std::size_t kLine = 2;
    std::vector<std::string_view> f;
    SplitFields(line, f, true);
    Columns c;
    c.width = f.size();
    c.date = c.time = f.size();
    // A name given twice would leave the reader to pick one: the file is refused instead.
    const auto once = [&](std::string_view name, std::size_t first,
                          std::size_t i) -> Expected<Done, ReadFailure> {
        if (first == f.size()) {
            return Done{};
        }
        return Fail(Failed(ReadFailureKind::BadHeader, kLine, i + 1,
                           "the " + std::string(name) + " column is given twice (columns " +
                               std::to_string(first + 1) + " and " + std::to_string(i + 1) + ")"));
    };
    if (std::none_of(f.begin(), f.end(), IsTmy3Name)) {
        return Fail(Failed(ReadFailureKind::MissingHeader, kLine, 0,
                           "the second line names no TMY3 column (Date, Time, Dry-bulb, ...)"));
    }
    for (std::size_t i = 0; i < f.size(); ++i) {
        const std::string_view name = NameOf(f[i]);
        std::size_t* place = name == "Date" ? &c.date : name == "Time" ? &c.time : nullptr;
        if (place) {
            if (const auto single = once(name, *place, i); !single) {
                return Fail(single.error());
            }
            *place = i;
        }
        for (const Column& column : kColumns) {
            if (name != column.name) {
                continue;
            }
            for (const auto& [j, known] : c.known) {
                if (known == &column) {
                    return Fail(once(name, j, i).error());
                }
            }
            c.known.emplace_back(i, &column);
        }
    }
    for (const char* required : {"Date", "Time", "Dry-bulb", "Dew-point", "RHum", "Pressure"}) {
        bool found = (std::string_view(required) == "Date" && c.date != f.size()) ||
                     (std::string_view(required) == "Time" && c.time != f.size());
        for (const auto& [i, column] : c.known) {
            found = found || std::string_view(column->name) == required;
        }
        if (found) {
            continue;
        }
        std::string detail = std::string("no ") + required + " column";
        for (std::size_t i = 0; i < f.size(); ++i) {
            for (const Alias& alias : kAliases) {
                if (alias.column == std::string_view(required) &&
                    Folded(NameOf(f[i])) == Folded(alias.other)) {
                    detail += " (column " + std::to_string(i + 1) + ", \"" +
                              std::string(NameOf(f[i])) + "\", is not a TMY3 name: TMY3 calls it " +
                              required + ")";
                }
            }
        }
        return Fail(Failed(ReadFailureKind::MissingHeader, kLine, 0, detail));
    }
    return c;
}

Expected<WeatherData, ReadFailure> ReadLines(std::string_view text) {
    LineReader reader(text);
    std::string_view line;
    WeatherData data;
    data.format = WeatherFormat::Tmy3;
    reader.Next(line); // there is one: the text is not blank
    if (const auto station = ReadStation(line, data.header.location); !station) {
        return Fail(station.error());
    }
    if (!reader.Next(line)) {
        return Fail(Failed(ReadFailureKind::MissingHeader, 2, 0,
                           "a TMY3 file starts with a station line and a line of column names"));
    }
    const auto columns = ReadColumns(line);
    if (!columns) {
        return Fail(columns.error());
    }
    const std::size_t width = columns->width;
    const std::size_t dateColumn = columns->date, timeColumn = columns->time;

    std::vector<std::string_view> f;
    Date expected{0, 0};
    int weekday = 0;
    std::size_t after = 0; // the line after the last row
    while (true) {
        const bool more = reader.Next(line);
        after = reader.Count() + (more ? 0 : 1);
        if (!more || (Trimmed(line).empty() && reader.RestBlank())) {
            break; // blank lines at the end are no rows
        }
        const std::size_t n = reader.Count();
        SplitFields(line, f);
        if (f.size() < width) {
            return Fail(Failed(ReadFailureKind::ShortRow, n, 0,
                               "a row needs " + std::to_string(width) + " fields, " +
                                   std::to_string(f.size()) + " found"));
        }
        // MM/DD/YYYY and HH:MM
        const std::string_view date = Trimmed(f[dateColumn]);
        const std::string_view time = Trimmed(f[timeColumn]);
        const auto month = date.size() == 10 ? IntegerOf(date.substr(0, 2)) : std::nullopt;
        const auto day = date.size() == 10 ? IntegerOf(date.substr(3, 2)) : std::nullopt;
        const auto year = date.size() == 10 ? IntegerOf(date.substr(6, 4)) : std::nullopt;
        if (!month || !day || !year || date[2] != '/' || date[5] != '/' || *month < 1 ||
            *month > 12 || *day < 1 || *day > DaysInMonth(static_cast<int>(*month))) {
            return Fail(
                Failed(ReadFailureKind::NotANumber, n, dateColumn + 1,
                       "the date is not MM/DD/YYYY (\"" + std::string(date.substr(0, 20)) + "\")"));
        }
        const auto hour = time.size() == 5 ? IntegerOf(time.substr(0, 2)) : std::nullopt;
        const auto minute = time.size() == 5 ? IntegerOf(time.substr(3, 2)) : std::nullopt;
        if (!hour || !minute || time[2] != ':' || *hour < 1 || *hour > 24 || *minute != 0) {
            return Fail(Failed(ReadFailureKind::NotANumber, n, timeColumn + 1,
                               "the time is not HH:00 from 01:00 to 24:00 (\"" +
                                   std::string(time.substr(0, 20)) + "\")"));
        }
        const Date given{static_cast<int>(*month), static_cast<int>(*day)};
        const bool first = data.hours.empty();
        const int expectedHour = first ? 1 : (data.hours.back().hour % 24) + 1;
        if (first) {
            expected = given;
            weekday = WeekdayOf(*year, *month, *day);
        } else if (expectedHour == 1) {
            expected = NextDay(expected, given == Date{2, 29});
            weekday = (weekday + 1) % 7;
        }
        if (given != expected || *hour != expectedHour) {
            return Fail(Failed(ReadFailureKind::OutOfOrder, n, dateColumn + 1,
                               "expected " + std::to_string(expected.month) + "/" +
                                   std::to_string(expected.day) + " " +
                                   std::to_string(expectedHour) + ":00"));
        }
        HourRecord r;
        r.year = static_cast<std::int16_t>(*year);
        r.month = static_cast<std::uint8_t>(given.month);
        r.day = static_cast<std::uint8_t>(given.day);
        r.hour = static_cast<std::uint8_t>(*hour);
        r.weekday = static_cast<std::uint8_t>(weekday);
        r.values.fill(std::numeric_limits<double>::quiet_NaN());
        for (const auto& [i, c] : columns->known) {
            if (Trimmed(f[i]).empty()) {
                continue;
            }
            const auto value = NumberOf(f[i]);
            if (!value) {
                return Fail(Failed(ReadFailureKind::NotANumber, n, i + 1,
                                   std::string(c->name) + " is not a number (\"" +
                                       std::string(Trimmed(f[i]).substr(0, 40)) + "\")"));
            }
            const double v = *value * c->factor;
            if (*value > kTmy3Missing && v < InfoOf(c->field).missingAtOrAbove) {
                r.values[static_cast<std::size_t>(c->field)] = v;
            }
        }
        data.hours.push_back(std::move(r));
    }
    if (data.hours.empty()) {
        return Fail(Failed(ReadFailureKind::Truncated, 3, 0, "no data rows"));
    }
    if (data.hours.back().hour != 24) {
        return Fail(Failed(ReadFailureKind::Truncated, after, 0,
                           "the file ends before hour 24 of its last day"));
    }
    DataPeriod period;
    period.name = "TMY3";
    period.startWeekday = data.hours.front().weekday;
    period.startMonth = data.hours.front().month;
    period.startDay = data.hours.front().day;
    period.endMonth = data.hours.back().month;
    period.endDay = data.hours.back().day;
    period.rowCount = data.hours.size();
    data.header.dataPeriods.push_back(period);
    return data;
}

} // namespace

bool HasTmy3Header(std::string_view text) {
    LineReader reader(text);
    std::string_view station, names;
    Location place;
    if (!reader.Next(station) || !reader.Next(names)) {
        return false;
    }
    const auto read = ReadStation(station, place);
    if (!read && read.error().field == 0) { // not the shape of a station line
        return false;
    }
    std::vector<std::string_view> f;
    SplitFields(names, f, true);
    return std::any_of(f.begin(), f.end(), IsTmy3Name);
}

Expected<WeatherData, ReadFailure> ReadTmy3(std::string_view text) {
    const auto checked = WeatherText(text);
    if (!checked) {
        return Fail(checked.error());
    }
    try {
        return ReadLines(*checked);
    } catch (const std::bad_alloc&) {
        return Fail(OutOfMemory());
    }
}

Expected<WeatherData, ReadFailure> ReadTmy3File(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text) {
        return Fail(text.error());
    }
    return ReadTmy3(*text);
}

} // namespace hygrovane::climate
