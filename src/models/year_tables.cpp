#include "models/year_model.h"

#include "text/number_text.h"
#include "textfile/csv_cell.h"

#include <cmath>
#include <filesystem>

namespace hygrovane::models {

namespace {

using airunit::UnitTotals;

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A figure's words and unit, in the order of kTotalFields.
constexpr std::array<const char*, 20> kTotalTitles{
    "Hours on (h)",
    "Hours off (h)",
    "Hours missing (h)",
    "Economizer (h)",
    "Full outdoor air (h)",
    "Heating coil (h)",
    "Cooling coil (h)",
    "Dehumidifying (h)",
    "Reheat (h)",
    "Humidifier (h)",
    "Heating (kWh)",
    "Cooling (kWh)",
    "Cooling sensible (kWh)",
    "Cooling latent (kWh)",
    "Reheat (kWh)",
    "Humidifier (kWh)",
    "Recovered heating (kWh)",
    "Recovered cooling (kWh)",
    "Condensate (kg)",
    "Steam (kg)",
};

// Hours to a tenth (a file of minutes has fractions), energies and water to whole units.
std::string Figure(std::size_t field, double value) {
    return text::FixedTextUnsignedZero(value, field < 10 ? 1 : 0);
}

double BarOf(const UnitTotals& t, MonthlyBar bar) {
    switch (bar) {
    case MonthlyBar::Heating:
        return t.heatingKWh;
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

void AppendTable(std::string& out, const std::string& title, const YearTable& table) {
    textfile::AppendCsvCell(out, title);
    out += "\r\n";
    for (const auto* row : {&table.header}) {
        for (std::size_t i = 0; i < row->size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            textfile::AppendCsvCell(out, (*row)[i]);
        }
        out += "\r\n";
    }
    for (const auto& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            textfile::AppendCsvCell(out, row[i]);
        }
        out += "\r\n";
    }
    out += "\r\n";
}

} // namespace

std::string TitleOf(MonthlyBar bar) {
    switch (bar) {
    case MonthlyBar::Heating:
        return "Heating (kWh)";
    case MonthlyBar::CoolingSensible:
        return "Cooling sensible (kWh)";
    case MonthlyBar::CoolingLatent:
        return "Cooling latent (kWh)";
    case MonthlyBar::Reheat:
        return "Reheat (kWh)";
    case MonthlyBar::Humidifier:
        return "Humidifier (kWh)";
    case MonthlyBar::Condensate:
        return "Condensate (kg)";
    }
    return {};
}

YearTable YearModel::annualTable() const {
    YearTable table;
    if (!current()) {
        return table;
    }
    table.header.push_back("Year");
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        table.header.push_back("Unit " + std::to_string(u + 1));
    }
    for (std::size_t u = 1; u < runs_.size(); ++u) {
        table.header.push_back(std::to_string(u + 1) + " − 1");
    }
    for (std::size_t f = 0; f < airunit::kTotalFields.size(); ++f) {
        const auto member = airunit::kTotalFields[f].member;
        std::vector<std::string> row{kTotalTitles[f]};
        for (const auto& run : runs_) {
            row.push_back(run ? Figure(f, run->year.*member) : "refused");
        }
        for (std::size_t u = 1; u < runs_.size(); ++u) {
            row.push_back(runs_[0] && runs_[u]
                              ? Figure(f, runs_[u]->year.*member - runs_[0]->year.*member)
                              : "");
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

YearTable YearModel::monthlyTable(std::size_t option) const {
    YearTable table;
    const airunit::UnitRun* run = runOf(option);
    if (run == nullptr) {
        return table;
    }
    table.header.push_back("Month");
    for (const char* title : kTotalTitles) {
        table.header.push_back(title);
    }
    const auto rowOf = [](const std::string& name, const UnitTotals& t) {
        std::vector<std::string> row{name};
        for (std::size_t f = 0; f < airunit::kTotalFields.size(); ++f) {
            row.push_back(Figure(f, t.*airunit::kTotalFields[f].member));
        }
        return row;
    };
    for (std::size_t m = 0; m < 12; ++m) {
        table.rows.push_back(rowOf(kMonthNames[m], run->months[m]));
    }
    table.rows.push_back(rowOf("Year", run->year));
    return table;
}

YearTable YearModel::peaksTable(std::size_t option) const {
    YearTable table;
    const airunit::UnitRun* run = runOf(option);
    if (run == nullptr) {
        return table;
    }
    table.header = {"Peak", "kW", "Date", "Hour"};
    static constexpr std::array<const char*, 4> kNames{"Heating coil", "Cooling coil", "Reheat",
                                                       "Humidifier"};
    for (std::size_t p = 0; p < airunit::kPeakFields.size(); ++p) {
        const airunit::Peak& peak = run->peaks.*airunit::kPeakFields[p].peak;
        if (!peak.found) {
            table.rows.push_back({kNames[p], "0", "", ""});
            continue;
        }
        table.rows.push_back({kNames[p], text::FixedText(peak.value, 1),
                              std::string(kMonthNames[static_cast<std::size_t>(peak.month - 1)]) +
                                  " " + std::to_string(peak.day),
                              std::to_string(peak.hour)});
    }
    return table;
}

std::array<double, 12> YearModel::monthly(MonthlyBar bar, std::size_t option) const {
    std::array<double, 12> values{};
    if (!current() || option >= runs_.size() || !runs_[option]) {
        return values;
    }
    for (std::size_t m = 0; m < 12; ++m) {
        values[m] = BarOf(runs_[option]->months[m], bar);
    }
    return values;
}

std::string YearModel::status() const {
    if (!hasWeather()) {
        return "No weather: open a file in the Climate window first.";
    }
    if (!current()) {
        return "Running…";
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
    std::string out;
    AppendTable(out, "Year, each unit and its difference to unit 1", annualTable());
    for (std::size_t u = 0; u < runs_.size(); ++u) {
        AppendTable(out, "Unit " + std::to_string(u + 1) + " by month", monthlyTable(u));
        AppendTable(out, "Unit " + std::to_string(u + 1) + " peaks", peaksTable(u));
    }
    return out;
}

} // namespace hygrovane::models
