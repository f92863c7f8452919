#pragma once

#include "fileio/file_io.h"
#include "processes/process_set.h"

#include <string>
#include <vector>

namespace hygrovane::processfile {

// The units the tables show: the main window's (its unit lists' texts) and the set's own.
struct TableUnits {
    std::string temperature = "C"; // dry bulb and apparatus dew point
    std::string dewPoint = "C";
    std::string wetBulb = "C";
    std::string humidityRatio = "(kg moisture)/(kg dry air)";
    std::string enthalpy = "kJ/kg (dry air)";
    std::string specificVolume = "m^3/kg (dry air)";
    processes::LoadUnits loads;
};

struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    friend bool operator==(const TextTable&, const TextTable&) = default;
};

// One row per point: name, dry bulb, humidity ratio, relative humidity, wet bulb, dew point,
// enthalpy, specific volume, and how it was made (or why it has no state).
TextTable PointTable(const processes::ProcessSet& set, const TableUnits& units);
// One row per process: number, kind, entering and leaving points, flow as given, dry-air flow,
// sensible, latent and total heat, sensible heat ratio, equipment heat, water, the enthalpy and
// humidity-ratio differences, and notes (apparatus dew point and bypass factor, or the failure).
// A chained process's sensible and latent heat, ratio and equipment heat are given stage by
// stage ("coil -24.139; reheat 9.898; net -14.241"); its total, water and differences are the
// whole process's.
TextTable ProcessTable(const processes::ProcessSet& set, const TableUnits& units);

// The tables as CSV (RFC 4180, CR LF), each after a title line, a blank line between them.
std::string TablesCsv(const std::vector<std::pair<std::string, TextTable>>& tables);

// The points and processes as CSV, written through QSaveFile.
Expected<Done, fileio::FileFailure> ExportProcessCsv(const processes::ProcessSet& set,
                                                     const TableUnits& units,
                                                     const std::string& path);

} // namespace hygrovane::processfile
