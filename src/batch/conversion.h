#pragma once

#include "hygrovane/expected.h"

#include "batch/columns.h"
#include "display/shown_quantities.h"
#include "hygrovane/moist_air.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::batch {

// How the computed numbers are written: as the main window shows them, or every digit of the
// double (the shortest text that reads back to it).
enum class Digits { Window, Full };

// The computed columns, in the order they are written after the input columns.
enum class Output {
    RelativeHumidity,
    HumidityRatio,
    AbsoluteHumidity,
    DewPoint,
    WetBulb,
    PartialPressure,
    MoleFraction,
    MassFraction,
    PressureOrAltitude, // the one of the two not given
    Density,
    SpecificVolume,
    Enthalpy,
};
inline constexpr int kOutputCount = 12;

// The unit of each computed quantity, a name of the window's unit lists. The percentages and
// the molecular weight have a single unit.
struct OutputUnits {
    std::string dewPoint, wetBulb, humidityRatio, absoluteHumidity, partialPressure, pressure,
        altitude, density, specificVolume, enthalpy;
};
// The main window's Metric or British units.
OutputUnits PresetOutputUnits(UnitSystem system);
// Sets one unit by its quantity's option name ("dew-point", "enthalpy"...); false for an unknown
// quantity or a unit name not in its list.
bool SetOutputUnit(OutputUnits& units, std::string_view quantity, std::string_view unit);
// The option names of the quantities, for help texts.
std::vector<std::string_view> OutputUnitQuantities();

struct Settings {
    Mapping mapping;
    SatFormulation formulation = SatFormulation::IAPWS;
    OutputUnits units = PresetOutputUnits(UnitSystem::Metric);
    Digits digits = Digits::Window;
    bool composition = false; // the shares of N2, O2, Ar, CO2 and H2O by volume and by mass
    // The decimal separator of the computed numbers; 0: as the file writes its numbers.
    char decimalSeparator = 0;
};

// Why a row was not computed.
enum class Refusal {
    None,
    EmptyCell,      // of an input (also a row too short to have it)
    NotNumber,      // a cell that is not a number
    OutOfRange,     // outside the Minimum and Maximum the window shows
    PressureTooLow, // the saturation pressure reaches the ambient pressure
    Fault,          // an arithmetic fault in the calculation
};
// The input a refusal concerns.
enum class Field { DryBulb, Pressure, Humidity, None };

// The counts of a stretch of rows.
struct Tally {
    std::uint64_t rows = 0; // data rows (blank lines are not rows)
    std::uint64_t computed = 0;
    std::uint64_t blankLines = 0;
    // By refusal and field.
    std::array<std::array<std::uint64_t, 4>, 6> refused{};

    void add(const Tally& other);
};

// The check and the captions of one input, and the texts of refusals. Immutable during a run and
// shared by every thread.
class Plan {
  public:
    // The plan, or the problem with the settings (a value for the whole file outside its range,
    // an unknown unit), worded for the user.
    static Expected<Plan, std::string> Make(Settings settings, TextShape shape,
                                            std::size_t headerCells);

    const Settings& settings() const { return settings_; }
    const TextShape& shape() const { return shape_; }
    std::size_t headerCells() const { return headerCells_; }
    char outputDecimal() const { return outputDecimal_; }

    // The header lines of the output: the input's, followed by the computed columns.
    std::string HeaderLines(const std::vector<std::string>& rawLines) const;
    // The name of a refusal for the summary ("Relative Humidity out of allowable range").
    std::string RefusalName(Refusal refusal, Field field) const;

    struct Input {
        Role role;
        HumidityInput humidityInput;
        std::string unit;
        std::string_view name;
        double minimum, maximum; // the captions read back, or the fixed range of the fraction
        std::string minimumText, maximumText;
        double scale; // from the unit as written to unit (Source::scale)
    };
    const Input& dryBulb() const { return dryBulb_; }
    const Input& pressure() const { return pressure_; }
    HumidityInput humidityInput() const { return settings_.mapping.humidityInput; }
    // The value for the whole file, in internal units, when there is no column.
    std::optional<double> constantPressure() const { return constantPressure_; }

  private:
    // Leaves problem_ set when the settings cannot be used.
    Plan(Settings settings, TextShape shape, std::size_t headerCells);

    Settings settings_;
    TextShape shape_;
    std::size_t headerCells_;
    char outputDecimal_ = '.';
    std::string problem_;
    Input dryBulb_;
    Input pressure_;
    std::optional<double> constantPressure_;
};

// Converts rows, one line at a time; one per thread. Keeps the saturation state of the last dry
// bulbs and pressures seen: logger files repeat them row after row.
class RowConverter {
  public:
    explicit RowConverter(const Plan& plan);
    ~RowConverter();
    RowConverter(const RowConverter&) = delete;
    RowConverter& operator=(const RowConverter&) = delete;

    // Appends the output line of one input line (without its line end) to out, with the line end.
    void Convert(std::string_view line, std::string& out, Tally& tally);

  private:
    struct Cache;
    const Plan& plan_;
    std::unique_ptr<Cache> cache_;
    std::vector<std::string_view> cells_;
};

// Shortest text of a double that reads back to it ("0.1", "1e-05", "293.15").
void AppendShortest(std::string& out, double value);

} // namespace hygrovane::batch
