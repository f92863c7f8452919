#pragma once

// The contents of a weather file: its header records and one record per data row, in the file's
// own units (degC, %, Pa, Wh/m2, ...). A value at or above its field's missing code is held as
// missing, never as a number.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::climate {

// The numeric fields of a data row, in the order of the EPW data dictionary (its fields N6 to
// N34; the year, month, day, hour, minute and the two text fields are held apart).
enum class Field : std::uint8_t {
    DryBulb,                      // degC
    DewPoint,                     // degC
    RelativeHumidity,             // %
    StationPressure,              // Pa
    ExtraterrestrialHorizontal,   // Wh/m2
    ExtraterrestrialDirectNormal, // Wh/m2
    HorizontalInfrared,           // Wh/m2
    GlobalHorizontal,             // Wh/m2
    DirectNormal,                 // Wh/m2
    DiffuseHorizontal,            // Wh/m2
    GlobalHorizontalIlluminance,  // lux
    DirectNormalIlluminance,      // lux
    DiffuseHorizontalIlluminance, // lux
    ZenithLuminance,              // Cd/m2
    WindDirection,                // degrees from north
    WindSpeed,                    // m/s
    TotalSkyCover,                // tenths
    OpaqueSkyCover,               // tenths
    Visibility,                   // km
    CeilingHeight,                // m
    PresentWeatherObservation,    // 0 observed, 9 not observed
    PrecipitableWater,            // mm
    AerosolOpticalDepth,          // thousandths
    SnowDepth,                    // cm
    DaysSinceLastSnowfall,        // days
    Albedo,                       // fraction
    LiquidPrecipitationDepth,     // mm
    LiquidPrecipitationQuantity,  // h
};
inline constexpr std::size_t kFieldCount = 28;

struct FieldInfo {
    const char* name; // as in the EPW data dictionary
    const char* unit;
    // A value at or above this is missing (EnergyPlus Auxiliary Programs, "EnergyPlus Weather
    // File (EPW) Data Dictionary", the \missing notes); infinity where the field has none.
    double missingAtOrAbove;
};
const FieldInfo& InfoOf(Field field);
// The field named as in InfoOf, or without spaces and case; none when no field has the name.
std::optional<Field> FieldNamed(const std::string& name);

// One data row. Weekday 0 is Sunday. Hour h covers (h-1):01 to h:00 of the day, as the EPW
// dictionary defines it; hour 24 ends at midnight.
struct HourRecord {
    std::int16_t year = 0;
    std::uint8_t month = 1; // 1-12
    std::uint8_t day = 1;   // 1-31
    std::uint8_t hour = 1;  // 1-24
    std::uint8_t minute = 0;
    std::uint8_t weekday = 0;
    std::uint8_t dataPeriod = 0;              // index into WeatherHeader::dataPeriods
    std::array<double, kFieldCount> values{}; // NaN where missing; use Value()
    std::string sourceFlags;                  // the data source and uncertainty flags
    std::string presentWeatherCodes;          // nine digits

    // The value of a field, or none where the file marks it missing.
    std::optional<double> Value(Field field) const;
    // The hour of day the record starts in, 0-23: hour 1 (00:01-01:00) starts in hour 0.
    int StartHour() const { return hour - 1; }
};

struct Location {
    std::string city;
    std::string region; // state, province or region
    std::string country;
    std::string source;
    std::string wmo;
    double latitude = 0;  // degrees, + north
    double longitude = 0; // degrees, + east
    double timeZone = 0;  // hours from GMT
    double elevation = 0; // m
};

// The handbook's design conditions as the header carries them. The leading fields are placed in
// the same positions by the 2009 and the 2021 layouts; every number of a section is kept in
// `*Fields` (missing where blank) for the others.
struct DesignConditions {
    enum class Layout { None, Handbook2009, Handbook2021, Other };
    Layout layout = Layout::None;
    std::string source;
    std::optional<int> coldestMonth;
    std::optional<double> heating99_6; // degC dry bulb
    std::optional<double> heating99;
    std::optional<int> hottestMonth;
    std::optional<double> hottestMonthDailyRange; // K
    // Cooling dry bulb and mean coincident wet bulb at 0.4, 1 and 2 %, degC.
    std::array<std::optional<double>, 3> coolingDryBulb;
    std::array<std::optional<double>, 3> coolingWetBulb;
    std::vector<std::optional<double>> heatingFields; // after "Heating"
    std::vector<std::optional<double>> coolingFields; // after "Cooling"
    std::vector<std::optional<double>> extremeFields; // after "Extremes"
};

struct TypicalPeriod {
    std::string name;
    std::string type; // Typical or Extreme
    std::string start;
    std::string end;
};

struct GroundTemperatures {
    double depth = 0;                              // m
    std::optional<double> conductivity;            // W/(m K)
    std::optional<double> density;                 // kg/m3
    std::optional<double> specificHeat;            // J/(kg K)
    std::array<std::optional<double>, 12> monthly; // degC, January first
};

struct Holiday {
    std::string name;
    std::string day;
};

struct HolidaysDaylightSaving {
    bool leapYearObserved = false;
    bool leapYearGiven = true;       // false: the field was blank, the value taken from the rows
    std::string daylightSavingStart; // "0" when none
    std::string daylightSavingEnd;
    std::vector<Holiday> holidays;
};

struct DataPeriod {
    std::string name;
    int startWeekday = 0; // 0 Sunday ... 6 Saturday
    int startMonth = 1, startDay = 1;
    int endMonth = 12, endDay = 31;
    std::size_t firstRow = 0; // index of its first record in WeatherData::hours
    std::size_t rowCount = 0;
};

struct WeatherHeader {
    Location location;
    DesignConditions designConditions;
    std::vector<TypicalPeriod> typicalPeriods;
    std::vector<GroundTemperatures> groundTemperatures;
    HolidaysDaylightSaving holidays;
    std::string comments1;
    std::string comments2;
    int recordsPerHour = 1;
    std::vector<DataPeriod> dataPeriods;
    // What the reader took leniently, in sentences that name the line: fields no figure depends
    // on, written in a form the data dictionary does not give.
    std::vector<std::string> notes;
};

enum class WeatherFormat { Epw, Tmy3 };

struct WeatherData {
    WeatherFormat format = WeatherFormat::Epw;
    WeatherHeader header;
    std::vector<HourRecord> hours;
    // The hours each record stands for where the records are not evenly spaced at
    // 1 / header.recordsPerHour (a logger's readings); empty otherwise. Read through RecordHours.
    std::vector<double> recordHours;
};

// The time record `index` stands for, in hours: recordHours[index], else one hour divided by the
// records an hour. Every figure over time weighs each record by it.
double RecordHours(const WeatherData& data, std::size_t index);

} // namespace hygrovane::climate
