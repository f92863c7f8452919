#include "processfile/process_table.h"

#include "display/display_texts.h"
#include "display/number_text.h"
#include "fileio/file_io.h"
#include "textfile/csv_cell.h"

namespace hygrovane::processfile {

namespace {

using namespace processes;
using namespace calculation;

// Decimals of the loads: heat and water in each unit, dry-air flow, ratios.
int HeatDecimals(HeatUnit unit) {
    return unit == HeatUnit::BtuPerHour ? 0 : 3;
}
constexpr int kWaterDecimals = 3;
constexpr int kFlowDecimals = 4;
constexpr int kRatioDecimals = 3;

std::string Or(const std::optional<std::string>& text) {
    return text.value_or("?");
}

std::string Joined(const ProcessSet& set, const std::vector<PointId>& ids, const char* between) {
    std::string text;
    for (PointId id : ids) {
        if (!text.empty()) {
            text += between;
        }
        text += set.point(id) != nullptr ? set.point(id)->name : "?";
    }
    return text;
}

std::string FlowText(const AirFlow& flow) {
    if (flow.unit == FlowUnit::Upstream) {
        return "upstream";
    }
    return NumberText(flow.value) + " " + std::string(NameOf(flow.unit));
}

// The dry-air flow in the mass unit that goes with the water unit.
std::string DryAirText(double kilogramsPerSecond, WaterUnit water) {
    if (water == WaterUnit::PoundsPerHour) {
        return RoundedText(kilogramsPerSecond / FlowFactor(FlowUnit::PoundsPerHour), 1);
    }
    return RoundedText(kilogramsPerSecond, kFlowDecimals);
}

std::string Unit(const std::string& caption, std::string_view unit) {
    return caption + " (" + std::string(unit) + ")";
}

} // namespace

TextTable PointTable(const ProcessSet& set, const TableUnits& u) {
    TextTable table;
    table.header = {"Point",
                    Unit("Dry bulb", u.temperature),
                    Unit("Humidity ratio", u.humidityRatio),
                    "Relative humidity (%)",
                    Unit("Wet bulb", u.wetBulb),
                    Unit("Dew point", u.dewPoint),
                    Unit("Enthalpy", u.enthalpy),
                    Unit("Specific volume", u.specificVolume),
                    "Source"};
    for (const Point& p : set.points()) {
        std::string source = "given";
        if (const auto producer = set.producerOf(p.id)) {
            source = "process " + std::to_string(*producer + 1);
        }
        if (!p.state) {
            table.rows.push_back({p.name, "", "", "", "", "", "", "", p.state.error().message});
            continue;
        }
        const AirState& s = *p.state;
        table.rows.push_back({
            p.name,
            Or(TemperatureText(s.dryBulb, u.temperature)),
            Or(HumidityRatioText(s.humidityRatio, u.humidityRatio)),
            RoundedText(s.core.relativeHumidity * 100, 3),
            Or(TemperatureText(s.wetBulb, u.wetBulb)),
            s.core.dewPoint ? Or(DewPointText(*s.core.dewPoint, u.dewPoint)) : "< min",
            Or(EnthalpyText(s.enthalpy, u.enthalpy)),
            Or(SpecificVolumeText(s.specificVolume, u.specificVolume)),
            source,
        });
    }
    return table;
}

TextTable ProcessTable(const ProcessSet& set, const TableUnits& u) {
    const std::string heat(NameOf(u.loads.heat));
    const std::string water(NameOf(u.loads.water));
    TextTable table;
    table.header = {"No.",
                    "Process",
                    "From",
                    "To",
                    "Air flow",
                    Unit("Dry air", u.loads.water == WaterUnit::PoundsPerHour ? "lb/h" : "kg/s"),
                    Unit("Sensible", heat),
                    Unit("Latent", heat),
                    Unit("Total", heat),
                    "Sensible heat ratio",
                    Unit("Heater or coil", heat),
                    Unit("Water", water),
                    Unit("Enthalpy difference", u.enthalpy),
                    Unit("Humidity-ratio difference", u.humidityRatio),
                    "Notes"};
    const auto heatText = [&](double kW) {
        return RoundedText(HeatIn(u.loads.heat, kW), HeatDecimals(u.loads.heat));
    };
    for (std::size_t i = 0; i < set.processes().size(); ++i) {
        const Process& process = set.processes()[i];
        const ProcessDefinition& d = process.definition;
        std::string flows;
        for (const AirFlow& flow : d.flows) {
            flows += (flows.empty() ? "" : " + ") + FlowText(flow);
        }
        std::vector<std::string> row{std::to_string(i + 1), std::string(InfoOf(d.kind).caption),
                                     Joined(set, d.inlets, " + "),
                                     Joined(set, process.outlets, ", "), flows};
        if (!process.result) {
            row.resize(table.header.size() - 1);
            row.push_back(process.result.error().message);
            table.rows.push_back(std::move(row));
            continue;
        }
        const ProcessResult& r = *process.result;
        const Loads& l = r.loads;
        const bool mixing = d.kind == ProcessKind::Mixing;
        const auto ratioText = [](const std::optional<double>& ratio) {
            return ratio ? RoundedText(*ratio, kRatioDecimals) : std::string();
        };
        // A chain's coil and reheat (heater and humidifier) are sized apart: each stage's load,
        // named, and the net only as their total. The air's total change stays one number.
        const std::vector<std::string_view> stages = StageNamesOf(d.kind);
        const auto perStage = [&](auto value, auto text, bool net) {
            if (stages.size() != r.stages.size() || stages.empty()) {
                return text(value(l));
            }
            std::string all;
            for (std::size_t s = 0; s < stages.size(); ++s) {
                all += (s == 0 ? "" : "; ") + std::string(stages[s]) + " " +
                       text(value(r.stages[s].loads));
            }
            return net ? all + "; net " + text(value(l)) : all;
        };
        row.push_back(DryAirText(l.dryAirFlow, u.loads.water));
        row.push_back(perStage([](const Loads& x) { return x.sensible; }, heatText, true));
        row.push_back(perStage([](const Loads& x) { return x.latent; }, heatText, true));
        row.push_back(heatText(l.total));
        row.push_back(
            perStage([](const Loads& x) { return x.sensibleHeatRatio; }, ratioText, false));
        row.push_back(perStage([](const Loads& x) { return x.equipmentHeat; }, heatText, true));
        row.push_back(RoundedText(WaterIn(u.loads.water, l.water), kWaterDecimals));
        row.push_back(mixing ? "" : Or(EnthalpyText(l.enthalpyDifference, u.enthalpy)));
        row.push_back(mixing ? ""
                             : Or(HumidityRatioText(l.humidityRatioDifference, u.humidityRatio)));
        std::string notes;
        if (r.apparatusDewPoint) {
            notes = "apparatus dew point " +
                    Or(TemperatureText(r.apparatusDewPoint->dryBulb, u.temperature)) + " " +
                    u.temperature + ", bypass factor " + RoundedText(*r.bypassFactor, 4);
        }
        row.push_back(notes);
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string TablesCsv(const std::vector<std::pair<std::string, TextTable>>& tables) {
    const auto field = [](const std::string& text) {
        std::string cell;
        // Blanks around a name are kept by quoting them.
        textfile::AppendCsvCell(cell, text, ',', TrimmedName(text) != text);
        return cell;
    };
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += (i == 0 ? "" : ",") + field(cells[i]);
        }
        return text + "\r\n";
    };
    std::string csv;
    for (const auto& [title, table] : tables) {
        csv += (csv.empty() ? "" : "\r\n") + line({title}) + line(table.header);
        for (const auto& row : table.rows) {
            csv += line(row);
        }
    }
    return csv;
}

Expected<Done, fileio::FileFailure> ExportProcessCsv(const ProcessSet& set, const TableUnits& units,
                                                     const std::string& path) {
    const std::string csv =
        TablesCsv({{"Points", PointTable(set, units)}, {"Processes", ProcessTable(set, units)}});
    return fileio::WriteWholeFile(path, csv, "process table");
}

} // namespace hygrovane::processfile
