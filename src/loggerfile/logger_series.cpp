#include "loggerfile/logger_series.h"

#include "streams/alignment.h"

#include "batch/columns.h"
#include "batch/text_shape.h"
#include "climate/calendar.h"
#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"
#include "text/number_parse.h"
#include "textfile/text_lines.h"
#include "units/quantity.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace hygrovane::loggerfile {

namespace {

using climate::Field;
using climate::ReadFailure;
using climate::ReadFailureKind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kZeroCelsius = kCelsiusOffset; // K
constexpr double kStandardPressure = 101325;    // Pa, hygrovane-batch's pressure without a column

struct Stamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0;
    // Milliseconds of a calendar without gaps: enough to order the rows.
    long long Key() const {
        const long long minutes =
            (((static_cast<long long>(year) * 13 + month) * 32 + day) * 24 + hour) * 60 + minute;
        return minutes * 60000 + std::llround(second * 1000);
    }
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The numbers of a text in order, and the letters "am"/"pm" when present.
struct Pieces {
    std::vector<std::string_view> numbers;
    std::vector<char> separators; // the character after each number ('\0' at the end)
    std::optional<bool> pm;
};

Pieces PiecesOf(std::string_view text) {
    Pieces p;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            std::size_t end = i;
            while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                         (text[end] == '.' && p.numbers.size() == 5 && end > i))) {
                ++end;
            }
            p.numbers.push_back(text.substr(i, end - i));
            p.separators.push_back(end < text.size() ? text[end] : '\0');
            i = end;
        } else {
            const std::string rest = Lower(text.substr(i, 2));
            if (rest == "am" || rest == "pm") {
                p.pm = rest == "pm";
            }
            ++i;
        }
    }
    return p;
}

std::optional<int> Int(std::string_view text) {
    return text::ParseInteger<int>(text);
}

// A date and time in one of the forms of ReadLoggerSeries, or none.
std::optional<Stamp> StampOf(std::string_view text) {
    const Pieces p = PiecesOf(text);
    if (p.numbers.size() < 5 || p.numbers.size() > 6) {
        return std::nullopt;
    }
    std::vector<int> n;
    for (std::size_t k = 0; k < p.numbers.size(); ++k) {
        if (k == 5) {
            break; // seconds, read below
        }
        const auto value = Int(p.numbers[k]);
        if (!value) {
            return std::nullopt;
        }
        n.push_back(*value);
    }
    Stamp s;
    if (p.numbers[0].size() == 4) { // YYYY-MM-DD
        s.year = n[0];
        s.month = n[1];
        s.day = n[2];
    } else if (p.separators[0] == '.') { // DD.MM.YYYY
        s.day = n[0];
        s.month = n[1];
        s.year = n[2];
    } else { // MM/DD/YYYY
        s.month = n[0];
        s.day = n[1];
        s.year = n[2];
    }
    if (p.numbers[p.numbers[0].size() == 4 ? 0 : 2].size() == 2) {
        s.year += 2000;
    }
    s.hour = n[3];
    s.minute = n[4];
    if (p.numbers.size() == 6) {
        double second = 0;
        const auto text6 = p.numbers[5];
        const auto [end, code] = std::from_chars(text6.data(), text6.data() + text6.size(), second);
        if (code != std::errc() || end != text6.data() + text6.size()) {
            return std::nullopt;
        }
        s.second = second;
    }
    if (p.pm) {
        if (s.hour < 1 || s.hour > 12) {
            return std::nullopt;
        }
        s.hour = s.hour % 12 + (*p.pm ? 12 : 0);
    }
    if (s.month < 1 || s.month > 12 || s.day < 1 || s.day > 31 || s.hour > 23 || s.minute > 59 ||
        s.second >= 61 || s.year < 1 || s.year > 9999) {
        return std::nullopt;
    }
    return s;
}

// Seconds since 1970-01-01 00:00 of a stamp, for the time between readings.
double SecondsOf(const Stamp& s) {
    const double days = static_cast<double>(climate::DaysFromCivil(s.year, s.month, s.day));
    return ((days * 24 + s.hour) * 60 + s.minute) * 60 + s.second;
}

// The columns holding the time: one date-and-time column, or a date and a time column; else
// the columns named month, day and hour (with minute and year when present), as weather files
// and hygrovane-climate's --unit-hourly number them.
struct TimeColumns {
    int stamp = -1;
    int date = -1;
    int time = -1;
    int month = -1, day = -1, hour = -1, minute = -1, year = -1;
    bool Fields() const { return stamp < 0 && date < 0 && month >= 0 && day >= 0 && hour >= 0; }
};

TimeColumns FindTimeColumns(const std::vector<std::string>& names) {
    TimeColumns t;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Lower(names[i]);
        const auto has = [&](const char* word) { return name.find(word) != std::string::npos; };
        const int column = static_cast<int>(i);
        if (has("timestamp") || has("datetime") || has("date time") || has("date/time") ||
            has("date & time") || has("date-time") || has("date and time")) {
            if (t.stamp < 0) {
                t.stamp = column;
            }
        } else if (has("date") && t.date < 0) {
            t.date = column;
        } else if ((has("time") || name == "t") && t.time < 0) {
            t.time = column;
        }
    }
    if (t.stamp < 0 && t.date < 0 && t.time >= 0) {
        t.stamp = t.time; // "Time" holding the date as well
        t.time = -1;
    }
    if (t.stamp < 0 && t.date >= 0 && t.time < 0) {
        t.stamp = t.date; // "Date" holding the time as well
        t.date = -1;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Lower(batch::CellText(names[i]));
        for (auto [word, column] :
             {std::pair{"month", &t.month}, std::pair{"day", &t.day}, std::pair{"hour", &t.hour},
              std::pair{"minute", &t.minute}, std::pair{"year", &t.year}}) {
            if (name == word && *column < 0) {
                *column = static_cast<int>(i);
            }
        }
    }
    return t;
}

// Without a year column the rows lie in 2001, a year without 29 February.
constexpr int kYearWithoutColumn = 2001;

ReadFailure Failure(ReadFailureKind kind, std::size_t line, std::string detail) {
    return {kind, line, 0, std::move(detail)};
}

HumidityInput InputOf(climate::HumiditySource source) {
    return source == climate::HumiditySource::DewPoint ? HumidityInput::DewPoint
                                                       : HumidityInput::RelativeHumidity;
}

std::string_view OptionOf(climate::HumiditySource source) {
    return source == climate::HumiditySource::DewPoint ? "dew-point" : "rh";
}

// The first column whose header names the humidity input, with the unit it names; none when no
// header does.
std::optional<batch::Source> HumidityColumn(const batch::FileHead& head, HumidityInput input) {
    for (std::size_t i = 0; i < head.names.size(); ++i) {
        const std::string_view unitLine =
            i < head.units.size() ? std::string_view(head.units[i]) : std::string_view{};
        const batch::HeaderMeaning meaning = batch::MeaningOf(head.names[i], unitLine);
        if (meaning.role == batch::Role::Humidity && meaning.humidityInput == input) {
            batch::Source source;
            source.column = static_cast<int>(i);
            batch::TakeHeaderUnit(source, head.names[i], unitLine, batch::Role::Humidity, input,
                                  false);
            return source;
        }
    }
    return std::nullopt;
}

using Cells = std::vector<std::string_view>;

// batch's reading of a cell in its column's unit, in the core's units; NaN for an empty cell or
// one that is not a number.
double CellValue(const Cells& cells, const batch::FileHead& head, const batch::Source& source,
                 batch::Role role, HumidityInput input) {
    if (source.column < 0 || static_cast<std::size_t>(source.column) >= cells.size()) {
        return kNaN;
    }
    const batch::CellNumber cell = batch::ReadCellNumber(
        cells[static_cast<std::size_t>(source.column)], head.shape.decimalComma);
    if (cell.status != batch::CellNumber::Status::Number) {
        return kNaN;
    }
    return batch::SourceValue(source, role, input, cell.value).value_or(kNaN);
}

// The time of a row from the columns of month, day, hour (1-24, the hour ending then, as weather
// files number it: 1 is 00:00-01:00), minute and year; none when a cell is not a whole number.
std::optional<Stamp> FieldStamp(const TimeColumns& time, const Cells& cells, std::string& when) {
    const auto field = [&](int c) -> std::optional<int> {
        if (c < 0 || static_cast<std::size_t>(c) >= cells.size()) {
            return std::nullopt;
        }
        return Int(batch::CellText(cells[static_cast<std::size_t>(c)]));
    };
    const auto month = field(time.month), day = field(time.day), hour = field(time.hour);
    const auto minute = time.minute >= 0 ? field(time.minute) : std::optional(0);
    const auto year = time.year >= 0 ? field(time.year) : std::optional(kYearWithoutColumn);
    when = "month " + (month ? std::to_string(*month) : "?") + ", day " +
           (day ? std::to_string(*day) : "?") + ", hour " + (hour ? std::to_string(*hour) : "?");
    if (!month || !day || !hour || !minute || !year || *month < 1 || *month > 12 || *day < 1 ||
        *day > 31 || *hour < 1 || *hour > 24 || *minute < 0 || *minute > 59 || *year < 1 ||
        *year > 9999) {
        return std::nullopt;
    }
    return Stamp{*year, *month, *day, *hour - 1, *minute, 0};
}

struct RowsRead {
    std::optional<ReadFailure> failure;
    std::size_t lastLine = 0;
};

// Each data row's time and cells, in order, to onRow; the failure of a time that cannot be read,
// a date that does not exist, a time not after the row before, or a line end of another kind.
template <typename OnRow>
RowsRead ReadRows(std::string_view text, const batch::FileHead& head, const TimeColumns& time,
                  OnRow onRow) {
    RowsRead read;
    Cells cells;
    std::optional<long long> previous;
    const auto cellText = [&](int c) {
        return c >= 0 && static_cast<std::size_t>(c) < cells.size()
                   ? batch::CellText(cells[static_cast<std::size_t>(c)])
                   : std::string();
    };
    const std::size_t dataOffset = std::min(head.dataOffset, text.size());
    textfile::Lines lines(text.substr(dataOffset), head.shape.lineEnds, true,
                          head.shape.titleLines + head.shape.headerLines + 1);
    std::string_view row;
    while (lines.Next(row)) {
        const std::size_t line = lines.number();
        if (row.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        batch::SplitCells(row, head.shape.separator, cells);
        std::string when;
        std::optional<Stamp> stamp;
        if (time.Fields()) {
            stamp = FieldStamp(time, cells, when);
        } else {
            when = time.stamp >= 0 ? cellText(time.stamp)
                                   : cellText(time.date) + " " + cellText(time.time);
            stamp = StampOf(when);
        }
        if (!stamp) {
            read.failure =
                Failure(ReadFailureKind::NotANumber, line,
                        "the time \"" + when + "\" is not a date and time this reader knows");
            return read;
        }
        if (!climate::IsCivilDate(stamp->year, stamp->month, stamp->day)) {
            read.failure = Failure(ReadFailureKind::OutOfRange, line,
                                   "the date in \"" + when + "\" does not exist (" +
                                       std::to_string(stamp->year) + " has no day " +
                                       std::to_string(stamp->day) + " in month " +
                                       std::to_string(stamp->month) + ")");
            return read;
        }
        if (previous && stamp->Key() <= *previous) {
            read.failure = Failure(ReadFailureKind::OutOfOrder, line,
                                   "the time \"" + when + "\" is not after the row before");
            return read;
        }
        previous = stamp->Key();
        onRow(*stamp, cells);
    }
    if (lines.failure()) {
        read.failure = Failure(ReadFailureKind::BadHeader, lines.failure()->line,
                               "the line " + textfile::DescribeEnd(*lines.failure()));
    }
    read.lastLine = lines.number();
    return read;
}
} // namespace

Expected<LoggerSeries, ReadFailure>
ReadLoggerSeries(std::string_view text, const std::string& name,
                 std::optional<climate::HumiditySource> chosen) {
    batch::FileHead head;
    const bool read = batch::ReadFileHead(text, true, 0, head);
    if (head.lineFailure) {
        return Fail(Failure(ReadFailureKind::BadHeader, head.lineFailure->line,
                            "the line " + textfile::DescribeEnd(*head.lineFailure)));
    }
    if (!read || head.names.empty()) {
        return Fail(Failure(ReadFailureKind::MissingHeader, 1, "no header line of column names"));
    }
    const std::size_t headerLine = head.shape.titleLines + 1;
    const TimeColumns time = FindTimeColumns(head.names);
    if (time.stamp < 0 && time.date < 0 && !time.Fields()) {
        return Fail(Failure(ReadFailureKind::MissingHeader, headerLine,
                            "no column of the date and time among the column names"));
    }
    const batch::Detection detection = batch::DetectColumns(head, false);
    if (!detection.problem.empty()) {
        return Fail(Failure(ReadFailureKind::MissingHeader, headerLine, detection.problem));
    }
    batch::Mapping m = detection.mapping;
    const auto column = [&](int c) {
        return "column " + std::to_string(c + 1) + " \"" + head.names[static_cast<std::size_t>(c)] +
               "\"";
    };
    const std::string found =
        std::string(batch::InputName(batch::Role::Humidity, m.humidityInput)) + " in " +
        column(m.humidity.column);
    if (chosen && InputOf(*chosen) != m.humidityInput) {
        const std::optional<batch::Source> source = HumidityColumn(head, InputOf(*chosen));
        if (!source) {
            return Fail(Failure(ReadFailureKind::BadHeader, headerLine,
                                "--humidity " + std::string(OptionOf(*chosen)) + ": no column of " +
                                    (*chosen == climate::HumiditySource::DewPoint
                                         ? "the dew point"
                                         : "the relative humidity") +
                                    "; the file's humidity is the " + found));
        }
        m.humidityInput = InputOf(*chosen);
        m.humidity = *source;
    }
    const bool relative = m.humidityInput == HumidityInput::RelativeHumidity;
    if (!relative && m.humidityInput != HumidityInput::DewPoint) {
        return Fail(
            Failure(ReadFailureKind::BadHeader, headerLine,
                    "the humidity column \"" +
                        head.names[static_cast<std::size_t>(m.humidity.column)] + "\" holds " +
                        std::string(batch::InputName(batch::Role::Humidity, m.humidityInput)) +
                        "; a relative humidity or a dew point is needed"));
    }
    const bool pressureColumn =
        m.pressureInput == PressureInput::Barometric && m.pressure.column >= 0;
    // A unit batch does not know refuses the file there: here too, rather than every value lost.
    for (const batch::Source* source : {&m.dryBulb, &m.humidity, &m.pressure}) {
        if (source->column >= 0 && source->unit.empty()) {
            return Fail(Failure(
                ReadFailureKind::BadHeader, headerLine,
                batch::UnitProblem(*source, head.names[static_cast<std::size_t>(source->column)])));
        }
    }

    // As hygrovane-batch notes them.
    const auto unitOf = [](const batch::Source& source) {
        return batch::UnitNote(source) + (source.unitAssumed ? " (its header names no unit)" : "");
    };
    LoggerSeries series;
    series.humidity =
        relative ? climate::HumiditySource::RelativeHumidity : climate::HumiditySource::DewPoint;
    series.notes.push_back("time: " + (time.stamp >= 0
                                           ? column(time.stamp)
                                           : column(time.date) + " and " + column(time.time)));
    series.notes.push_back("dry bulb: " + column(m.dryBulb.column) + " in " + unitOf(m.dryBulb));
    series.notes.push_back(std::string(relative ? "relative humidity: " : "dew point: ") +
                           column(m.humidity.column) + " in " + unitOf(m.humidity));
    series.notes.push_back(pressureColumn ? "pressure: " + column(m.pressure.column) + " in " +
                                                unitOf(m.pressure)
                                          : "pressure: no column; every row at 101325 Pa");

    climate::WeatherData& data = series.data;
    data.format = climate::WeatherFormat::Tmy3; // a series of dated rows, as TMY3's
    data.header.location.city = name;
    data.header.location.source = "logger file";
    std::vector<double> seconds; // of each reading, for the hours it stands for
    const auto failed = ReadRows(text, head, time, [&](const Stamp& stamp, const Cells& cells) {
        // batch's reading of a cell in its column's unit.
        const auto number = [&](const batch::Source& source, batch::Role role) {
            return CellValue(cells, head, source, role, m.humidityInput);
        };
        seconds.push_back(SecondsOf(stamp));
        climate::HourRecord r;
        r.year = static_cast<std::int16_t>(stamp.year);
        r.month = static_cast<std::uint8_t>(stamp.month);
        r.day = static_cast<std::uint8_t>(stamp.day);
        r.hour = static_cast<std::uint8_t>(stamp.hour + 1); // the clock hour hh is record hour hh+1
        r.minute = static_cast<std::uint8_t>(stamp.minute);
        r.weekday =
            static_cast<std::uint8_t>(climate::WeekdayOf(stamp.year, stamp.month, stamp.day));
        r.values.fill(kNaN);
        const double dryBulb = number(m.dryBulb, batch::Role::DryBulb);
        r.values[static_cast<std::size_t>(Field::DryBulb)] = dryBulb - kZeroCelsius;
        if (relative) {
            r.values[static_cast<std::size_t>(Field::RelativeHumidity)] =
                number(m.humidity, batch::Role::Humidity) * 100; // fraction to %
        } else {
            r.values[static_cast<std::size_t>(Field::DewPoint)] =
                number(m.humidity, batch::Role::Humidity) - kZeroCelsius;
        }
        r.values[static_cast<std::size_t>(Field::StationPressure)] =
            pressureColumn ? number(m.pressure, batch::Role::Pressure) : kStandardPressure;
        data.hours.push_back(std::move(r));
    });
    if (failed.failure) {
        return Fail(*failed.failure);
    }
    if (data.hours.empty()) {
        return Fail(Failure(ReadFailureKind::Truncated, failed.lastLine + 1, "no data rows"));
    }
    data.recordHours = streams::StepHours(seconds); // a gap is not credited to the reading after it
    climate::DataPeriod period;
    period.name = "logger";
    const climate::HourRecord& first = data.hours.front();
    const climate::HourRecord& last = data.hours.back();
    period.startWeekday = first.weekday;
    period.startMonth = first.month;
    period.startDay = first.day;
    period.endMonth = last.month;
    period.endDay = last.day;
    period.rowCount = data.hours.size();
    data.header.dataPeriods.push_back(period);
    return series;
}

namespace {

// The rest of a header after `prefix` and its separator, or none when it does not start so.
std::optional<std::string> AfterPrefix(const std::string& header, const std::string& prefix) {
    const std::string name = batch::CellText(header);
    if (prefix.empty()) {
        return name;
    }
    if (name.size() <= prefix.size() || Lower(name.substr(0, prefix.size())) != Lower(prefix)) {
        return std::nullopt;
    }
    const char next = name[prefix.size()];
    if (next != ' ' && next != '_' && next != '-' && next != ':' && next != '.') {
        return std::nullopt;
    }
    const std::size_t rest = name.find_first_not_of(" _-:.", prefix.size());
    return rest == std::string::npos ? std::string() : name.substr(rest);
}

// The pressure of a source in Pa: a pressure column's, or the standard atmosphere's at an
// altitude column's height.
double PressureOf(const Cells& cells, const batch::FileHead& head, const batch::Mapping& m) {
    if (m.pressure.column < 0) {
        return kStandardPressure;
    }
    const bool altitude = m.pressureInput == PressureInput::Altitude;
    const double value =
        CellValue(cells, head, m.pressure, altitude ? batch::Role::Altitude : batch::Role::Pressure,
                  m.humidityInput);
    if (!altitude) {
        return value;
    }
    Conditions c;
    c.pressureInput = PressureInput::Altitude;
    c.altitude = value;
    const auto ambient = AmbientOf(c);
    return ambient ? ambient->pressure : kNaN;
}

} // namespace

namespace {

// A file's head and time columns, as both stream readers need them; the failure of a file
// without a header or a time column.
struct StreamHead {
    batch::FileHead head;
    TimeColumns time;
    std::size_t headerLine = 1;
    bool TimeColumn(int c) const {
        return c == time.stamp || c == time.date || c == time.time ||
               (time.Fields() && (c == time.month || c == time.day || c == time.hour ||
                                  c == time.minute || c == time.year));
    }
    std::string Column(int c) const {
        return "column " + std::to_string(c + 1) + " \"" + head.names[static_cast<std::size_t>(c)] +
               "\"";
    }
};

Expected<StreamHead, ReadFailure> ReadStreamHead(std::string_view text) {
    StreamHead h;
    const bool read = batch::ReadFileHead(text, true, 0, h.head);
    if (h.head.lineFailure) {
        return Fail(Failure(ReadFailureKind::BadHeader, h.head.lineFailure->line,
                            "the line " + textfile::DescribeEnd(*h.head.lineFailure)));
    }
    if (!read || h.head.names.empty()) {
        return Fail(Failure(ReadFailureKind::MissingHeader, 1, "no header line of column names"));
    }
    h.headerLine = h.head.shape.titleLines + 1;
    h.time = FindTimeColumns(h.head.names);
    if (h.time.stamp < 0 && h.time.date < 0 && !h.time.Fields()) {
        return Fail(Failure(ReadFailureKind::MissingHeader, h.headerLine,
                            "no column of the date and time (or of month, day and hour) among "
                            "the column names"));
    }
    return h;
}

std::string StreamNote(const StreamHead& h, const batch::Mapping& m) {
    const auto unitOf = [](const batch::Source& source) { return batch::UnitNote(source); };
    return "dry bulb " + h.Column(m.dryBulb.column) + " in " + unitOf(m.dryBulb) + ", " +
           std::string(batch::InputName(batch::Role::Humidity, m.humidityInput)) + " " +
           h.Column(m.humidity.column) + " in " + unitOf(m.humidity) + ", " +
           (m.pressure.column >= 0
                ? std::string(m.pressureInput == PressureInput::Altitude ? "altitude "
                                                                         : "pressure ") +
                      h.Column(m.pressure.column) + " in " + unitOf(m.pressure)
                : std::string("101325 Pa"));
}

// Every row's readings of each mapped stream: the one row loop of both stream readers.
Expected<LoggerStreams, ReadFailure> ReadMappedRows(std::string_view text, const StreamHead& h,
                                                    const std::vector<batch::Mapping>& mappings,
                                                    std::vector<std::string> notes) {
    LoggerStreams out;
    out.notes = std::move(notes);
    for (const batch::Mapping& m : mappings) {
        streams::StreamSeries series;
        series.humidityInput = m.humidityInput;
        out.series.push_back(std::move(series));
    }
    const auto rows = ReadRows(text, h.head, h.time, [&](const Stamp& stamp, const Cells& cells) {
        const double seconds = SecondsOf(stamp);
        for (std::size_t k = 0; k < mappings.size(); ++k) {
            const batch::Mapping& m = mappings[k];
            streams::StreamSeries& s = out.series[k];
            s.seconds.push_back(seconds);
            s.dryBulb.push_back(
                CellValue(cells, h.head, m.dryBulb, batch::Role::DryBulb, m.humidityInput) -
                kZeroCelsius);
            s.humidity.push_back(
                CellValue(cells, h.head, m.humidity, batch::Role::Humidity, m.humidityInput));
            s.pressure.push_back(PressureOf(cells, h.head, m));
        }
    });
    if (rows.failure) {
        return Fail(*rows.failure);
    }
    if (!out.series.empty() && out.series.front().seconds.empty()) {
        return Fail(Failure(ReadFailureKind::Truncated, rows.lastLine + 1, "no data rows"));
    }
    return out;
}

} // namespace

Expected<std::vector<batch::Mapping>, ReadFailure>
StreamMappings(std::string_view text, const std::vector<std::string>& prefixes) {
    auto read = ReadStreamHead(text);
    if (!read) {
        return Fail(read.error());
    }
    const StreamHead& h = *read;
    const batch::FileHead& head = h.head;
    // The file's own pressure, for the streams without one.
    const batch::Mapping whole = batch::DetectColumns(head, false).mapping;
    std::vector<batch::Mapping> mappings;
    for (const std::string& prefix : prefixes) {
        batch::FileHead own = head;
        bool any = false;
        for (std::size_t i = 0; i < own.names.size(); ++i) {
            const int c = static_cast<int>(i);
            const bool timeColumn = c == h.time.stamp || c == h.time.date || c == h.time.time;
            const auto rest = timeColumn ? std::nullopt : AfterPrefix(head.names[i], prefix);
            own.names[i] = rest.value_or(std::string());
            if (i < own.units.size() && !rest) {
                own.units[i].clear();
            }
            any = any || rest.has_value();
        }
        const std::string named = "the columns starting \"" + prefix + "\"";
        if (!any) {
            return Fail(Failure(ReadFailureKind::MissingHeader, h.headerLine,
                                "no column name starts with \"" + prefix + "\""));
        }
        const batch::Detection detection = batch::DetectColumns(own, false);
        if (!detection.problem.empty()) {
            return Fail(Failure(ReadFailureKind::MissingHeader, h.headerLine,
                                named + ": " + detection.problem));
        }
        batch::Mapping m = detection.mapping;
        if (m.pressure.column < 0) {
            m.pressure = whole.pressure, m.pressureInput = whole.pressureInput;
        }
        for (const batch::Source* source : {&m.dryBulb, &m.humidity, &m.pressure}) {
            if (source->column >= 0 && source->unit.empty()) {
                return Fail(
                    Failure(ReadFailureKind::BadHeader, h.headerLine,
                            batch::UnitProblem(
                                *source, head.names[static_cast<std::size_t>(source->column)])));
            }
        }
        mappings.push_back(m);
    }
    return mappings;
}

Expected<LoggerStreams, ReadFailure> ReadLoggerStreams(std::string_view text,
                                                       const std::vector<std::string>& prefixes) {
    auto mappings = StreamMappings(text, prefixes);
    if (!mappings) {
        return Fail(mappings.error());
    }
    const auto head = ReadStreamHead(text);
    std::vector<std::string> notes;
    for (std::size_t k = 0; k < prefixes.size(); ++k) {
        notes.push_back("\"" + prefixes[k] + "\": " + StreamNote(*head, (*mappings)[k]));
    }
    return ReadMappedRows(text, *head, *mappings, std::move(notes));
}

Expected<LoggerColumns, ReadFailure> ReadLoggerColumns(std::string_view text) {
    auto read = ReadStreamHead(text);
    if (!read) {
        return Fail(read.error());
    }
    LoggerColumns columns;
    columns.names = read->head.names;
    for (std::size_t i = 0; i < columns.names.size(); ++i) {
        columns.time.push_back(read->TimeColumn(static_cast<int>(i)));
        columns.units.push_back(i < read->head.units.size() ? read->head.units[i] : std::string());
    }
    return columns;
}

Expected<LoggerStreams, ReadFailure>
ReadMappedStreams(std::string_view text, const std::vector<batch::Mapping>& mappings) {
    auto read = ReadStreamHead(text);
    if (!read) {
        return Fail(read.error());
    }
    const StreamHead& h = *read;
    const int count = static_cast<int>(h.head.names.size());
    std::vector<std::string> notes;
    for (const batch::Mapping& m : mappings) {
        const auto refuse = [&](const std::string& why) {
            return Failure(ReadFailureKind::BadHeader, h.headerLine, why);
        };
        struct Checked {
            const batch::Source* source;
            batch::Role role;
            const char* what;
        };
        const batch::Role pressureRole = m.pressureInput == PressureInput::Altitude
                                             ? batch::Role::Altitude
                                             : batch::Role::Pressure;
        for (const Checked& c : {Checked{&m.dryBulb, batch::Role::DryBulb, "dry bulb"},
                                 Checked{&m.humidity, batch::Role::Humidity, "humidity"},
                                 Checked{&m.pressure, pressureRole, "pressure"}}) {
            const int column = c.source->column;
            if (column < 0) {
                if (c.role == batch::Role::DryBulb || c.role == batch::Role::Humidity) {
                    return Fail(refuse(std::string("no column of the ") + c.what));
                }
                continue;
            }
            if (column >= count) {
                return Fail(refuse("the file has no column " + std::to_string(column + 1) +
                                   " for the " + c.what + " (it has " + std::to_string(count) +
                                   ")"));
            }
            if (h.TimeColumn(column)) {
                return Fail(refuse(h.Column(column) + " holds the time, not the " + c.what));
            }
            if (!batch::InCoreUnits(c.role, m.humidityInput, c.source->unit, 1)) {
                return Fail(refuse(h.Column(column) + ": \"" + c.source->unit +
                                   "\" is not a unit of the " +
                                   std::string(batch::InputName(c.role, m.humidityInput))));
            }
        }
        if (m.dryBulb.column == m.humidity.column) {
            return Fail(refuse(h.Column(m.dryBulb.column) +
                               " cannot hold both the dry bulb and the humidity"));
        }
        notes.push_back(StreamNote(h, m));
    }
    auto out = ReadMappedRows(text, h, mappings, std::move(notes));
    if (!out) {
        return out;
    }
    // A column of no number at all is a wrong column, not a stream of gaps.
    for (std::size_t k = 0; k < mappings.size(); ++k) {
        const streams::StreamSeries& s = out->series[k];
        const auto none = [](const std::vector<double>& values) {
            return std::none_of(values.begin(), values.end(),
                                [](double v) { return std::isfinite(v); });
        };
        for (const auto& [values, source] : {std::pair{&s.dryBulb, &mappings[k].dryBulb},
                                             std::pair{&s.humidity, &mappings[k].humidity},
                                             std::pair{&s.pressure, &mappings[k].pressure}}) {
            if (source->column >= 0 && none(*values)) {
                return Fail(Failure(ReadFailureKind::NotANumber, h.headerLine,
                                    h.Column(source->column) + " holds no number this reader "
                                                               "can read"));
            }
        }
    }
    return out;
}

} // namespace hygrovane::loggerfile
