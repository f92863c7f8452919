#include "climate/epw_reader.h"

#include "climate/calendar.h"
#include "climate/epw_header.h"
#include "climate/parallel.h"
#include "climate/text_fields.h"

#include <cmath>
#include <fstream>
#include <limits>

namespace hygrovane::climate {

namespace {

// Fields of a data row: year, month, day, hour, minute, the source flags, then N6-N34 of the
// dictionary with the present weather codes (N27) as text.
constexpr std::size_t kRowFields = 35;
constexpr std::size_t kFirstNumber = 6;
constexpr std::size_t kWeatherCodes = 27; // 0-based field of the present weather codes

struct Date {
    int month = 1;
    int day = 1;
    friend bool operator==(const Date&, const Date&) = default;
};

// The next day of a year; 28 February is followed by 1 March (or, where the file has it, 29).
Date NextDay(Date d) {
    const int days = d.month == 2 ? 28 : DaysInMonth(d.month);
    if (d.day >= days)
        return Date{d.month == 12 ? 1 : d.month + 1, 1};
    return Date{d.month, d.day + 1};
}

std::string DateText(Date d) {
    return std::to_string(d.month) + "/" + std::to_string(d.day);
}

ReadFailure Fail(ReadFailureKind kind, std::size_t line, std::size_t field, std::string detail) {
    return ReadFailure{kind, line, field, std::move(detail)};
}

// Reads the data fields of one row into `record`; the date is checked by the caller.
std::optional<ReadFailure> ReadRow(const std::vector<std::string_view>& f, std::size_t line,
                                   HourRecord& record) {
    if (f.size() < kRowFields)
        return Fail(ReadFailureKind::ShortRow, line, 0,
                    "a data row needs 35 fields, " + std::to_string(f.size()) + " found");
    constexpr const char* kDateNames[5] = {"year", "month", "day", "hour", "minute"};
    constexpr long kLowest[5] = {-9999, 1, 1, 1, 0};
    constexpr long kHighest[5] = {9999, 12, 31, 24, 60};
    long date[5];
    for (std::size_t i = 0; i < 5; ++i) {
        const auto value = IntegerOf(f[i]);
        if (!value)
            return Fail(ReadFailureKind::NotANumber, line, i + 1,
                        std::string("the ") + kDateNames[i] + " is not a whole number (\"" +
                            std::string(Trimmed(f[i]).substr(0, 40)) + "\")");
        if (*value < kLowest[i] || *value > kHighest[i])
            return Fail(ReadFailureKind::OutOfRange, line, i + 1,
                        std::string("the ") + kDateNames[i] + " " + std::to_string(*value) +
                            " is outside " + std::to_string(kLowest[i]) + " to " +
                            std::to_string(kHighest[i]));
        date[i] = *value;
    }
    if (date[2] > DaysInMonth(static_cast<int>(date[1])))
        return Fail(ReadFailureKind::OutOfRange, line, 3,
                    "day " + std::to_string(date[2]) + " is not in month " +
                        std::to_string(date[1]));
    record.year = static_cast<std::int16_t>(date[0]);
    record.month = static_cast<std::uint8_t>(date[1]);
    record.day = static_cast<std::uint8_t>(date[2]);
    record.hour = static_cast<std::uint8_t>(date[3]);
    record.minute = static_cast<std::uint8_t>(date[4]);
    record.sourceFlags = std::string(Trimmed(f[5]));
    std::size_t value = 0;
    for (std::size_t i = kFirstNumber; i < kRowFields; ++i) {
        if (i == kWeatherCodes) {
            record.presentWeatherCodes = std::string(Trimmed(f[i]));
            continue;
        }
        const Field field = static_cast<Field>(value);
        double number = std::numeric_limits<double>::quiet_NaN();
        if (!Trimmed(f[i]).empty()) { // a blank field is missing
            const auto parsed = NumberOf(f[i]);
            if (!parsed)
                return Fail(ReadFailureKind::NotANumber, line, i + 1,
                            std::string(InfoOf(field).name) + " is not a number (\"" +
                                std::string(Trimmed(f[i]).substr(0, 40)) + "\")");
            if (*parsed < InfoOf(field).missingAtOrAbove)
                number = *parsed;
        }
        record.values[value++] = number;
    }
    return std::nullopt;
}

} // namespace

Expected<WeatherData, ReadFailure> ReadEpw(std::string_view text) {
    if (text.size() > kLargestWeatherFile)
        return Fail(ReadFailureKind::TooLarge, 0, 0, "the file is larger than 512 MiB");
    const std::vector<std::string_view> lines = SplitLines(text);
    auto header = ReadEpwHeader(lines);
    if (!header)
        return header.failure();
    WeatherData data;
    data.format = WeatherFormat::Epw;
    data.header = std::move(header.value());
    const int perHour = data.header.recordsPerHour;

    // Rows follow each other hour by hour through each data period in turn.
    std::size_t n = kEpwHeaderLines;
    std::size_t end = lines.size(); // blank lines at the end are no rows
    while (end > n && Trimmed(lines[end - 1]).empty())
        --end;
    // The rows' fields are read on several threads, each row on its own; a chunk stops at its
    // first bad row. The checks below then go through the rows in order, so the failure reported
    // is the first in the file, as a reading from the top finds it.
    std::vector<HourRecord> rows(end - n);
    std::vector<std::uint8_t> bad(rows.size(), 0);
    ForChunks(rows.size(), 0, [&](std::size_t begin, std::size_t stop) {
        std::vector<std::string_view> fields;
        for (std::size_t i = begin; i < stop; ++i) {
            SplitFields(lines[n + i], fields);
            if (ReadRow(fields, n + i + 1, rows[i])) {
                bad[i] = 1;
                return;
            }
        }
    });
    std::vector<std::string_view> fields;
    for (std::size_t p = 0; p < data.header.dataPeriods.size(); ++p) {
        DataPeriod& period = data.header.dataPeriods[p];
        period.firstRow = n - kEpwHeaderLines;
        const Date last{period.endMonth, period.endDay};
        Date expected{period.startMonth, period.startDay};
        int weekday = period.startWeekday;
        while (true) {
            Date today = expected;
            for (int hour = 1; hour <= 24; ++hour) {
                for (int slot = 0; slot < perHour; ++slot, ++n) {
                    const std::size_t line = n + 1;
                    if (n >= end)
                        return Fail(ReadFailureKind::Truncated, line, 0,
                                    "the file ends inside data period \"" + period.name +
                                        "\" before " + DateText(today) + " hour " +
                                        std::to_string(hour));
                    HourRecord& record = rows[n - kEpwHeaderLines];
                    if (bad[n - kEpwHeaderLines]) { // read again for its description
                        SplitFields(lines[n], fields);
                        return *ReadRow(fields, line, record);
                    }
                    const Date given{record.month, record.day};
                    // 29 February stands where the file has it, in place of 1 March.
                    if (hour == 1 && slot == 0 && given == Date{2, 29} && expected == Date{3, 1} &&
                        today == expected)
                        today = given;
                    if (given != today || record.hour != hour)
                        return Fail(ReadFailureKind::OutOfOrder, line, given != today ? 2 : 4,
                                    "expected " + DateText(today) + " hour " +
                                        std::to_string(hour) + ", found " + DateText(given) +
                                        " hour " + std::to_string(record.hour));
                    record.weekday = static_cast<std::uint8_t>(weekday);
                    record.dataPeriod = static_cast<std::uint8_t>(p);
                }
            }
            if (today == last)
                break;
            expected = today == Date{2, 29} ? Date{3, 1} : NextDay(today);
            weekday = (weekday + 1) % 7;
        }
        period.rowCount = n - kEpwHeaderLines - period.firstRow;
    }
    if (n < end)
        return Fail(ReadFailureKind::ExtraRow, n + 1, 0, "a row after the last data period ends");
    data.hours = std::move(rows);
    return data;
}

Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(ReadFailureKind::CannotOpen, 0, 0, "cannot open " + path);
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0)
        return Fail(ReadFailureKind::CannotOpen, 0, 0, "cannot read " + path);
    if (static_cast<std::size_t>(size) > kLargestWeatherFile)
        return Fail(ReadFailureKind::TooLarge, 0, 0, "the file is larger than 512 MiB");
    std::string text(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(text.data(), size))
        return Fail(ReadFailureKind::CannotOpen, 0, 0, "cannot read " + path);
    return text;
}

Expected<WeatherData, ReadFailure> ReadEpwFile(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text)
        return text.failure();
    return ReadEpw(*text);
}

} // namespace hygrovane::climate
