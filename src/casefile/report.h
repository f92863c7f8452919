#pragma once

#include "calculator/form_ambient.h"
#include "casefile/case_file.h"

#include <string>

namespace hygrovane::casefile {

struct ReportDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// The text of the calculation report for the form as shown, CR LF after each line.
// formulationCode: 1 IAPWS, 2 Hyland-Wexler.
std::string ReportText(const FormAmbient& form, int formulationCode, const ReportDate& date);

// The file name the report is written to: path with ".txt" appended unless it already ends in
// ".txt" (any letter case).
std::string ReportFileName(const std::string& path);

// Writes the report with today's date to ReportFileName(path) through QSaveFile.
FileResult WriteReport(const FormAmbient& form, const std::string& path, int formulationCode);

} // namespace hygrovane::casefile
