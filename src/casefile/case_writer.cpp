#include "casefile/case_codes.h"
#include "casefile/case_file.h"
#include "casefile/case_line.h"
#include "hygrovane/config.h"

#include <string>
#include <vector>

namespace hygrovane::casefile {

namespace {

void addLine(std::vector<std::string>& lines, std::string_view line) {
    lines.emplace_back(line);
}

// The fields of the case in file order.
std::vector<std::string> caseLines(const AmbientForm& form) {
    std::vector<std::string> lines;
    addLine(lines, config::kApplicationTitle);
    // Every checked item is written, so a consistent window gives exactly one line of each.
    if (form.menu_IAPWS.checked) {
        addLine(lines, "IAPWS");
    }
    if (form.menu_HW.checked) {
        addLine(lines, "HW");
    }
    if (form.menu_metric.checked) {
        addLine(lines, "Metric");
    }
    if (form.menu_british.checked) {
        addLine(lines, "British");
    }
    if (form.menu_customized.checked) {
        addLine(lines, "Customized");
    }
    for (int n : kStoredCombos) {
        addLine(lines, form.Combo(n).text());
    }
    addLine(lines, form.Text(kDryBulbBox).text);
    const PressureRow& pressure =
        RowOf(form.Option(RowOf(PressureInput::Barometric).option).value ? PressureInput::Barometric
                                                                         : PressureInput::Altitude);
    addLine(lines, pressure.caseCode);
    addLine(lines, form.Text(pressure.box).text);
    for (const HumidityRow& humidity : kHumidityRows) {
        if (form.Option(humidity.option).value) {
            addLine(lines, humidity.caseCode);
            addLine(lines, form.Text(humidity.box).text);
        }
    }
    return lines;
}

} // namespace

std::string CaseFileText(const AmbientForm& form) {
    std::string text;
    for (const std::string& line : caseLines(form)) {
        text.append(line).append("\r\n");
    }
    return text;
}

Expected<Done, FileFailure> SaveCase(const AmbientForm& form, const std::string& path) {
    // A value that would not come back as it is must not replace a good file.
    for (const std::string& line : caseLines(form)) {
        if (const auto kept = CheckCaseLine(line); !kept) {
            return Fail(fileio::Failed(FileFailureKind::Content, "written", "case file", path,
                                       "a value " + kept.error().message +
                                           ", which a case file cannot keep"));
        }
    }
    return fileio::WriteWholeFile(path, CaseFileText(form), "case file");
}

} // namespace hygrovane::casefile
