// The year page's figures as the one table model: the units side by side, each unit by month and
// its peaks, in the main window's unit system; the CSV in full precision with its title block.
#include "models/year_model.h"

#include "tables/table_writers.h"
#include "unitfile/unit_results.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>

namespace hygrovane::models {

namespace {

using airunit::UnitTotals;
using tables::Column;
using tables::NumberCell;
using tables::Quantity;
using tables::TextCell;
using Unit = tables::Unit;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// The international-table Btu and the avoirdupois pound, as the command line converts them.
constexpr double kKiloBtuPerKWh = 3.41214163312794;
constexpr double kPoundsPerKg = 1 / 0.45359237;

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A figure's short title, in the order of kTotalFields. Hour counts say so in their title, so
// that no two columns share one (the unit row tells "Heating" kWh from the heating coil's hours).
constexpr std::array<const char*, 20> kTotalTitles{"On",
                                                   "Off",
                                                   "Missing",
                                                   "Economizer",
                                                   "Full OA",
                                                   "Heating on",
                                                   "Cooling on",
                                                   "Dehum. on",
                                                   "Reheat on",
                                                   "Humidifier on",
                                                   "Heating",
                                                   "Cooling",
                                                   "Sensible",
                                                   "Latent",
                                                   "Reheat",
                                                   "Humidifier",
                                                   "Recovered heating",
                                                   "Recovered cooling",
                                                   "Condensate",
                                                   "Steam"};

Quantity QuantityOf(std::size_t field) {
    const std::string_view key = airunit::kTotalFields[field].key;
    if (key.ends_with("KWh")) {
        return Quantity::Energy;
    }
    return key.ends_with("Kg") ? Quantity::Water : Quantity::Hours;
}

struct Converter {
    bool ip = false;

    Unit UnitOf(Quantity q) const {
        switch (q) {
        case Quantity::Energy:
            return ip ? Unit::KiloBtu : Unit::KilowattHour;
        case Quantity::Water:
            return ip ? Unit::Pound : Unit::Kilogram;
        case Quantity::Load:
            return ip ? Unit::KiloBtuPerHour : Unit::Kilowatt;
        default:
            return Unit::Hour;
        }
    }
    double Shown(Quantity q, double value) const {
        if (!ip) {
            return value;
        }
        switch (q) {
        case Quantity::Energy:
        case Quantity::Load:
            return value * kKiloBtuPerKWh;
        case Quantity::Water:
            return value * kPoundsPerKg;
        default:
            return value;
        }
    }
    std::vector<Column> FigureColumns(const char* first) const {
        std::vector<Column> columns{{first, Quantity::Text, Unit::None, "name"}};
        for (std::size_t f = 0; f < airunit::kTotalFields.size(); ++f) {
            const Quantity q = QuantityOf(f);
            columns.push_back({kTotalTitles[f], q, UnitOf(q), airunit::kTotalFields[f].key});
        }
        return columns;
    }
    std::vector<double> Figures(const UnitTotals& t) const {
        std::vector<double> values;
        for (std::size_t f = 0; f < airunit::kTotalFields.size(); ++f) {
            values.push_back(Shown(QuantityOf(f), t.*airunit::kTotalFields[f].member));
        }
        return values;
    }
};

double BarOf(const UnitTotals& t, MonthlyBar bar) {
    switch (bar) {
    case MonthlyBar::Heating:
        return t.heatingKWh;
    case MonthlyBar::Cooling:
        return t.coolingKWh;
    case MonthlyBar::CoolingSensible:
        return t.coolingSensibleKWh;
    case MonthlyBar::CoolingLatent:
        return t.coolingLatentKWh;
    case MonthlyBar::Reheat:
        return t.reheatKWh;
    case MonthlyBar::Humidifier:
        return t.humidifierKWh;
    case MonthlyBar::Condensate:
        return t.condensateKg;
    }
    return 0;
}

std::string UnitName(std::size_t option) {
    return "Unit " + std::to_string(option + 1);
}

// Today as ISO 8601, for the CSV's title block.
std::string Today() {
    const std::chrono::year_month_day d{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return text;
}

} // namespace

std::string NameOf(MonthlyBar bar) {
    switch (bar) {
    case MonthlyBar::Heating:
        return "Heating";
    case MonthlyBar::Cooling:
        return "Cooling";
    case MonthlyBar::CoolingSensible:
        return "Cooling sensible";
    case MonthlyBar::CoolingLatent:
        return "Cooling latent";
    case MonthlyBar::Reheat:
        return "Reheat";
    case MonthlyBar::Humidifier:
        return "Humidifier";
    case MonthlyBar::Condensate:
        return "Condensate";
    }
    return {};
}

std::string MonthsSectionKey(std::size_t option) {
    return "months-" + std::to_string(option + 1);
}

std::string PeaksSectionKey(std::size_t option) {
    return "peaks-" + std::to_string(option + 1);
}

bool IsMainYearColumn(std::string_view key) {
    // The energies, the water drained and the hours a designer compares first; the other hour
    // counts and the steam are the reader's choice.
    for (const char* main : {"name", "hoursOn", "economizerHours", "heatingKWh", "coolingKWh",
                             "coolingSensibleKWh", "coolingLatentKWh", "reheatKWh", "humidifierKWh",
                             "recoveredHeatingKWh", "recoveredCoolingKWh", "condensateKg"}) {
        if (key == main) {
            return true;
        }
    }
    return false;
}

bool YearModel::ip() const {
    return main_.view().unitSystem == UnitSystem::British;
}

tables::Section YearModel::annualSection() const {
    const Converter c{ip()};
    tables::Section section{"Units side by side", kAnnualSection, c.FigureColumns("Unit")};
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        section.AddRow(UnitName(u) + (runs_[u] ? "" : " (refused)"),
                       runs_[u] ? c.Figures(runs_[u]->year) : std::vector<double>{},
                       "unit-" + std::to_string(u + 1));
    }
    for (std::size_t u = 1; u < runs_.size(); ++u) {
        std::vector<double> difference;
        if (runs_[0] && runs_[u]) {
            const std::vector<double> first = c.Figures(runs_[0]->year);
            difference = c.Figures(runs_[u]->year);
            for (std::size_t f = 0; f < difference.size(); ++f) {
                difference[f] -= first[f];
            }
        }
        section.AddRow(UnitName(u) + " − 1", difference, "difference-" + std::to_string(u + 1));
    }
    if (runs_.size() > 1) {
        section.notes.push_back("Unit N − 1: the unit's figure less unit 1's.");
    }
    return section;
}

tables::Section YearModel::monthlySection(std::size_t option) const {
    const Converter c{ip()};
    tables::Section section{UnitName(option) + " by month", MonthsSectionKey(option),
                            c.FigureColumns("Month")};
    const airunit::UnitRun* run = runOf(option);
    if (run == nullptr) {
        return section;
    }
    for (std::size_t m = 0; m < 12; ++m) {
        section.AddRow(kMonthNames[m], c.Figures(run->months[m]), std::to_string(m + 1));
    }
    section.AddRow("Year", c.Figures(run->year), "year");
    return section;
}

tables::Section YearModel::peaksSection(std::size_t option) const {
    const Converter c{ip()};
    tables::Section section{UnitName(option) + " peaks",
                            PeaksSectionKey(option),
                            {{"Peak", Quantity::Text, Unit::None, "name"},
                             {"Load", Quantity::Load, c.UnitOf(Quantity::Load), "load"},
                             {"Month", Quantity::Count, Unit::None, "month"},
                             {"Day", Quantity::Count, Unit::None, "day"},
                             {"Hour", Quantity::Count, Unit::None, "hour"}}};
    const airunit::UnitRun* run = runOf(option);
    if (run == nullptr) {
        return section;
    }
    static constexpr std::array<const char*, 4> kNames{"Heating coil", "Cooling coil", "Reheat",
                                                       "Humidifier"};
    for (std::size_t p = 0; p < airunit::kPeakFields.size(); ++p) {
        const airunit::Peak& peak = run->peaks.*airunit::kPeakFields[p].peak;
        // No hour with a load: no date to give.
        section.AddRow(kNames[p],
                       peak.found ? std::vector<double>{c.Shown(Quantity::Load, peak.value),
                                                        double(peak.month), double(peak.day),
                                                        double(peak.hour)}
                                  : std::vector<double>{0, kNone, kNone, kNone},
                       airunit::kPeakFields[p].key);
    }
    section.notes.push_back("Hour as the file numbers it: 1 is 00:00–01:00.");
    return section;
}

tables::Table YearModel::reportTables(const std::string& date) const {
    tables::Table table;
    table.title = "Year through the air-handling unit";
    auto& block = table.titleBlock;
    if (hasWeather()) {
        block.push_back(
            {"weather file", TextCell(std::filesystem::path(weather_.path).filename().string())});
        const climate::StateOptions& o = weather_.states->options;
        block.push_back({"pressure", TextCell(o.pressure == climate::PressureSource::Station
                                                  ? "each record's station pressure"
                                                  : "the standard pressure of the elevation")});
        block.push_back(
            {"formulation",
             TextCell(o.formulation == SatFormulation::HylandWexler ? "Hyland-Wexler" : "IAPWS")});
    }
    block.push_back({"units", TextCell(ip() ? "IP" : "SI")});
    if (!date.empty()) {
        block.push_back({"date", TextCell(date)});
    }
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        const airunit::UnitSettings& settings =
            runs_[u] ? runs_[u]->settings : options_[std::min(u, options_.size() - 1)];
        block.push_back(
            {"unit " + std::to_string(u + 1), TextCell(unitfile::DescribeUnit(settings))});
    }
    table.sections.push_back(annualSection());
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        table.sections.push_back(monthlySection(u));
        table.sections.push_back(peaksSection(u));
    }
    return table;
}

std::array<double, 12> YearModel::monthly(MonthlyBar bar, std::size_t option) const {
    std::array<double, 12> values{};
    const airunit::UnitRun* run = runOf(option);
    if (run == nullptr) {
        return values;
    }
    const Converter c{ip()};
    const Quantity q = bar == MonthlyBar::Condensate ? Quantity::Water : Quantity::Energy;
    for (std::size_t m = 0; m < 12; ++m) {
        values[m] = c.Shown(q, BarOf(run->months[m], bar));
    }
    return values;
}

std::string YearModel::barTitle(MonthlyBar bar) const {
    const Converter c{ip()};
    const Quantity q = bar == MonthlyBar::Condensate ? Quantity::Water : Quantity::Energy;
    return NameOf(bar) + " (" + std::string(tables::SymbolOf(c.UnitOf(q))) + ")";
}

OptionBars YearModel::optionBars(MonthlyBar bar) const {
    OptionBars bars{barTitle(bar), {}, {}};
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        bars.options.push_back(UnitName(u));
        bars.values.push_back(monthly(bar, u));
    }
    return bars;
}

std::string YearModel::status() const {
    if (!hasWeather()) {
        return "No weather: open a file in the Climate window first.";
    }
    if (!current()) {
        if (cancelled_) {
            return hasResults() ? "Run cancelled: the figures shown are those of the run before, "
                                  "not of the settings as they are now."
                                : "Run cancelled: there are no figures yet.";
        }
        return hasResults() ? "Running… the figures shown are those of the previous settings."
                            : "Running…";
    }
    std::string text;
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        if (!runs_[u]) {
            text += "Unit " + std::to_string(u + 1) +
                    " refused: " + airunit::Describe(runs_[u].error()) + " ";
        }
    }
    return text.empty()
               ? "The year of " + std::filesystem::path(weather_.path).filename().string() +
                     " through " + std::to_string(runs_.size()) + " unit(s)."
               : text;
}

std::string YearModel::tablesCsv() const {
    return tables::TableCsv(reportTables(Today()));
}

} // namespace hygrovane::models
