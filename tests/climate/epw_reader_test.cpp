// The EPW reader on every shape of file it must read, and on damaged files, which it must refuse
// with the line and field and without any of their contents. The files are Chicago's header and
// first three days, changed as each row of the tables says.
#include "climate/epw_reader.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace hygrovane::climate {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

constexpr std::size_t kFirstRow = 8; // index of the first data row in Lines

// Rows of the three days relabelled as day `day` of `month`, hours kept.
Lines Relabelled(Lines rows, int month, int day) {
    for (std::string& row : rows) {
        row = WithField(row, 1, std::to_string(month));
        row = WithField(row, 2, std::to_string(day));
    }
    return rows;
}

Lines Day(const Lines& lines, int index) { // 0, 1 or 2: the 24 rows of that day
    return Lines(lines.begin() + kFirstRow + 24 * index,
                 lines.begin() + kFirstRow + 24 * index + 24);
}

// How a row of the tables makes its file from the lines of the three days.
using Make = std::function<std::string(Lines)>;

Make Edited(std::function<void(Lines&)> edit) {
    return [edit](Lines l) {
        edit(l);
        return Joined(l);
    };
}

// Line `line` (0-based) replaced by `text`, or only its field `field` by `value`.
Make LineSet(std::size_t line, std::string text) {
    return Edited([=](Lines& l) { l[line] = text; });
}
Make FieldSet(std::size_t line, std::size_t field, std::string value) {
    return Edited([=](Lines& l) { l[line] = WithField(l[line], field, value); });
}

Make EndedBy(std::string end) {
    return [end](Lines l) {
        std::string text;
        for (const std::string& line : l) {
            text += line + end;
        }
        return text;
    };
}

// The three days as 28 February, 29 February and 1 March, under HOLIDAYS/DAYLIGHT SAVINGS
// `holidays`.
Make LeapDays(std::string holidays) {
    return [holidays](Lines l) {
        Lines rows(l.begin(), l.begin() + kFirstRow);
        rows[4] = holidays;
        rows[7] = "DATA PERIODS,1,1,Data,Tuesday, 2/28, 3/ 1";
        for (const auto& [index, day] : {std::pair{0, 28}, {1, 29}, {2, 1}}) {
            for (const std::string& row : Relabelled(Day(l, index), day == 1 ? 3 : 2, day)) {
                rows.push_back(row);
            }
        }
        return Joined(rows);
    };
}

struct Shape {
    const char* name;
    Make make;
    std::size_t rows;
    std::function<void(const WeatherData&)> check;
};

void CheckChicagoHeader(const WeatherData& d) {
    const Location& l = d.header.location;
    EXPECT_EQ(l.city, "Chicago Ohare Intl Ap");
    EXPECT_EQ(l.region, "IL");
    EXPECT_EQ(l.country, "USA");
    EXPECT_EQ(l.source, "TMY3");
    EXPECT_EQ(l.wmo, "725300");
    EXPECT_DOUBLE_EQ(l.latitude, 41.98);
    EXPECT_DOUBLE_EQ(l.longitude, -87.92);
    EXPECT_DOUBLE_EQ(l.timeZone, -6.0);
    EXPECT_DOUBLE_EQ(l.elevation, 201.0);
}

const Shape kShapes[] = {
    {"three days as written", [](Lines l) { return Joined(l); }, 72,
     [](const WeatherData& d) {
         CheckChicagoHeader(d);
         const DesignConditions& dc = d.header.designConditions;
         EXPECT_EQ(dc.layout, DesignConditions::Layout::Handbook2009);
         EXPECT_EQ(dc.coldestMonth, 1);
         EXPECT_EQ(dc.heating99_6, -20.0);
         EXPECT_EQ(dc.heating99, -16.6);
         EXPECT_EQ(dc.hottestMonth, 7);
         EXPECT_EQ(dc.hottestMonthDailyRange, 10.5);
         EXPECT_EQ(dc.heatingFields.size(), 15u);
         EXPECT_EQ(dc.coolingFields.size(), 32u);
         EXPECT_EQ(dc.extremeFields.size(), 16u);
         ASSERT_EQ(d.header.typicalPeriods.size(), 6u);
         EXPECT_EQ(d.header.typicalPeriods[2].name,
                   "Winter - Week Nearest Min Temperature For Period");
         EXPECT_EQ(d.header.typicalPeriods[2].type, "Extreme");
         EXPECT_EQ(d.header.typicalPeriods[2].end, "2/ 2");
         ASSERT_EQ(d.header.groundTemperatures.size(), 3u);
         EXPECT_EQ(d.header.groundTemperatures[0].depth, 0.5);
         EXPECT_FALSE(d.header.groundTemperatures[0].conductivity);
         EXPECT_EQ(d.header.groundTemperatures[2].monthly[11], 9.17);
         EXPECT_FALSE(d.header.holidays.leapYearObserved);
         EXPECT_EQ(d.header.holidays.daylightSavingStart, "0");
         EXPECT_TRUE(d.header.holidays.holidays.empty());
         EXPECT_EQ(d.header.comments1, "Custom/User Format -- WMO#725300; NREL TMY Data Set "
                                       "(2008); Period of Record 1973-2005 (Generally)");
         EXPECT_EQ(d.header.comments2.substr(0, 12), "-- Ground te");
         ASSERT_EQ(d.header.dataPeriods.size(), 1u);
         EXPECT_EQ(d.header.dataPeriods[0].startWeekday, 0);
         // The first row: 1986, 1/1 hour 1, -12.2 C, dew point -16.1 C, 73 %, 99500 Pa.
         const HourRecord& r = d.hours[0];
         EXPECT_EQ(r.year, 1986);
         EXPECT_EQ(r.StartHour(), 0);
         EXPECT_EQ(r.Value(Field::DryBulb), -12.2);
         EXPECT_EQ(r.Value(Field::DewPoint), -16.1);
         EXPECT_EQ(r.Value(Field::RelativeHumidity), 73);
         EXPECT_EQ(r.Value(Field::StationPressure), 99500);
         EXPECT_EQ(r.Value(Field::HorizontalInfrared), 218);
         EXPECT_EQ(r.Value(Field::WindDirection), 270);
         EXPECT_EQ(r.Value(Field::WindSpeed), 2.6);
         EXPECT_EQ(r.Value(Field::PresentWeatherObservation), 9);
         EXPECT_EQ(r.presentWeatherCodes, "999999999");
         EXPECT_EQ(r.Value(Field::AerosolOpticalDepth), 0.0);
         EXPECT_EQ(r.Value(Field::DaysSinceLastSnowfall), 88);
         EXPECT_FALSE(r.Value(Field::Albedo));                      // 999.000
         EXPECT_FALSE(r.Value(Field::LiquidPrecipitationDepth));    // 999.0
         EXPECT_FALSE(r.Value(Field::LiquidPrecipitationQuantity)); // 99.0
         EXPECT_EQ(d.hours[24].weekday, 1);                         // 2 January: a Monday
         EXPECT_EQ(d.hours[71].hour, 24);
     }},
    {"CRLF line ends", EndedBy("\r\n"), 72, [](const WeatherData& d) { CheckChicagoHeader(d); }},
    {"no line end after the last row, blank lines after it",
     [](Lines l) {
         std::string text = Joined(l);
         text.pop_back();
         return text;
     },
     72, [](const WeatherData& d) { EXPECT_EQ(d.hours.back().day, 3); }},
    {"a UTF-8 byte order mark before LOCATION", [](Lines l) { return "\xEF\xBB\xBF" + Joined(l); },
     72, [](const WeatherData& d) { CheckChicagoHeader(d); }},
    {"CR-only line ends", EndedBy("\r"), 72,
     [](const WeatherData& d) {
         CheckChicagoHeader(d);
         EXPECT_EQ(d.hours.back().day, 3);
     }},
    {"DATA PERIODS days written year first, with a note",
     LineSet(7, "DATA PERIODS,1,1,Data,Sunday,2015/1/1,2015/1/3"), 72,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.dataPeriods[0].endDay, 3);
         ASSERT_EQ(d.header.notes.size(), 2u);
         EXPECT_EQ(d.header.notes[1], "line 8, field 7: the end day \"2015/1/3\" is written year "
                                      "first; its year is not used");
     }},
    {"a blank leap year field is No without a 29 February, with a note",
     LineSet(4, "HOLIDAYS/DAYLIGHT SAVINGS,,0,0,0"), 72,
     [](const WeatherData& d) {
         EXPECT_FALSE(d.header.holidays.leapYearObserved);
         ASSERT_EQ(d.header.notes.size(), 1u);
         EXPECT_NE(d.header.notes[0].find("line 5, field 2: the leap year field"),
                   std::string::npos);
         EXPECT_NE(d.header.notes[0].find("taken as No"), std::string::npos);
     }},
    {"a blank leap year field is Yes with a 29 February",
     LeapDays("HOLIDAYS/DAYLIGHT SAVINGS, ,0,0,0"), 72,
     [](const WeatherData& d) {
         EXPECT_TRUE(d.header.holidays.leapYearObserved);
         ASSERT_EQ(d.header.notes.size(), 1u);
         EXPECT_NE(d.header.notes[0].find("taken as Yes"), std::string::npos);
     }},
    {"sixty records an hour, their minutes kept",
     [](Lines l) {
         Lines rows(l.begin(), l.begin() + kFirstRow);
         rows[7] = "DATA PERIODS,1,60,Data,Sunday, 1/ 1, 1/ 1";
         for (const std::string& row : Day(l, 0)) {
             for (int minute = 1; minute <= 60; ++minute) {
                 rows.push_back(WithField(row, 4, std::to_string(minute)));
             }
         }
         return Joined(rows) + "\n\n";
     },
     1440,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.recordsPerHour, 60);
         EXPECT_EQ(d.header.dataPeriods[0].rowCount, 1440u);
         EXPECT_EQ(d.hours[59].minute, 60);
         EXPECT_EQ(d.hours[60].hour, 2);
         EXPECT_EQ(d.hours[60].minute, 1);
         EXPECT_TRUE(d.header.notes.empty());
     }},
    {"a 24/60 hour-minute row", FieldSet(kFirstRow + 23, 4, "60"), 72,
     [](const WeatherData& d) {
         EXPECT_EQ(d.hours[23].hour, 24);
         EXPECT_EQ(d.hours[23].minute, 60);
         EXPECT_EQ(d.hours[23].StartHour(), 23);
     }},
    {"a leap day between 28 February and 1 March", LeapDays("HOLIDAYS/DAYLIGHT SAVINGS,Yes,0,0,0"),
     72,
     [](const WeatherData& d) {
         EXPECT_TRUE(d.header.holidays.leapYearObserved);
         EXPECT_EQ(d.hours[24].day, 29);
         EXPECT_EQ(d.hours[24].weekday, 3); // Wednesday
         EXPECT_EQ(d.hours[48].month, 3);
         EXPECT_EQ(d.hours[48].weekday, 4);
     }},
    {"two data periods with their own start weekdays",
     [](Lines l) {
         Lines rows(l.begin(), l.begin() + kFirstRow);
         rows[7] = "DATA PERIODS,2,1,Winter,Sunday, 1/ 1, 1/ 2,Summer,Fri, 7/ 1, 7/ 1";
         for (int index : {0, 1}) {
             for (const std::string& row : Day(l, index)) {
                 rows.push_back(row);
             }
         }
         for (const std::string& row : Relabelled(Day(l, 2), 7, 1)) {
             rows.push_back(row);
         }
         return Joined(rows);
     },
     72,
     [](const WeatherData& d) {
         ASSERT_EQ(d.header.dataPeriods.size(), 2u);
         EXPECT_EQ(d.header.dataPeriods[0].rowCount, 48u);
         EXPECT_EQ(d.header.dataPeriods[1].name, "Summer");
         EXPECT_EQ(d.header.dataPeriods[1].firstRow, 48u);
         EXPECT_EQ(d.header.dataPeriods[1].rowCount, 24u);
         EXPECT_EQ(d.hours[48].dataPeriod, 1);
         EXPECT_EQ(d.hours[48].weekday, 5); // Friday, from the second period's record
     }},
    {"two records per hour",
     [](Lines l) {
         Lines rows(l.begin(), l.begin() + kFirstRow);
         rows[7] = "DATA PERIODS,1,2,Data,Sunday, 1/ 1, 1/ 1";
         for (const std::string& row : Day(l, 0)) {
             rows.push_back(WithField(row, 4, "30"));
             rows.push_back(WithField(row, 4, "60"));
         }
         return Joined(rows);
     },
     48,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.recordsPerHour, 2);
         EXPECT_EQ(d.hours[1].hour, 1);
         EXPECT_EQ(d.hours[1].minute, 60);
     }},
    {"Latin-1 place name and comment", Edited([](Lines& l) {
         l[0] = WithField(l[0], 1, "S\xe3o Paulo");
         l[5] = "COMMENTS 1,Station \xe0 l'a\xe9roport, 3 km";
     }),
     72,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.location.city, "S\xc3\xa3o Paulo");
         EXPECT_EQ(d.header.comments1, "Station \xc3\xa0 l'a\xc3\xa9roport, 3 km");
     }},
    {"UTF-8 place name kept", FieldSet(0, 1, "M\xc3\xbcnchen"), 72,
     [](const WeatherData& d) { EXPECT_EQ(d.header.location.city, "M\xc3\xbcnchen"); }},
    {"LOCATION with an extra field after the elevation", Edited([](Lines& l) { l[0] += ",extra"; }),
     72, [](const WeatherData& d) { CheckChicagoHeader(d); }},
    {"LOCATION with a comma in the city", FieldSet(0, 1, "Chicago, Ohare"), 72,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.location.city, "Chicago, Ohare");
         EXPECT_EQ(d.header.location.region, "IL");
         EXPECT_DOUBLE_EQ(d.header.location.elevation, 201.0);
     }},
    {"design conditions in the 2021 layout",
     LineSet(1, "DESIGN CONDITIONS,1,Climate Design Data 2021 ASHRAE Handbook,,Heating,1,-19.6,"
                "-16.4,-26.4,0.4,-19.4,-23.5,0.5,-15.7,12.5,-3.5,11.4,-2.6,4.9,270,Cooling,7,"
                "10.6,33.4,23.5,31.7,22.9,30.2,22,25.7,31.4,24.7,29.7,23.8,28.4,5.3,230,24,19.5,"
                "29.1,23.1,18.3,27.9,22.1,17.2,26.7,79.9,31.5,75.7,29.8,71.5,28.4,610,Extremes,"
                "11.2,9.6,8.7,29.1,-24.1,36.2,4.6,2.1,-27.4,37.7,-30.1,38.9,-32.7,40,-36.2,41.5,"
                "-40.1,43.0"),
     72,
     [](const WeatherData& d) {
         const DesignConditions& dc = d.header.designConditions;
         EXPECT_EQ(dc.layout, DesignConditions::Layout::Handbook2021);
         EXPECT_EQ(dc.heating99_6, -19.6);
         EXPECT_EQ(dc.heating99, -16.4);
         EXPECT_EQ(dc.coolingDryBulb[0], 33.4);
         EXPECT_EQ(dc.coolingWetBulb[0], 23.5);
         EXPECT_EQ(dc.coolingDryBulb[2], 30.2);
         EXPECT_EQ(dc.coolingWetBulb[2], 22.0);
         EXPECT_EQ(dc.extremeFields.size(), 18u);
     }},
    {"no design conditions, holidays listed", Edited([](Lines& l) {
         l[1] = "DESIGN CONDITIONS,0";
         l[4] = "HOLIDAYS/DAYLIGHT SAVINGS,No,4/ 2,10/29,2,New Year,1/ 1,Labor Day,1st Monday in "
                "September";
     }),
     72,
     [](const WeatherData& d) {
         EXPECT_EQ(d.header.designConditions.layout, DesignConditions::Layout::None);
         EXPECT_FALSE(d.header.designConditions.heating99_6);
         ASSERT_EQ(d.header.holidays.holidays.size(), 2u);
         EXPECT_EQ(d.header.holidays.holidays[1].name, "Labor Day");
         EXPECT_EQ(d.header.holidays.daylightSavingEnd, "10/29");
     }},
    {"missing codes and blank fields are missing, values below them are numbers",
     Edited([](Lines& l) {
         std::string& a = l[kFirstRow];
         // dry bulb, dew point, RH, pressure, GHI, global illuminance, wind speed, visibility
         for (const auto& [field, code] : {std::pair<std::size_t, const char*>{6, "99.9"},
                                           {7, "99.9"},
                                           {8, "999"},
                                           {9, "999999"},
                                           {13, "9999"},
                                           {16, "999900"},
                                           {21, "999"},
                                           {24, "9999"},
                                           {25, "99999"},
                                           {29, "0.999"},
                                           {30, "999"}}) {
             a = WithField(a, field, code);
         }
         std::string& b = l[kFirstRow + 1];
         for (const auto& [field, value] : {std::pair<std::size_t, const char*>{6, "99.8"},
                                            {8, "110"},
                                            {9, "999998"},
                                            {16, "999899"},
                                            {21, ""},
                                            {14, " 12 "}}) {
             b = WithField(b, field, value);
         }
     }),
     72,
     [](const WeatherData& d) {
         for (Field f : {Field::DryBulb, Field::DewPoint, Field::RelativeHumidity,
                         Field::StationPressure, Field::GlobalHorizontal,
                         Field::GlobalHorizontalIlluminance, Field::WindSpeed, Field::Visibility,
                         Field::CeilingHeight, Field::AerosolOpticalDepth, Field::SnowDepth}) {
             EXPECT_FALSE(d.hours[0].Value(f)) << InfoOf(f).name;
         }
         EXPECT_TRUE(std::isnan(d.hours[0].values[0]));
         EXPECT_EQ(d.hours[1].Value(Field::DryBulb), 99.8);
         EXPECT_EQ(d.hours[1].Value(Field::RelativeHumidity), 110);
         EXPECT_EQ(d.hours[1].Value(Field::StationPressure), 999998);
         EXPECT_EQ(d.hours[1].Value(Field::GlobalHorizontalIlluminance), 999899);
         EXPECT_FALSE(d.hours[1].Value(Field::WindSpeed)); // blank
         EXPECT_EQ(d.hours[1].Value(Field::DirectNormal), 12);
     }},
};

void PrintTo(const Shape& shape, std::ostream* out) {
    *out << shape.name;
}

class EpwShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(EpwShapes, Reads) {
    const Lines lines = LinesOf(ThreeDays());
    ASSERT_EQ(lines.size(), 80u) << "tests/climate/data/chicago_3days.epw";
    const auto data = ReadEpw(GetParam().make(lines));
    ASSERT_TRUE(data) << Describe(data.error());
    EXPECT_EQ(data->hours.size(), GetParam().rows);
    GetParam().check(*data);
}

INSTANTIATE_TEST_SUITE_P(Epw, EpwShapes, ::testing::ValuesIn(kShapes), RowName());

struct Damage {
    const char* name;
    Make make;
    ReadFailureKind kind;
    std::size_t line;
    std::size_t field;
    const char* says; // part of the description
};

const Damage kDamages[] = {
    {"short row", Edited([](Lines& l) { l[19].resize(40); }), ReadFailureKind::ShortRow, 20, 0,
     "35 fields"},
    {"text in the dry bulb", FieldSet(14, 6, "warm"), ReadFailureKind::NotANumber, 15, 7,
     "Dry Bulb Temperature is not a number (\"warm\")"},
    {"number with trailing text", FieldSet(40, 9, "99500Pa"), ReadFailureKind::NotANumber, 41, 10,
     "Atmospheric Station Pressure"},
    {"text in the hour", FieldSet(9, 3, "two"), ReadFailureKind::NotANumber, 10, 4, "hour"},
    {"hour 25", FieldSet(9, 3, "25"), ReadFailureKind::OutOfRange, 10, 4, "outside 1 to 24"},
    {"31 February", Edited([](Lines& l) {
         l[9] = WithField(l[9], 1, "2");
         l[9] = WithField(l[9], 2, "31");
     }),
     ReadFailureKind::OutOfRange, 10, 3, "not in month 2"},
    {"file cut in the middle of its last row",
     [](Lines l) {
         l.back().resize(60);
         std::string text = Joined(l);
         text.pop_back();
         return text;
     },
     ReadFailureKind::ShortRow, 80, 0, "35 fields"},
    {"file cut after a whole row", Edited([](Lines& l) { l.resize(75); }),
     ReadFailureKind::Truncated, 76, 0, "before 1/3 hour 20"},
    {"header only", Edited([](Lines& l) { l.resize(8); }), ReadFailureKind::Truncated, 9, 0,
     "ends inside data period"},
    {"rows swapped", Edited([](Lines& l) { std::swap(l[30], l[31]); }), ReadFailureKind::OutOfOrder,
     31, 4, "expected 1/1 hour 23, found 1/1 hour 24"},
    {"a day left out", Edited([](Lines& l) {
         l.erase(l.begin() + 32, l.begin() + 56);
         l[7] = "DATA PERIODS,1,1,Data,Sunday, 1/ 1, 1/ 2";
     }),
     ReadFailureKind::OutOfOrder, 33, 2, "expected 1/2 hour 1, found 1/3 hour 1"},
    {"a row after the last data period", Edited([](Lines& l) { l.push_back(l.back()); }),
     ReadFailureKind::ExtraRow, 81, 0, "after the last data period"},
    {"LOCATION absent", Edited([](Lines& l) { l.erase(l.begin()); }),
     ReadFailureKind::MissingHeader, 1, 1, "LOCATION"},
    {"a header record left out", Edited([](Lines& l) { l.erase(l.begin() + 3); }),
     ReadFailureKind::MissingHeader, 4, 1, "GROUND TEMPERATURES"},
    {"latitude out of range", FieldSet(0, 6, "95"), ReadFailureKind::BadHeader, 1, 7, "latitude"},
    {"text for the longitude", FieldSet(0, 7, "west"), ReadFailureKind::BadHeader, 1, 8,
     "longitude is not a number"},
    {"LOCATION without its elevation",
     LineSet(0, "LOCATION,Chicago Ohare Intl Ap,IL,USA,TMY3,725300,41.98,-87.92,-6.0"),
     ReadFailureKind::BadHeader, 1, 0, "10 fields"},
    {"more ground depths announced than given", FieldSet(3, 1, "4"), ReadFailureKind::BadHeader, 4,
     0, "4 ground temperature depths announced"},
    {"a data period starting on no weekday",
     LineSet(7, "DATA PERIODS,1,1,Data,Someday, 1/ 1, 1/ 3"), ReadFailureKind::BadHeader, 8, 5,
     "weekday"},
    {"a data period ending on no date", LineSet(7, "DATA PERIODS,1,1,Data,Sunday, 1/ 1, 2/30"),
     ReadFailureKind::BadHeader, 8, 7, "end day"},
    {"time zone 99", FieldSet(0, 8, "99"), ReadFailureKind::BadHeader, 1, 9,
     "the time zone 99 is outside -12 to +14"},
    {"elevation -99999", FieldSet(0, 9, "-99999"), ReadFailureKind::BadHeader, 1, 10,
     "the elevation -99999 is outside -1000 to 9999.9 m"},
    {"a data period day of a month that has no such day, year first",
     LineSet(7, "DATA PERIODS,1,1,Data,Sunday,2015/1/1,2015/2/30"), ReadFailureKind::BadHeader, 8,
     7, "end day"},
    {"a blank line among the rows", LineSet(30, ""), ReadFailureKind::ShortRow, 31, 0, "1 found"},
    {"blank lines where the last day's rows should be",
     [](Lines l) {
         l.resize(60);
         return Joined(l) + "\n \r\n\n";
     },
     ReadFailureKind::Truncated, 61, 0, "before 1/3 hour 5"},
    {"no records per hour", LineSet(7, "DATA PERIODS,1,0,Data,Sunday, 1/ 1, 1/ 3"),
     ReadFailureKind::BadHeader, 8, 3, "records per hour"},
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class EpwDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(EpwDamage, IsRefusedWithItsLine) {
    const Damage& damage = GetParam();
    const auto data = ReadEpw(damage.make(LinesOf(ThreeDays())));
    ASSERT_FALSE(data) << "read " << data->hours.size() << " rows";
    const ReadFailure& f = data.error();
    EXPECT_EQ(f.kind, damage.kind) << Describe(f);
    EXPECT_EQ(f.line, damage.line) << Describe(f);
    EXPECT_EQ(f.field, damage.field) << Describe(f);
    EXPECT_NE(Describe(f).find(damage.says), std::string::npos) << Describe(f);
    EXPECT_EQ(Describe(f).rfind("line " + std::to_string(damage.line), 0), 0u) << Describe(f);
}

INSTANTIATE_TEST_SUITE_P(Epw, EpwDamage, ::testing::ValuesIn(kDamages), RowName());

TEST(EpwFile, NoFileIsCannotOpen) {
    const auto data = ReadEpwFile("/nonexistent/weather.epw");
    ASSERT_FALSE(data);
    EXPECT_EQ(data.error().kind, ReadFailureKind::CannotOpen);
}

// The full years: row counts per month and per hour of the day, and the fields the files mark
// missing (Chicago lacks albedo in 8040 hours and precipitation depth in 8041).
TEST(EpwFile, FullYearsReadHourByHour) {
    struct Year {
        const char* file;
        const char* city;
        std::size_t albedoMissing;
        std::size_t precipitationMissing;
    };
    for (const Year& y : {Year{"chicago.epw", "Chicago Ohare Intl Ap", 8040, 8041},
                          Year{"boston.epw", "Boston Logan IntL Arpt", 7296, 7296}}) {
        SCOPED_TRACE(y.file);
        const auto data = ReadEpwFile(SharedWeather(y.file));
        ASSERT_TRUE(data) << Describe(data.error());
        EXPECT_EQ(data->header.location.city, y.city);
        ASSERT_EQ(data->hours.size(), 8760u);
        std::array<std::size_t, 12> perMonth{};
        std::array<std::size_t, 24> perHour{};
        std::array<std::size_t, 7> perWeekday{};
        std::size_t albedo = 0, precipitation = 0, dryBulb = 0;
        for (const HourRecord& r : data->hours) {
            ++perMonth[r.month - 1];
            ++perHour[static_cast<std::size_t>(r.StartHour())];
            ++perWeekday[r.weekday];
            albedo += !r.Value(Field::Albedo);
            precipitation += !r.Value(Field::LiquidPrecipitationDepth);
            dryBulb += !r.Value(Field::DryBulb);
        }
        constexpr std::array<std::size_t, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
        for (std::size_t m = 0; m < 12; ++m) {
            EXPECT_EQ(perMonth[m], 24 * kDays[m]) << "month " << m + 1;
        }
        for (std::size_t h = 0; h < 24; ++h) {
            EXPECT_EQ(perHour[h], 365u) << "hour " << h;
        }
        EXPECT_EQ(perWeekday[0], 53u * 24); // the year starts on a Sunday: 53 of them
        EXPECT_EQ(perWeekday[1], 52u * 24);
        EXPECT_EQ(albedo, y.albedoMissing);
        EXPECT_EQ(precipitation, y.precipitationMissing);
        EXPECT_EQ(dryBulb, 0u);
    }
}

// A leap year of 8784 rows: Chicago with 29 February inserted after the 28th.
TEST(EpwFile, LeapYearOf8784Rows) {
    Lines lines = LinesOf(TextOf(SharedWeather("chicago.epw")));
    ASSERT_EQ(lines.size(), 8768u);
    const std::size_t march = kFirstRow + 59 * 24;
    Lines leap(lines.begin() + march - 24, lines.begin() + march);
    for (std::string& row : leap) {
        row = WithField(row, 2, "29");
    }
    lines.insert(lines.begin() + march, leap.begin(), leap.end());
    lines[4] = "HOLIDAYS/DAYLIGHT SAVINGS,Yes,0,0,0";
    const auto data = ReadEpw(Joined(lines));
    ASSERT_TRUE(data) << Describe(data.error());
    ASSERT_EQ(data->hours.size(), 8784u);
    EXPECT_EQ(data->hours[59 * 24].day, 29);
    EXPECT_EQ(data->hours[60 * 24].month, 3);
    EXPECT_EQ(data->hours.back().day, 31);
    EXPECT_EQ(data->hours.back().weekday, 1); // 366 days from a Sunday end on a Monday
}

// The rows are read on several threads: with damage in two places of a full year, the failure
// reported is still the first in the file, whichever thread read it.
TEST(EpwFile, FirstDamageInTheFileIsReported) {
    const Lines year = LinesOf(TextOf(SharedWeather("chicago.epw")));
    ASSERT_EQ(year.size(), 8768u);
    struct Two {
        std::size_t first; // 0-based line
        std::size_t later;
        ReadFailureKind kind;
    };
    for (const Two& t :
         {Two{100, 7000, ReadFailureKind::NotANumber}, Two{5000, 8700, ReadFailureKind::NotANumber},
          Two{6000, 6001, ReadFailureKind::NotANumber}}) {
        Lines lines = year;
        lines[t.first] = WithField(lines[t.first], 8, "humid");
        lines[t.later].resize(30);
        const auto data = ReadEpw(Joined(lines));
        ASSERT_FALSE(data);
        EXPECT_EQ(data.error().kind, t.kind);
        EXPECT_EQ(data.error().line, t.first + 1);
    }
    // An order fault early and a bad number late: the order fault comes first.
    Lines lines = year;
    std::swap(lines[20], lines[21]);
    lines[8000] = WithField(lines[8000], 6, "x");
    const auto data = ReadEpw(Joined(lines));
    ASSERT_FALSE(data);
    EXPECT_EQ(data.error().kind, ReadFailureKind::OutOfOrder);
    EXPECT_EQ(data.error().line, 21u);
}

// Counts in the header records that would overflow a product of count and width.
TEST(EpwHeader, HugeCountsAreRefused) {
    const Lines lines = LinesOf(ThreeDays());
    for (const auto& [index, record] :
         {std::pair<std::size_t, const char*>{2, "TYPICAL/EXTREME PERIODS,4611686018427387904"},
          {3, "GROUND TEMPERATURES,1152921504606846976,.5"},
          {4, "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,9223372036854775807"},
          {7, "DATA PERIODS,4611686018427387904,1,Data,Sunday,1/1,1/3"}}) {
        Lines changed = lines;
        changed[index] = record;
        const auto data = ReadEpw(Joined(changed));
        ASSERT_FALSE(data) << record;
        EXPECT_EQ(data.error().kind, ReadFailureKind::BadHeader) << record;
        EXPECT_EQ(data.error().line, index + 1) << record;
    }
}

} // namespace
} // namespace hygrovane::climate
