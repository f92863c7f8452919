// The TMY3 reader on a file made from Chicago's first three days (pressure in mbar, visibility in
// m, times 01:00-24:00), and on damaged copies of it.
#include "climate/tmy3_reader.h"
#include "climate/weather_file.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

namespace hygrovane::climate {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

const char* const kColumns =
    "Date (MM/DD/YYYY),Time (HH:MM),ETR (W/m^2),ETRN (W/m^2),GHI (W/m^2),GHI source,GHI uncert "
    "(%),DNI (W/m^2),DNI source,DNI uncert (%),DHI (W/m^2),DHI source,DHI uncert (%),GH illum "
    "(lx),GH illum source,Global illum uncert (%),DN illum (lx),DN illum source,DN illum uncert "
    "(%),DH illum (lx),DH illum source,DH illum uncert (%),Zenith lum (cd/m^2),Zenith lum "
    "source,Zenith lum uncert (%),TotCld (tenths),TotCld source,TotCld uncert (code),OpqCld "
    "(tenths),OpqCld source,OpqCld uncert (code),Dry-bulb (C),Dry-bulb source,Dry-bulb uncert "
    "(code),Dew-point (C),Dew-point source,Dew-point uncert (code),RHum (%),RHum source,RHum "
    "uncert (code),Pressure (mbar),Pressure source,Pressure uncert (code),Wdir (degrees),Wdir "
    "source,Wdir uncert (code),Wspd (m/s),Wspd source,Wspd uncert (code),Hvis (m),Hvis "
    "source,Hvis uncert (code),CeilHgt (m),CeilHgt source,CeilHgt uncert (code),Pwat (cm),Pwat "
    "source,Pwat uncert (code),AOD (unitless),AOD source,AOD uncert (code),Alb (unitless),Alb "
    "source,Alb uncert (code),Lprecip depth (mm),Lprecip quantity (hr),Lprecip source,Lprecip "
    "uncert (code)";

// The TMY3 column of each EPW field index of the row, and the factor from the EPW unit.
const std::map<std::string, std::pair<std::size_t, double>> kFromEpw = {
    {"ETR", {10, 1}},      {"ETRN", {11, 1}},          {"GHI", {13, 1}},
    {"DNI", {14, 1}},      {"DHI", {15, 1}},           {"GH illum", {16, 1}},
    {"DN illum", {17, 1}}, {"DH illum", {18, 1}},      {"Zenith lum", {19, 1}},
    {"TotCld", {22, 1}},   {"OpqCld", {23, 1}},        {"Dry-bulb", {6, 1}},
    {"Dew-point", {7, 1}}, {"RHum", {8, 1}},           {"Pressure", {9, 0.01}},
    {"Wdir", {20, 1}},     {"Wspd", {21, 1}},          {"Hvis", {24, 1000}},
    {"CeilHgt", {25, 1}},  {"Pwat", {28, 0.1}},        {"AOD", {29, 1}},
    {"Alb", {32, 1}},      {"Lprecip depth", {33, 1}}, {"Lprecip quantity", {34, 1}},
};

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// Chicago's three days as TMY3: the station line, the column names, 72 rows.
Lines ThreeDaysTmy3() {
    const Lines epw = LinesOf(ThreeDays());
    const std::vector<std::string> names = FieldsOf(kColumns);
    Lines lines = {"725300,\"CHICAGO, OHARE INTL AP\",IL,-6.0,41.983,-87.917,201", kColumns};
    for (std::size_t n = 8; n < epw.size(); ++n) {
        const auto e = FieldsOf(epw[n]);
        std::vector<std::string> row;
        char date[16], time[8];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", std::stoi(e[1]), std::stoi(e[2]),
                      std::stoi(e[0]));
        std::snprintf(time, sizeof time, "%02d:00", std::stoi(e[3]));
        row.push_back(date);
        row.push_back(time);
        for (std::size_t c = 2; c < names.size(); ++c) {
            std::string name = names[c].substr(0, names[c].find(" ("));
            const auto column = kFromEpw.find(name);
            if (column == kFromEpw.end()) {
                row.push_back(names[c].find("source") != std::string::npos ? "A" : "0");
            } else {
                row.push_back(Number(std::stod(e[column->second.first]) * column->second.second));
            }
        }
        lines.push_back(Row(row));
    }
    return lines;
}

TEST(Tmy3, ReadsInEpwUnits) {
    const auto data = ReadTmy3(Joined(ThreeDaysTmy3()));
    ASSERT_TRUE(data) << Describe(data.error());
    EXPECT_EQ(data->format, WeatherFormat::Tmy3);
    const Location& l = data->header.location;
    EXPECT_EQ(l.city, "CHICAGO, OHARE INTL AP");
    EXPECT_EQ(l.wmo, "725300");
    EXPECT_EQ(l.region, "IL");
    EXPECT_DOUBLE_EQ(l.latitude, 41.983);
    EXPECT_DOUBLE_EQ(l.longitude, -87.917);
    EXPECT_DOUBLE_EQ(l.timeZone, -6);
    EXPECT_DOUBLE_EQ(l.elevation, 201);
    ASSERT_EQ(data->hours.size(), 72u);
    const HourRecord& r = data->hours[0];
    EXPECT_EQ(r.hour, 1);
    EXPECT_EQ(r.StartHour(), 0);
    EXPECT_EQ(r.Value(Field::DryBulb), -12.2);
    EXPECT_EQ(r.Value(Field::RelativeHumidity), 73);
    EXPECT_EQ(r.Value(Field::StationPressure), 99500);   // 995 mbar
    EXPECT_DOUBLE_EQ(*r.Value(Field::Visibility), 24.1); // 24100 m
    EXPECT_EQ(r.Value(Field::WindSpeed), 2.6);
    EXPECT_FALSE(r.Value(Field::SnowDepth)); // no such column
    EXPECT_EQ(data->hours[23].hour, 24);
    EXPECT_EQ(data->hours[0].weekday, 3); // 1 January 1986 was a Wednesday
    EXPECT_EQ(data->hours[24].weekday, 4);
    ASSERT_EQ(data->header.dataPeriods.size(), 1u);
    EXPECT_EQ(data->header.dataPeriods[0].rowCount, 72u);
    EXPECT_EQ(data->header.dataPeriods[0].endDay, 3);
}

TEST(Tmy3, MissingMarksAndBlanksAreMissing) {
    Lines lines = ThreeDaysTmy3();
    lines[2] = WithField(lines[2], 31, "-9900"); // dry bulb
    lines[2] = WithField(lines[2], 40, "");      // pressure
    lines[3] = WithField(lines[3], 37, "-9900.0");
    const auto data = ReadTmy3(Joined(lines));
    ASSERT_TRUE(data) << Describe(data.error());
    EXPECT_FALSE(data->hours[0].Value(Field::DryBulb));
    EXPECT_FALSE(data->hours[0].Value(Field::StationPressure));
    EXPECT_FALSE(data->hours[1].Value(Field::RelativeHumidity));
    EXPECT_TRUE(data->hours[1].Value(Field::DryBulb));
}

struct Damage {
    const char* name;
    std::function<void(Lines&)> change;
    ReadFailureKind kind;
    std::size_t line;
    std::size_t field;
};

const Damage kDamages[] = {
    {"short row", [](Lines& l) { l[10].resize(50); }, ReadFailureKind::ShortRow, 11, 0},
    {"text in the dry bulb", [](Lines& l) { l[12] = WithField(l[12], 31, "cold"); },
     ReadFailureKind::NotANumber, 13, 32},
    {"hour 25", [](Lines& l) { l[5] = WithField(l[5], 1, "25:00"); }, ReadFailureKind::NotANumber,
     6, 2},
    {"half past", [](Lines& l) { l[5] = WithField(l[5], 1, "04:30"); }, ReadFailureKind::NotANumber,
     6, 2},
    {"a short date", [](Lines& l) { l[5] = WithField(l[5], 0, "1/1/1986"); },
     ReadFailureKind::NotANumber, 6, 1},
    {"rows swapped", [](Lines& l) { std::swap(l[7], l[8]); }, ReadFailureKind::OutOfOrder, 8, 1},
    {"a day left out", [](Lines& l) { l.erase(l.begin() + 26, l.begin() + 50); },
     ReadFailureKind::OutOfOrder, 27, 1},
    {"ends before midnight", [](Lines& l) { l.resize(60); }, ReadFailureKind::Truncated, 61, 0},
    {"no rows", [](Lines& l) { l.resize(2); }, ReadFailureKind::Truncated, 3, 0},
    {"no dry-bulb column",
     [](Lines& l) {
         const std::size_t at = l[1].find("Dry-bulb (C)");
         l[1].replace(at, 8, "Dry-bult");
     },
     ReadFailureKind::MissingHeader, 2, 0},
    {"a station line without elevation",
     [](Lines& l) { l[0] = "725300,\"CHICAGO OHARE INTL AP\",IL,-6.0,41.983,-87.917"; },
     ReadFailureKind::BadHeader, 1, 0},
};

void PrintTo(const Damage& d, std::ostream* out) {
    *out << d.name;
}

class Tmy3Damage : public ::testing::TestWithParam<Damage> {};

TEST_P(Tmy3Damage, IsRefusedWithItsLine) {
    Lines lines = ThreeDaysTmy3();
    GetParam().change(lines);
    const auto data = ReadTmy3(Joined(lines));
    ASSERT_FALSE(data);
    EXPECT_EQ(data.error().kind, GetParam().kind) << Describe(data.error());
    EXPECT_EQ(data.error().line, GetParam().line) << Describe(data.error());
    EXPECT_EQ(data.error().field, GetParam().field) << Describe(data.error());
}

INSTANTIATE_TEST_SUITE_P(Climate, Tmy3Damage, ::testing::ValuesIn(kDamages));

// Header faults the EPW reader refuses, and column lines that leave the reader to guess: each
// refused, naming the field at fault.
struct Refusal {
    const char* name;
    std::function<void(Lines&)> change;
    std::size_t line;
    std::size_t field;
    const char* says;
};

// The column line with `from` renamed `to`.
void Rename(Lines& l, const std::string& from, const std::string& to) {
    l[1].replace(l[1].find(from), from.size(), to);
}

const Refusal kRefusals[] = {
    {"latitude 450", [](Lines& l) { l[0] = "725300,\"CHICAGO\",IL,-6.0,450,-87.917,201"; }, 1, 5,
     "the latitude 450 is outside -90 to 90"},
    {"time zone 99", [](Lines& l) { l[0] = "725300,\"CHICAGO\",IL,99,41.983,-87.917,201"; }, 1, 4,
     "the time zone 99 is outside -12 to +14"},
    {"elevation -99999",
     [](Lines& l) { l[0] = "725300,\"CHICAGO\",IL,-6.0,41.983,-87.917,-99999"; }, 1, 7,
     "the elevation -99999 is outside -1000 to 9999.9 m"},
    {"two Dry-bulb columns", [](Lines& l) { Rename(l, "Dew-point (C)", "Dry-bulb (C)"); }, 2, 35,
     "the Dry-bulb column is given twice (columns 32 and 35)"},
    {"two Time columns", [](Lines& l) { Rename(l, "ETR (W/m^2)", "Time (HH:MM)"); }, 2, 3,
     "the Time column is given twice (columns 2 and 3)"},
    {"RH for RHum", [](Lines& l) { Rename(l, "RHum (%)", "RH (%)"); }, 2, 0,
     "no RHum column (column 38, \"RH\", is not a TMY3 name: TMY3 calls it RHum)"},
    {"no Pressure column at all", [](Lines& l) { Rename(l, "Pressure (mbar)", "P (mbar)"); }, 2, 0,
     "no Pressure column"},
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.name;
}

class Tmy3Refusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(Tmy3Refusal, NamesTheFault) {
    Lines lines = ThreeDaysTmy3();
    GetParam().change(lines);
    const auto data = ReadWeather(Joined(lines));
    ASSERT_FALSE(data) << "read " << data->hours.size() << " rows";
    const ReadFailure& f = data.error();
    EXPECT_EQ(f.line, GetParam().line) << Describe(f);
    EXPECT_EQ(f.field, GetParam().field) << Describe(f);
    EXPECT_NE(Describe(f).find(GetParam().says), std::string::npos) << Describe(f);
    // A TMY3 file's fault, not a file of another kind: the climate tool does not try it as a
    // logger's.
    EXPECT_TRUE(IsWeatherText(Joined(lines)));
}

INSTANTIATE_TEST_SUITE_P(Climate, Tmy3Refusal, ::testing::ValuesIn(kRefusals), RowName());

// A TMY3 file with a byte order mark, CR-only line ends and blank lines after its last row.
TEST(Tmy3, ByteOrderMarkAndCrLineEnds) {
    std::string text = "\xEF\xBB\xBF";
    for (const std::string& line : ThreeDaysTmy3()) {
        text += line + "\r";
    }
    const auto data = ReadWeather(text + "\r\r");
    ASSERT_TRUE(data) << Describe(data.error());
    EXPECT_EQ(data->format, WeatherFormat::Tmy3);
    EXPECT_EQ(data->header.location.wmo, "725300");
    EXPECT_EQ(data->hours.size(), 72u);
}

TEST(WeatherFile, FormatIsToldByTheFirstLine) {
    const auto epw = ReadWeather(ThreeDays());
    ASSERT_TRUE(epw) << Describe(epw.error());
    EXPECT_EQ(epw->format, WeatherFormat::Epw);
    const auto tmy3 = ReadWeather(Joined(ThreeDaysTmy3()));
    ASSERT_TRUE(tmy3) << Describe(tmy3.error());
    EXPECT_EQ(tmy3->format, WeatherFormat::Tmy3);
    EXPECT_EQ(tmy3->hours.size(), epw->hours.size());
    for (std::size_t i = 0; i < epw->hours.size(); i += 7) { // the same values in EPW units
        for (const Field f : {Field::DryBulb, Field::RelativeHumidity, Field::StationPressure,
                              Field::WindSpeed, Field::GlobalHorizontal}) {
            EXPECT_EQ(tmy3->hours[i].Value(f), epw->hours[i].Value(f)) << i;
        }
    }
    const auto file = ReadWeatherFile(SharedWeather("boston.epw"));
    ASSERT_TRUE(file) << Describe(file.error());
    EXPECT_EQ(file->hours.size(), 8760u);
}

} // namespace
} // namespace hygrovane::climate
