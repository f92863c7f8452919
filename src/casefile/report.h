#pragma once

#include "casefile/case_file.h"
#include "models/calculator/ambient_form.h"

#include <QDate>

#include <string>

namespace hygrovane::casefile {

// The text of the calculation report for the form as shown, CR LF after each line.
std::string ReportText(const AmbientForm& form, SatFormulation formulation, const QDate& date);

// The file name the report is written to: path with ".txt" appended unless it already ends in
// ".txt" (any letter case).
std::string ReportFileName(const std::string& path);

// Writes the report with today's date to ReportFileName(path) through QSaveFile.
Expected<Done, FileFailure> WriteReport(const AmbientForm& form, const std::string& path,
                                        SatFormulation formulation);

} // namespace hygrovane::casefile
