#pragma once

#include "airunit/unit_run.h"
#include "chart/overlay.h"
#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "models/calculator/main_window_view.h"
#include "models/command_outcome.h"
#include "models/platform.h"
#include "processes/process_set.h"
#include "tables/table.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::models {

inline constexpr const char* kYearTitle = "Year";
// Options side by side: a designer compares a handful (no recovery, plate, wheel; economizers).
inline constexpr std::size_t kMostUnitOptions = 6;

// The weather a year runs through: the climate window's file, its states and its filter, shared
// (never copied hour by hour) so that a worker may hold them after the window moved on.
struct YearWeather {
    std::string path;
    std::shared_ptr<const climate::WeatherData> data;
    std::shared_ptr<const climate::HourlyStates> states;
    climate::Filter filter;
};

// A unit's settings as typed: temperatures in the main window's temperature unit, the economizer's
// enthalpy limit in its enthalpy unit, humidities and the coil's leaving humidity in %, the
// outdoor fraction and the effectivenesses as fractions, the flow in its own unit. An empty dew
// point is none; recovery off ignores the effectivenesses.
struct UnitForm {
    std::string roomDryBulb;
    airunit::RoomHumidity roomHumidityKind = airunit::RoomHumidity::RelativeHumidity;
    std::string roomHumidity;
    std::string supplyDryBulb;
    std::string maxDewPoint;
    std::string minDewPoint;
    std::string flow;
    airunit::FlowUnit flowUnit = airunit::FlowUnit::CubicMetresPerHour;
    std::string minOutdoorFraction;
    airunit::EconomizerKind economizer = airunit::EconomizerKind::None;
    std::string economizerLimit;
    bool recovery = false;
    std::string sensible;
    std::string latent;
    std::string coilLeavingRelativeHumidity;
    std::string steamTemperature;
};

// A run on a worker thread: it reads only what it holds, reports its progress through atomics
// and, when the settings change under it or the user cancels it, is told to stop and dropped,
// not waited for.
struct YearJob {
    YearWeather weather;
    std::vector<airunit::UnitSettings> units;
    unsigned generation = 0;
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> finished{false};
    // Set from the window's thread: the run stops at its next progress report, its figures
    // incomplete (accept() refuses them).
    std::atomic<bool> cancel{false};
    std::vector<Expected<airunit::UnitRun, airunit::UnitFailure>> runs; // once finished

    void run(unsigned threads = 0);
};

// The monthly quantities the bar charts draw.
enum class MonthlyBar {
    Heating,
    CoolingSensible,
    CoolingLatent,
    Reheat,
    Humidifier,
    Condensate,
    Cooling // the coil's total
};
inline constexpr std::array<MonthlyBar, 6> kMonthlyBars{
    MonthlyBar::Heating, MonthlyBar::CoolingSensible, MonthlyBar::CoolingLatent,
    MonthlyBar::Reheat,  MonthlyBar::Humidifier,      MonthlyBar::Condensate};
// What the chart of the units' monthly totals offers.
inline constexpr std::array<MonthlyBar, 7> kComparedBars{
    MonthlyBar::Heating,       MonthlyBar::Cooling, MonthlyBar::CoolingSensible,
    MonthlyBar::CoolingLatent, MonthlyBar::Reheat,  MonthlyBar::Humidifier,
    MonthlyBar::Condensate};
// "Heating", "Cooling sensible".
std::string NameOf(MonthlyBar bar);

// The units' monthly totals of one quantity, as the grouped bar chart draws them: twelve groups,
// a bar per unit in each.
struct OptionBars {
    std::string title;                          // "Cooling (kWh)"
    std::vector<std::string> options;           // the legend: "Unit 1", ...
    std::vector<std::array<double, 12>> values; // per unit, January first
};

// The year tables' sections and their main columns (those shown until the reader chooses).
inline constexpr const char* kAnnualSection = "annual";
std::string MonthsSectionKey(std::size_t option);
std::string PeaksSectionKey(std::size_t option);
bool IsMainYearColumn(std::string_view columnKey);

// The nodes of the unit the chart draws for every hour, each kind in its own colour.
enum class UnitNode { Outdoor, Recovered, Mixed, OffCoil, Supply };
inline constexpr std::array<UnitNode, 5> kUnitNodes{
    UnitNode::Outdoor, UnitNode::Recovered, UnitNode::Mixed, UnitNode::OffCoil, UnitNode::Supply};
std::string NameOf(UnitNode node); // "outdoor", "after recovery", …
chart::OverlayColour ColourOf(UnitNode node);
const airunit::AirNode& NodeOf(const airunit::UnitHour& hour, UnitNode node);

// One hour's nodes as the processes window's points and processes, named for the hour.
processes::SetRecords HourRecords(const airunit::UnitHour& hour,
                                  const airunit::UnitSettings& settings, const std::string& prefix);

// The year page's logic without widgets: the climate window's weather and filter, up to six unit
// options typed in the main window's units, their runs (on a worker the view starts; a changed
// setting makes the results stale and the view runs again), the tables and charts of the
// results, an hour sent to the processes window, UNIT.json opened and saved, the tables as CSV.
// Every command either does all it says or changes nothing.
class YearModel {
  public:
    YearModel(Platform& platform, MainWindowReader main);

    // The processes window takes an hour's points and processes, or says why not.
    std::function<CommandOutcome(const processes::SetRecords&)> toProcesses;

    void setWeather(YearWeather weather);
    bool hasWeather() const { return weather_.data != nullptr; }
    const YearWeather& weather() const { return weather_; }

    const std::vector<airunit::UnitSettings>& options() const { return options_; }
    std::size_t selected() const { return selected_; }
    void select(std::size_t option);
    // The option's settings in the form's units.
    UnitForm formOf(std::size_t option) const;
    // The temperature and enthalpy units the form is typed in.
    std::string temperatureUnit() const;
    std::string enthalpyUnit() const;
    // The form read and checked into an option (refused with the setting named).
    CommandOutcome setOption(std::size_t option, const UnitForm& form);
    // A copy of the selected option, selected; refused beyond kMostUnitOptions.
    CommandOutcome addOption();
    // Refused for the only option.
    CommandOutcome removeOption(std::size_t option);

    // A job for the current weather and options (none without weather); the view runs it on a
    // worker and hands it back to accept(), which takes it only while nothing changed since and
    // it was not cancelled.
    std::shared_ptr<YearJob> makeJob();
    bool accept(YearJob& job);
    // The results are those of the options and weather shown.
    bool current() const { return !runs_.empty() && resultGeneration_ == generation_; }
    const std::vector<Expected<airunit::UnitRun, airunit::UnitFailure>>& runs() const {
        return runs_;
    }
    // The selected option's run as shown (see hasResults); none before a run or where it was
    // refused.
    const airunit::UnitRun* selectedRun() const { return runOf(selected_); }
    const airunit::UnitRun* runOf(std::size_t option) const;

    // The figures in the main window's unit system: kWh, kW and kg, or kBtu, kBtu/h and lb, as
    // the command line writes them.
    bool ip() const;
    // The results shown: those of the last run that ended, also while a newer one runs or after
    // one was cancelled (status() says they are of earlier settings).
    bool hasResults() const { return !runs_.empty(); }
    // Each unit's year, then the difference of each to the first.
    tables::Section annualSection() const;
    // A unit (the selected one) by month, and its peak loads with their date and hour.
    tables::Section monthlySection(std::size_t option) const;
    tables::Section monthlySection() const { return monthlySection(selected_); }
    tables::Section peaksSection(std::size_t option) const;
    tables::Section peaksSection() const { return peaksSection(selected_); }
    // Everything as one table: a title block (weather file, pressure, formulation, units, each
    // unit's settings, the date when given), the annual section, each unit's months and peaks.
    tables::Table reportTables(const std::string& date = {}) const;
    // A unit's (the selected one's) monthly values of a bar, in the shown unit, and its title.
    std::array<double, 12> monthly(MonthlyBar bar, std::size_t option) const;
    std::string barTitle(MonthlyBar bar) const;
    OptionBars optionBars(MonthlyBar bar) const;
    // The window's run was cancelled: the figures shown stay those of the run before.
    void cancelled() { cancelled_ = true; }
    std::string status() const;

    // The record of a date and hour (1-24, as the file numbers it); none where the file has none.
    std::optional<std::size_t> recordAt(int month, int day, int hour) const;
    // The selected option through one record, exactly as the run computes it.
    Expected<airunit::UnitHour, std::string> hourAt(std::size_t record) const;
    CommandOutcome openInProcesses(int month, int day, int hour);

    // The chart's clouds: the selected option's nodes of every hour the filter keeps and the
    // unit runs, each kind shown or not, with a key; and one picked hour's chain as processes.
    bool nodeShown(UnitNode node) const { return shownNodes_[static_cast<std::size_t>(node)]; }
    void showNode(UnitNode node, bool shown);
    // The hour of a date (refused where the file lacks it or the unit is off then), or of a peak
    // of the selected option's run (kPeakFields' order; refused before a run or without one).
    CommandOutcome pickHour(int month, int day, int hour);
    CommandOutcome pickPeak(std::size_t peak);
    // The hour with a shown node nearest a point of the chart (dry bulb K, humidity ratio kg/kg),
    // near as the default chart's proportions show it; refused where no cloud is drawn.
    CommandOutcome pickNearest(chart::ChartPoint at);
    void clearPickedHour() { picked_.reset(); }
    std::optional<std::size_t> pickedRecord() const { return picked_; }
    // Empty without weather; computed again only when the weather or the option changed.
    chart::Overlay overlay() const;

    CommandOutcome openUnit(); // into the selected option
    CommandOutcome openUnitFrom(const std::string& path);
    CommandOutcome saveUnit(); // the selected option
    CommandOutcome saveUnitTo(const std::string& path);
    CommandOutcome exportCsv();
    CommandOutcome exportCsvTo(const std::string& path);
    // The tables as CSV with their title block and today's date, in full precision.
    std::string tablesCsv() const;

  private:
    CommandOutcome refuse(const std::string& message);
    void changed() { ++generation_; }

    Platform& platform_;
    MainWindowReader main_;
    YearWeather weather_;
    std::vector<airunit::UnitSettings> options_;
    std::size_t selected_ = 0;
    unsigned generation_ = 1;
    unsigned resultGeneration_ = 0;
    std::vector<Expected<airunit::UnitRun, airunit::UnitFailure>> runs_;
    bool cancelled_ = false;

    // The nodes of the on records, kept for the generation and option they were made for.
    struct Cloud {
        unsigned generation = 0;
        std::size_t option = 0;
        std::vector<std::array<chart::ChartPoint, kUnitNodes.size()>> nodes{};
        std::vector<std::size_t> records{}; // of each entry of nodes
        double hours = 0;                   // the time they stand for
        // The picked record's hour through the option (none where it is off).
        std::optional<std::size_t> pickedRecord{};
        std::optional<airunit::UnitHour> picked{};
    };
    const Cloud& cloud() const;
    std::array<bool, kUnitNodes.size()> shownNodes_{true, true, true, true, true};
    std::optional<std::size_t> picked_;
    mutable Cloud cloud_;
};

// Reads a form in the given units; the first setting that is no number, or that Check refuses,
// is named in the message.
Expected<airunit::UnitSettings, std::string> ReadUnitForm(const UnitForm& form,
                                                          const std::string& temperatureUnit,
                                                          const std::string& enthalpyUnit);
UnitForm FormOfUnit(const airunit::UnitSettings& settings, const std::string& temperatureUnit,
                    const std::string& enthalpyUnit);

} // namespace hygrovane::models
