#include "processfile/process_report.h"

#include "tables/table_writers.h"
#include "units/quantity.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::processfile {

namespace {

using namespace processes;
using tables::Column;
using tables::NumberCell;
using tables::Quantity;
using tables::Section;
using tables::TextCell;
using Unit = tables::Unit;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double kCubicMetresPerCubicFoot = 0.028316846592; // exact
constexpr double kGrainsPerPound = 7000;                    // exact

// A quantity from the core's unit (K, kg/kg, kJ/kg, m³/kg) into the report's unit.
struct Converter {
    ReportSystem system;

    bool ip() const { return system == ReportSystem::IP; }
    double Temperature(double kelvin) const {
        return units::FromInternal(units::Quantity::Temperature, ip() ? "F" : "C", kelvin)
            .value_or(kNone);
    }
    double HumidityRatio(double kgPerKg) const { return kgPerKg * (ip() ? kGrainsPerPound : 1000); }
    double Enthalpy(double kjPerKg) const {
        return units::FromInternal(units::Quantity::SpecificEnthalpy,
                                   ip() ? "btu/lb (dry air)" : "kJ/kg (dry air)", kjPerKg)
            .value_or(kNone);
    }
    double SpecificVolume(double m3PerKg) const {
        return units::FromInternal(units::Quantity::SpecificVolume,
                                   ip() ? "ft^3/lb (dry air)" : "m^3/kg (dry air)", m3PerKg)
            .value_or(kNone);
    }
    // A volume flow from m³/s.
    double Flow(double m3PerSecond) const {
        return ip() ? m3PerSecond / kCubicMetresPerCubicFoot * 60 : m3PerSecond * 3600;
    }

    Unit TemperatureUnit() const { return ip() ? Unit::Fahrenheit : Unit::Celsius; }
    Unit HumidityRatioUnit() const { return ip() ? Unit::GrainPerPound : Unit::GramPerKilogram; }
    Unit EnthalpyUnit() const { return ip() ? Unit::BtuPerPound : Unit::KilojoulePerKilogram; }
    Unit SpecificVolumeUnit() const {
        return ip() ? Unit::CubicFootPerPound : Unit::CubicMetrePerKilogram;
    }
    Unit FlowUnit() const { return ip() ? Unit::CubicFootPerMinute : Unit::CubicMetrePerHour; }
};

Unit HeatUnitOf(HeatUnit unit) {
    switch (unit) {
    case HeatUnit::Kilowatt:
        return Unit::Kilowatt;
    case HeatUnit::BtuPerHour:
        return Unit::BtuPerHour;
    case HeatUnit::TonOfRefrigeration:
        return Unit::Ton;
    }
    return Unit::Kilowatt;
}

Unit WaterUnitOf(WaterUnit unit) {
    return unit == WaterUnit::PoundsPerHour ? Unit::PoundPerHour : Unit::KilogramPerHour;
}

std::string Joined(const ProcessSet& set, const std::vector<PointId>& ids, const char* between) {
    std::string text;
    for (PointId id : ids) {
        text += (text.empty() ? "" : between) +
                (set.point(id) != nullptr ? set.point(id)->name : std::string("?"));
    }
    return text;
}

// The index of each point by its id, for the flows.
std::size_t IndexOf(const ProcessSet& set, PointId id) {
    for (std::size_t i = 0; i < set.points().size(); ++i) {
        if (set.points()[i].id == id) {
            return i;
        }
    }
    return set.points().size();
}

Section Points(const ProcessSet& set, const Converter& c) {
    Section section{"Points",
                    kPointsSection,
                    {{"Point", Quantity::Text, Unit::None, "name"},
                     {"DB", Quantity::Temperature, c.TemperatureUnit(), "dryBulb"},
                     {"WB", Quantity::Temperature, c.TemperatureUnit(), "wetBulb"},
                     {"RH", Quantity::RelativeHumidity, Unit::Percent, "relativeHumidity"},
                     {"W", Quantity::HumidityRatio, c.HumidityRatioUnit(), "humidityRatio"},
                     {"h", Quantity::Enthalpy, c.EnthalpyUnit(), "enthalpy"},
                     {"DP", Quantity::Temperature, c.TemperatureUnit(), "dewPoint"},
                     {"v", Quantity::SpecificVolume, c.SpecificVolumeUnit(), "specificVolume"},
                     {"Flow", Quantity::AirFlow, c.FlowUnit(), "airFlow"},
                     {"Source", Quantity::Text, Unit::None, "source"}}};
    const std::vector<double> flows = PointAirFlows(set, c.system);
    for (std::size_t i = 0; i < set.points().size(); ++i) {
        const Point& p = set.points()[i];
        std::string source = "given";
        if (const auto producer = set.producerOf(p.id)) {
            source = "process " + std::to_string(*producer + 1);
        }
        std::vector<double> values;
        if (p.state) {
            const AirState& s = *p.state;
            values = {c.Temperature(s.dryBulb),
                      c.Temperature(s.wetBulb),
                      s.core.relativeHumidity * 100,
                      c.HumidityRatio(s.humidityRatio),
                      c.Enthalpy(s.enthalpy),
                      s.core.dewPoint ? c.Temperature(*s.core.dewPoint) : kNone,
                      c.SpecificVolume(s.specificVolume),
                      flows[i]};
        } else {
            source = p.state.error().message;
        }
        tables::Row& row = section.AddRow(p.name, values, p.name);
        row.cells.back() = TextCell(source);
    }
    return section;
}

// A chain's coil and reheat are sized apart, each by its own heat and ratio: "coil -24.1 kW, SHR
// 0.66; reheat 9.90 kW, SHR 1.00" (the net in the table's cells sizes neither).
std::string StagesNote(const ProcessDefinition& d, const ProcessResult& r, Unit heat,
                       HeatUnit heatUnit) {
    const std::vector<std::string_view> stages = StageNamesOf(d.kind);
    if (stages.size() != r.stages.size() || stages.size() < 2) {
        return {};
    }
    std::string note;
    for (std::size_t s = 0; s < stages.size(); ++s) {
        const Loads& loads = r.stages[s].loads;
        const double load = HeatIn(heatUnit, loads.equipmentHeat);
        note += (s == 0 ? "" : "; ") + std::string(stages[s]) + " " +
                tables::ReportText(Quantity::Load, heat, load) + " " +
                std::string(tables::SymbolOf(heat));
        if (loads.sensibleHeatRatio) {
            note += ", SHR " +
                    tables::ReportText(Quantity::Ratio, Unit::None, *loads.sensibleHeatRatio);
        }
    }
    return note;
}

Section Processes(const ProcessSet& set, const Converter& c, const LoadUnits& loads) {
    const Unit heat = HeatUnitOf(loads.heat);
    const Unit T = c.TemperatureUnit();
    Section section{
        "Processes",
        kProcessesSection,
        {{"No.", Quantity::Count, Unit::None, "number"},
         {"Process", Quantity::Text, Unit::None, "process"},
         {"From", Quantity::Text, Unit::None, "from"},
         {"To", Quantity::Text, Unit::None, "to"},
         {"Flow", Quantity::AirFlow, c.FlowUnit(), "airFlow"},
         {"Total", Quantity::Load, heat, "total"},
         {"Sensible", Quantity::Load, heat, "sensible"},
         {"Latent", Quantity::Load, heat, "latent"},
         {"SHR", Quantity::Ratio, Unit::None, "sensibleHeatRatio"},
         {"Equipment", Quantity::Load, heat, "equipmentHeat"},
         {"Water", Quantity::WaterFlow, WaterUnitOf(loads.water), "water"},
         {"Δh", Quantity::Enthalpy, c.EnthalpyUnit(), "enthalpyDifference"},
         {"ΔW", Quantity::HumidityRatio, c.HumidityRatioUnit(), "humidityRatioDifference"},
         {"ADP", Quantity::Temperature, T, "apparatusDewPoint"},
         {"BF", Quantity::Ratio, Unit::None, "bypassFactor"},
         {"Notes", Quantity::Text, Unit::None, "notes"}}};
    for (std::size_t i = 0; i < set.processes().size(); ++i) {
        const Process& process = set.processes()[i];
        const ProcessDefinition& d = process.definition;
        std::vector<double> values;
        std::string notes;
        if (process.result) {
            const ProcessResult& r = *process.result;
            const Loads& l = r.loads;
            const bool mixing = d.kind == ProcessKind::Mixing;
            // The flow at the entering state (the mixture's for mixing).
            double v = kNone;
            if (!d.inlets.empty()) {
                const Point* in = set.point(mixing ? process.outlets.front() : d.inlets.front());
                if (in != nullptr && in->state) {
                    v = in->state->specificVolume;
                }
            }
            values = {c.Flow(l.dryAirFlow * v),
                      HeatIn(loads.heat, l.total),
                      HeatIn(loads.heat, l.sensible),
                      HeatIn(loads.heat, l.latent),
                      l.sensibleHeatRatio.value_or(kNone),
                      HeatIn(loads.heat, l.equipmentHeat),
                      WaterIn(loads.water, l.water),
                      mixing ? kNone : c.Enthalpy(l.enthalpyDifference),
                      mixing ? kNone : c.HumidityRatio(l.humidityRatioDifference),
                      r.apparatusDewPoint ? c.Temperature(r.apparatusDewPoint->dryBulb) : kNone,
                      r.bypassFactor.value_or(kNone)};
            notes = StagesNote(d, r, heat, loads.heat);
        } else {
            notes = process.result.error().message;
        }
        tables::Row row{{NumberCell(static_cast<double>(i + 1), Quantity::Count, Unit::None),
                         TextCell(std::string(InfoOf(d.kind).caption)),
                         TextCell(Joined(set, d.inlets, " + ")),
                         TextCell(Joined(set, process.outlets, ", "))},
                        std::to_string(i + 1)};
        for (std::size_t col = 4; col + 1 < section.columns.size(); ++col) {
            const double value = col - 4 < values.size() ? values[col - 4] : kNone;
            row.cells.push_back(
                NumberCell(value, section.columns[col].quantity, section.columns[col].unit));
        }
        row.cells.push_back(TextCell(notes));
        section.rows.push_back(std::move(row));
    }
    return section;
}

} // namespace

bool IsMainColumn(std::string_view sectionKey, std::string_view columnKey) {
    // What a designer reads first: the state of each point, and each process's size.
    static constexpr std::string_view kPoints[] = {
        "name", "dryBulb", "wetBulb", "relativeHumidity", "humidityRatio", "enthalpy"};
    static constexpr std::string_view kProcesses[] = {"number", "process",  "airFlow",
                                                      "total",  "sensible", "sensibleHeatRatio"};
    const auto in = [&](const auto& keys) {
        return std::find(std::begin(keys), std::end(keys), columnKey) != std::end(keys);
    };
    return (sectionKey == kPointsSection && in(kPoints)) ||
           (sectionKey == kProcessesSection && in(kProcesses));
}

std::vector<double> PointAirFlows(const ProcessSet& set, ReportSystem system) {
    const Converter c{system};
    std::vector<double> dryAir(set.points().size(), kNone); // kg/s
    std::vector<bool> made(set.points().size(), false);
    for (const Process& process : set.processes()) {
        if (!process.result) {
            continue;
        }
        const ProcessResult& r = *process.result;
        const bool mixing = process.definition.kind == ProcessKind::Mixing;
        for (std::size_t k = 0; k < process.definition.inlets.size(); ++k) {
            const std::size_t i = IndexOf(set, process.definition.inlets[k]);
            // A mixed stream's own flow; the entering air of any other process is its whole flow.
            const double flow =
                mixing && k < r.stages.size() ? r.stages[k].loads.dryAirFlow : r.loads.dryAirFlow;
            if (i < dryAir.size() && !made[i]) {
                dryAir[i] = flow;
            }
        }
        for (const PointId id : process.outlets) {
            const std::size_t i = IndexOf(set, id);
            if (i < dryAir.size()) {
                dryAir[i] = r.loads.dryAirFlow;
                made[i] = true;
            }
        }
    }
    std::vector<double> flows(set.points().size(), kNone);
    for (std::size_t i = 0; i < flows.size(); ++i) {
        const Point& p = set.points()[i];
        if (p.state && !std::isnan(dryAir[i])) {
            flows[i] = c.Flow(dryAir[i] * p.state->specificVolume);
        }
    }
    return flows;
}

tables::Table ProcessTables(const ProcessSet& set, const ReportUnits& units,
                            const std::string& date) {
    const Converter c{units.system};
    tables::Table table;
    table.title = "Processes";
    const ProcessAmbient& a = set.ambient();
    if (a.pressureInput == PressureInput::Altitude) {
        table.titleBlock.push_back(
            {"altitude", NumberCell(a.altitude, Quantity::Count, Unit::Metre)});
    }
    const auto air = AirModel::Of(a);
    const double pressure = air ? air->pressure() : kNone;
    table.titleBlock.push_back(
        {"pressure", c.ip() ? NumberCell(pressure / 6894.757, Quantity::Pressure,
                                         Unit::PoundPerSquareInchAbsolute)
                            : NumberCell(pressure / 1000, Quantity::Pressure, Unit::Kilopascal)});
    table.titleBlock.push_back(
        {"formulation",
         TextCell(a.formulation == SatFormulation::HylandWexler ? "Hyland-Wexler" : "IAPWS")});
    table.titleBlock.push_back({"units", TextCell(c.ip() ? "IP" : "SI")});
    if (!date.empty()) {
        table.titleBlock.push_back({"date", TextCell(date)});
    }
    table.sections.push_back(Points(set, c));
    table.sections.push_back(Processes(set, c, units.loads));
    return table;
}

Expected<Done, fileio::FileFailure>
ExportProcessReportCsv(const ProcessSet& set, const ReportUnits& units, const std::string& path) {
    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    return fileio::WriteWholeFile(path, tables::TableCsv(ProcessTables(set, units, today)),
                                  "process table");
}

} // namespace hygrovane::processfile
