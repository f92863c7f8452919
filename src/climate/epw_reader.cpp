#include "climate/epw_reader.h"

#include "climate/calendar.h"
#include "climate/epw_header.h"
#include "climate/parallel.h"
#include "climate/text_fields.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <new>

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
    if (d.day >= days) {
        return Date{d.month == 12 ? 1 : d.month + 1, 1};
    }
    return Date{d.month, d.day + 1};
}

std::string DateText(Date d) {
    return std::to_string(d.month) + "/" + std::to_string(d.day);
}

ReadFailure Failed(ReadFailureKind kind, std::size_t line, std::size_t field, std::string detail) {
    return ReadFailure{kind, line, field, std::move(detail)};
}

// Reads the data fields of one row into `record`; the date is checked by the caller.
Expected<Done, ReadFailure> ReadRow(const std::vector<std::string_view>& f, std::size_t line,
                                    HourRecord& record) {
    if (f.size() < kRowFields) {
        return Fail(Failed(ReadFailureKind::ShortRow, line, 0,
                           "a data row needs 35 fields, " + std::to_string(f.size()) + " found"));
    }
    constexpr const char* kDateNames[5] = {"year", "month", "day", "hour", "minute"};
    constexpr long kLowest[5] = {-9999, 1, 1, 1, 0};
    constexpr long kHighest[5] = {9999, 12, 31, 24, 60};
    long date[5];
    for (std::size_t i = 0; i < 5; ++i) {
        const auto value = IntegerOf(f[i]);
        if (!value) {
            return Fail(Failed(ReadFailureKind::NotANumber, line, i + 1,
                               std::string("the ") + kDateNames[i] + " is not a whole number (\"" +
                                   std::string(Trimmed(f[i]).substr(0, 40)) + "\")"));
        }
        if (*value < kLowest[i] || *value > kHighest[i]) {
            return Fail(Failed(ReadFailureKind::OutOfRange, line, i + 1,
                               std::string("the ") + kDateNames[i] + " " + std::to_string(*value) +
                                   " is outside " + std::to_string(kLowest[i]) + " to " +
                                   std::to_string(kHighest[i])));
        }
        date[i] = *value;
    }
    if (date[2] > DaysInMonth(static_cast<int>(date[1]))) {
        return Fail(Failed(ReadFailureKind::OutOfRange, line, 3,
                           "day " + std::to_string(date[2]) + " is not in month " +
                               std::to_string(date[1])));
    }
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
            if (!parsed) {
                return Fail(Failed(ReadFailureKind::NotANumber, line, i + 1,
                                   std::string(InfoOf(field).name) + " is not a number (\"" +
                                       std::string(Trimmed(f[i]).substr(0, 40)) + "\")"));
            }
            if (*parsed < InfoOf(field).missingAtOrAbove) {
                number = *parsed;
            }
        }
        record.values[value++] = number;
    }
    return Done{};
}

// The rows each data period expects, one after the other: the checks of order and the weekday
// and period of each row.
class Schedule {
  public:
    explicit Schedule(WeatherHeader& header) : header_(header) { StartPeriod(0, 0); }

    bool Done() const { return period_ >= header_.dataPeriods.size(); }

    // Takes `record` (row `row` of the data, on `line`) as the next row, or says why not.
    Expected<hygrovane::Done, ReadFailure> Take(HourRecord& record, std::size_t line,
                                                std::size_t row) {
        const Date given{record.month, record.day};
        // 29 February stands where the file has it, in place of 1 March.
        if (hour_ == 1 && slot_ == 0 && given == Date{2, 29} && expected_ == Date{3, 1} &&
            today_ == expected_) {
            today_ = given;
        }
        if (given != today_ || record.hour != hour_) {
            return Fail(Failed(ReadFailureKind::OutOfOrder, line, given != today_ ? 2 : 4,
                               "expected " + DateText(today_) + " hour " + std::to_string(hour_) +
                                   ", found " + DateText(given) + " hour " +
                                   std::to_string(record.hour)));
        }
        record.weekday = static_cast<std::uint8_t>(weekday_);
        record.dataPeriod = static_cast<std::uint8_t>(period_);
        if (++slot_ < header_.recordsPerHour) {
            return hygrovane::Done{};
        }
        slot_ = 0;
        if (++hour_ <= 24) {
            return hygrovane::Done{};
        }
        hour_ = 1;
        DataPeriod& period = header_.dataPeriods[period_];
        if (today_ == Date{period.endMonth, period.endDay}) {
            period.rowCount = row + 1 - period.firstRow;
            StartPeriod(period_ + 1, row + 1);
        } else {
            expected_ = today_ == Date{2, 29} ? Date{3, 1} : NextDay(today_);
            today_ = expected_;
            weekday_ = (weekday_ + 1) % 7;
        }
        return hygrovane::Done{};
    }

    // The failure of a file that ends before the row expected, on `line`.
    ReadFailure Ended(std::size_t line) const {
        return Failed(ReadFailureKind::Truncated, line, 0,
                      "the file ends inside data period \"" + header_.dataPeriods[period_].name +
                          "\" before " + DateText(today_) + " hour " + std::to_string(hour_));
    }

  private:
    void StartPeriod(std::size_t index, std::size_t row) {
        period_ = index;
        if (Done()) {
            return;
        }
        DataPeriod& period = header_.dataPeriods[period_];
        period.firstRow = row;
        expected_ = today_ = Date{period.startMonth, period.startDay};
        weekday_ = period.startWeekday;
        hour_ = 1;
        slot_ = 0;
    }

    WeatherHeader& header_;
    std::size_t period_ = 0;
    Date expected_; // the day that follows the last, before a leap day is taken in its place
    Date today_;
    int weekday_ = 0;
    int hour_ = 1;
    int slot_ = 0;
};

// A leap year field the header left blank (or unreadable) is taken from the rows, with a note:
// nothing is computed from it.
void InferLeapYear(WeatherData& data) {
    HolidaysDaylightSaving& h = data.header.holidays;
    if (h.leapYearGiven) {
        return;
    }
    h.leapYearObserved = std::any_of(data.hours.begin(), data.hours.end(), [](const HourRecord& r) {
        return r.month == 2 && r.day == 29;
    });
    data.header.notes.push_back(
        std::string("line 5, field 2: the leap year field is neither Yes nor No; taken as ") +
        (h.leapYearObserved ? "Yes (the rows hold 29 February)"
                            : "No (the rows hold no 29 February)"));
}

// Rows read at a time: enough for the threads to share, few enough that a file of bad lines
// costs little memory before its first is found.
constexpr std::size_t kBlockRows = 1 << 15;

// The rows the data periods call for (a leap day more each), so that the rows are kept in one
// allocation rather than moved as they grow; at most one row per `kShortestRow` bytes of text.
constexpr std::size_t kShortestRow = 40; // 35 fields, 34 of the commas
std::size_t RowsCalledFor(const WeatherHeader& header, std::size_t textBytes) {
    std::size_t days = 0;
    for (const DataPeriod& p : header.dataPeriods) {
        Date d{p.startMonth, p.startDay};
        std::size_t span = 2; // the first day and a leap day
        for (; span < 368 && d != Date{p.endMonth, p.endDay}; ++span) {
            d = NextDay(d);
        }
        days += span;
    }
    return std::min(days * 24 * static_cast<std::size_t>(header.recordsPerHour),
                    textBytes / kShortestRow + 1);
}

Expected<WeatherData, ReadFailure> ReadRows(std::string_view text) {
    LineReader reader(text);
    std::vector<std::string_view> lines;
    std::string_view line;
    while (lines.size() < kEpwHeaderLines && reader.Next(line)) {
        lines.push_back(line);
    }
    auto header = ReadEpwHeader(lines);
    if (!header) {
        return Fail(header.error());
    }
    WeatherData data;
    data.format = WeatherFormat::Epw;
    data.header = std::move(header.value());
    Schedule schedule(data.header);

    // A block of rows is read on several threads, each row on its own; a chunk stops at its
    // first bad row. The rows are then checked in order, so the failure reported is the first in
    // the file, as a reading from the top finds it.
    std::vector<std::uint8_t> bad;
    std::vector<std::string_view> fields;
    bool more = true;
    while (!schedule.Done() && more) {
        const std::size_t firstLine = reader.Count() + 1; // of the block
        lines.clear();
        while (lines.size() < kBlockRows && (more = reader.Next(line))) {
            lines.push_back(line);
        }
        const std::size_t base = data.hours.size();
        // The first block's rows alone until they prove good, then all the header calls for.
        const std::size_t wanted =
            base == 0 ? lines.size()
                      : std::max(base + lines.size(), RowsCalledFor(data.header, text.size()));
        if (wanted > data.hours.capacity()) {
            data.hours.reserve(wanted);
        }
        data.hours.resize(base + lines.size());
        bad.assign(lines.size(), 0);
        std::atomic<bool> exhausted = false;
        ForChunks(lines.size(), 0, [&](std::size_t begin, std::size_t stop) {
            try { // no exception may leave a thread
                std::vector<std::string_view> chunkFields;
                for (std::size_t i = begin; i < stop; ++i) {
                    SplitFields(lines[i], chunkFields);
                    if (!ReadRow(chunkFields, firstLine + i, data.hours[base + i])) {
                        bad[i] = 1;
                        return;
                    }
                }
            } catch (const std::bad_alloc&) {
                exhausted = true;
            }
        });
        if (exhausted) {
            return Fail(OutOfMemory());
        }
        // Nothing but blank lines from line i of the block to the end of the file.
        const auto blankFrom = [&](std::size_t i) {
            for (; i < lines.size(); ++i) {
                if (!Trimmed(lines[i]).empty()) {
                    return false;
                }
            }
            return reader.RestBlank();
        };
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t at = firstLine + i;
            if (bad[i]) {
                if (blankFrom(i)) {
                    return Fail(schedule.Ended(at));
                }
                SplitFields(lines[i], fields); // read again for its description
                return Fail(ReadRow(fields, at, data.hours[base + i]).error());
            }
            if (const auto taken = schedule.Take(data.hours[base + i], at, base + i); !taken) {
                return Fail(taken.error());
            }
            if (schedule.Done()) {
                if (!blankFrom(i + 1)) {
                    return Fail(Failed(ReadFailureKind::ExtraRow, at + 1, 0,
                                       "a row after the last data period ends"));
                }
                data.hours.resize(base + i + 1);
                break;
            }
        }
    }
    if (!schedule.Done()) {
        return Fail(schedule.Ended(reader.Count() + 1));
    }
    if (data.hours.capacity() - data.hours.size() > kBlockRows) {
        data.hours.shrink_to_fit();
    }
    InferLeapYear(data);
    return data;
}

} // namespace

Expected<WeatherData, ReadFailure> ReadEpw(std::string_view text) {
    const auto checked = WeatherText(text);
    if (!checked) {
        return Fail(checked.error());
    }
    try {
        return ReadRows(*checked);
    } catch (const std::bad_alloc&) {
        return Fail(OutOfMemory());
    }
}

Expected<WeatherData, ReadFailure> ReadEpwFile(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text) {
        return Fail(text.error());
    }
    return ReadEpw(*text);
}

} // namespace hygrovane::climate
