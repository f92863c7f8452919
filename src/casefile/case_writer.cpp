#include "casefile/case_codes.h"
#include "casefile/case_file.h"
#include "casefile/file_io.h"
#include "hygrovane/config.h"

namespace hygrovane::casefile {

namespace {

void addLine(std::string& text, std::string_view line) {
    text.append(line).append("\r\n");
}

} // namespace

std::string CaseFileText(const FormAmbient& form) {
    std::string text;
    addLine(text, config::kApplicationTitle);
    // Every checked item is written, so a consistent window gives exactly one line of each.
    if (form.menu_IAPWS.checked) {
        addLine(text, "IAPWS");
    }
    if (form.menu_HW.checked) {
        addLine(text, "HW");
    }
    if (form.menu_metric.checked) {
        addLine(text, "Metric");
    }
    if (form.menu_british.checked) {
        addLine(text, "British");
    }
    if (form.menu_customized.checked) {
        addLine(text, "Customized");
    }
    for (int n : kStoredCombos) {
        addLine(text, form.Combo(n).text());
    }
    addLine(text, form.Text1.text);
    const PressureRow& pressure =
        RowOf(form.Option8.value ? PressureInput::Barometric : PressureInput::Altitude);
    addLine(text, pressure.caseCode);
    addLine(text, form.Text(pressure.box).text);
    for (const HumidityRow& humidity : kHumidityRows) {
        if (form.Option(humidity.option).value) {
            addLine(text, humidity.caseCode);
            addLine(text, form.Text(humidity.box).text);
        }
    }
    return text;
}

FileResult SaveCase(const FormAmbient& form, const std::string& path) {
    return WriteWholeFile(path, CaseFileText(form), "case file");
}

} // namespace hygrovane::casefile
