#include "climate/tmy3_reader.h"

#include "climate/calendar.h"
#include "climate/epw_reader.h"
#include "climate/text_fields.h"

#include <cctype>
#include <limits>

namespace hygrovane::climate {

namespace {

ReadFailure Fail(ReadFailureKind kind, std::size_t line, std::size_t field, std::string detail) {
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
    if (d.day >= days)
        return Date{d.month == 12 ? 1 : d.month + 1, 1};
    return Date{d.month, d.day + 1};
}

} // namespace

Expected<WeatherData, ReadFailure> ReadTmy3(std::string_view text) {
    if (text.size() > kLargestWeatherFile)
        return Fail(ReadFailureKind::TooLarge, 0, 0, "the file is larger than 512 MiB");
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<std::string_view> f;
    if (lines.size() < 2)
        return Fail(ReadFailureKind::MissingHeader, lines.size() + 1, 0,
                    "a TMY3 file starts with a station line and a line of column names");
    WeatherData data;
    data.format = WeatherFormat::Tmy3;
    Location& l = data.header.location;
    SplitFields(lines[0], f, true);
    if (f.size() < 7 || !NumberOf(f[3]) || !NumberOf(f[4]) || !NumberOf(f[5]) || !NumberOf(f[6]))
        return Fail(ReadFailureKind::BadHeader, 1, 0,
                    "the station line needs USAF, name, state, time zone, latitude, longitude, "
                    "elevation");
    l.wmo = std::string(Trimmed(f[0]));
    l.city = Utf8Of(Trimmed(f[1]));
    l.region = Utf8Of(Trimmed(f[2]));
    l.country = "USA";
    l.source = "TMY3";
    l.timeZone = *NumberOf(f[3]);
    l.latitude = *NumberOf(f[4]);
    l.longitude = *NumberOf(f[5]);
    l.elevation = *NumberOf(f[6]);

    SplitFields(lines[1], f, true);
    std::vector<std::pair<std::size_t, const Column*>> columns;
    std::size_t dateColumn = f.size(), timeColumn = f.size();
    for (std::size_t i = 0; i < f.size(); ++i) {
        const std::string_view name = NameOf(f[i]);
        if (name == "Date")
            dateColumn = i;
        else if (name == "Time")
            timeColumn = i;
        for (const Column& c : kColumns)
            if (name == c.name)
                columns.emplace_back(i, &c);
    }
    for (const char* required : {"Dry-bulb", "Dew-point", "RHum", "Pressure"}) {
        bool found = false;
        for (const auto& [i, c] : columns)
            found = found || std::string_view(c->name) == required;
        if (!found)
            return Fail(ReadFailureKind::MissingHeader, 2, 0,
                        std::string("no ") + required + " column");
    }
    if (dateColumn == f.size() || timeColumn == f.size())
        return Fail(ReadFailureKind::MissingHeader, 2, 0, "no Date or Time column");
    const std::size_t width = f.size();

    std::size_t end = lines.size();
    while (end > 2 && Trimmed(lines[end - 1]).empty())
        --end;
    if (end == 2)
        return Fail(ReadFailureKind::Truncated, 3, 0, "no data rows");
    data.hours.reserve(end - 2);
    Date expected{0, 0};
    int weekday = 0;
    for (std::size_t n = 2; n < end; ++n) {
        const std::size_t line = n + 1;
        SplitFields(lines[n], f);
        if (f.size() < width)
            return Fail(ReadFailureKind::ShortRow, line, 0,
                        "a row needs " + std::to_string(width) + " fields, " +
                            std::to_string(f.size()) + " found");
        // MM/DD/YYYY and HH:MM
        const std::string_view date = Trimmed(f[dateColumn]);
        const std::string_view time = Trimmed(f[timeColumn]);
        const auto month = date.size() == 10 ? IntegerOf(date.substr(0, 2)) : std::nullopt;
        const auto day = date.size() == 10 ? IntegerOf(date.substr(3, 2)) : std::nullopt;
        const auto year = date.size() == 10 ? IntegerOf(date.substr(6, 4)) : std::nullopt;
        if (!month || !day || !year || date[2] != '/' || date[5] != '/' || *month < 1 ||
            *month > 12 || *day < 1 || *day > DaysInMonth(static_cast<int>(*month)))
            return Fail(ReadFailureKind::NotANumber, line, dateColumn + 1,
                        "the date is not MM/DD/YYYY (\"" + std::string(date.substr(0, 20)) + "\")");
        const auto hour = time.size() == 5 ? IntegerOf(time.substr(0, 2)) : std::nullopt;
        const auto minute = time.size() == 5 ? IntegerOf(time.substr(3, 2)) : std::nullopt;
        if (!hour || !minute || time[2] != ':' || *hour < 1 || *hour > 24 || *minute != 0)
            return Fail(ReadFailureKind::NotANumber, line, timeColumn + 1,
                        "the time is not HH:00 from 01:00 to 24:00 (\"" +
                            std::string(time.substr(0, 20)) + "\")");
        const Date given{static_cast<int>(*month), static_cast<int>(*day)};
        const int expectedHour = n == 2 ? 1 : (data.hours.back().hour % 24) + 1;
        if (n == 2) {
            expected = given;
            weekday = WeekdayOf(*year, *month, *day);
        } else if (expectedHour == 1) {
            expected = NextDay(expected, given == Date{2, 29});
            weekday = (weekday + 1) % 7;
        }
        if (given != expected || *hour != expectedHour)
            return Fail(ReadFailureKind::OutOfOrder, line, dateColumn + 1,
                        "expected " + std::to_string(expected.month) + "/" +
                            std::to_string(expected.day) + " " + std::to_string(expectedHour) +
                            ":00");
        HourRecord r;
        r.year = static_cast<std::int16_t>(*year);
        r.month = static_cast<std::uint8_t>(given.month);
        r.day = static_cast<std::uint8_t>(given.day);
        r.hour = static_cast<std::uint8_t>(*hour);
        r.weekday = static_cast<std::uint8_t>(weekday);
        r.values.fill(std::numeric_limits<double>::quiet_NaN());
        for (const auto& [i, c] : columns) {
            if (Trimmed(f[i]).empty())
                continue;
            const auto value = NumberOf(f[i]);
            if (!value)
                return Fail(ReadFailureKind::NotANumber, line, i + 1,
                            std::string(c->name) + " is not a number (\"" +
                                std::string(Trimmed(f[i]).substr(0, 40)) + "\")");
            const double v = *value * c->factor;
            if (*value > kTmy3Missing && v < InfoOf(c->field).missingAtOrAbove)
                r.values[static_cast<std::size_t>(c->field)] = v;
        }
        data.hours.push_back(std::move(r));
    }
    if (data.hours.back().hour != 24)
        return Fail(ReadFailureKind::Truncated, end + 1, 0,
                    "the file ends before hour 24 of its last day");
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

Expected<WeatherData, ReadFailure> ReadTmy3File(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text)
        return text.failure();
    return ReadTmy3(*text);
}

} // namespace hygrovane::climate
