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
    if (form.Option8.value) {
        addLine(text, kBarometricCode);
        addLine(text, form.Text2.text);
    } else {
        addLine(text, kAltitudeCode);
        addLine(text, form.Text10.text);
    }
    for (const HumidityCode& humidity : kHumidityCodes) {
        if (form.Option(humidity.option).value) {
            addLine(text, humidity.code);
            addLine(text, form.Text(humidity.textBox).text);
        }
    }
    return text;
}

FileResult SaveCase(const FormAmbient& form, const std::string& path) {
    return WriteWholeFile(path, CaseFileText(form), "case file");
}

} // namespace hygrovane::casefile
