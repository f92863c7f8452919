// A table as CSV and JSON, in full precision.
#include "tables/table_writers.h"

#include "textfile/csv_cell.h"
#include "textfile/json_string.h"

namespace hygrovane::tables {

namespace {

void AppendCells(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        textfile::AppendCsvCell(out, cells[i]);
    }
    out += '\n';
}

// A cell as CSV: a number as its shortest text (reads back exactly), a text kept from running as
// a formula.
std::string CsvText(const Cell& cell) {
    return cell.Full();
}

using textfile::JsonString;

std::string JsonCell(const Cell& cell) {
    if (!cell.IsNumber()) {
        return JsonString(cell.text);
    }
    const std::string full = cell.Full();
    return full.empty() ? std::string("null") : full;
}

const char* QuantityKey(Quantity quantity) {
    switch (quantity) {
    case Quantity::Text:
        return "text";
    case Quantity::Count:
        return "count";
    case Quantity::Hours:
        return "hours";
    case Quantity::Share:
        return "share";
    case Quantity::Temperature:
        return "temperature";
    case Quantity::RelativeHumidity:
        return "relativeHumidity";
    case Quantity::HumidityRatio:
        return "humidityRatio";
    case Quantity::Enthalpy:
        return "enthalpy";
    case Quantity::SpecificVolume:
        return "specificVolume";
    case Quantity::Load:
        return "load";
    case Quantity::Ratio:
        return "ratio";
    case Quantity::AirFlow:
        return "airFlow";
    case Quantity::WaterFlow:
        return "waterFlow";
    case Quantity::Pressure:
        return "pressure";
    case Quantity::Energy:
        return "energy";
    case Quantity::Water:
        return "water";
    }
    return "";
}

} // namespace

std::string TableCsv(const Table& table) {
    std::string csv;
    for (const TitleEntry& entry : table.titleBlock) {
        AppendCells(
            csv, {"# " + entry.key, CsvText(entry.value), std::string(SymbolOf(entry.value.unit))});
    }
    for (const Section& section : table.sections) {
        if (!csv.empty()) {
            csv += '\n';
        }
        AppendCells(csv, {"# section", section.title, ""});
        std::vector<std::string> titles;
        std::vector<std::string> units;
        for (const Column& column : section.columns) {
            titles.push_back(column.title);
            units.push_back(std::string(SymbolOf(column.unit)));
        }
        AppendCells(csv, titles);
        AppendCells(csv, units);
        for (const Row& row : section.rows) {
            std::vector<std::string> cells;
            for (const Cell& cell : row.cells) {
                cells.push_back(CsvText(cell));
            }
            AppendCells(csv, cells);
        }
    }
    return csv;
}

std::string TableJson(const Table& table) {
    std::string json = "{\n  \"title\": " + JsonString(table.title) + ",\n  \"titleBlock\": [";
    for (std::size_t i = 0; i < table.titleBlock.size(); ++i) {
        const TitleEntry& entry = table.titleBlock[i];
        json += std::string(i == 0 ? "" : ",") + "\n    {\"key\": " + JsonString(entry.key) +
                ", \"value\": " + JsonCell(entry.value) +
                ", \"unit\": " + JsonString(SymbolOf(entry.value.unit)) + "}";
    }
    json += "],\n  \"sections\": [";
    for (std::size_t s = 0; s < table.sections.size(); ++s) {
        const Section& section = table.sections[s];
        json += std::string(s == 0 ? "" : ",") + "\n    {\"title\": " + JsonString(section.title) +
                ", \"key\": " + JsonString(section.key) + ",\n     \"columns\": [";
        for (std::size_t c = 0; c < section.columns.size(); ++c) {
            const Column& column = section.columns[c];
            json += std::string(c == 0 ? "" : ", ") + "{\"title\": " + JsonString(column.title) +
                    ", \"key\": " + JsonString(column.key) +
                    ", \"quantity\": " + JsonString(QuantityKey(column.quantity)) +
                    ", \"unit\": " + JsonString(SymbolOf(column.unit)) + "}";
        }
        json += "],\n     \"rows\": [";
        for (std::size_t r = 0; r < section.rows.size(); ++r) {
            json += std::string(r == 0 ? "" : ",") + "\n       [";
            const Row& row = section.rows[r];
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                json += (c == 0 ? "" : ", ") + JsonCell(row.cells[c]);
            }
            json += "]";
        }
        json += "],\n     \"notes\": [";
        for (std::size_t n = 0; n < section.notes.size(); ++n) {
            json += (n == 0 ? "" : ", ") + JsonString(section.notes[n]);
        }
        json += "]}";
    }
    return json + "]\n}\n";
}

} // namespace hygrovane::tables
