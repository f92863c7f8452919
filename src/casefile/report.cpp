#include "casefile/report.h"

#include "casefile/case_codes.h"
#include "display/number_text.h"
#include "hygrovane/config.h"
#include "models/calculator/humidity_rows.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <string_view>

namespace hygrovane::casefile {

namespace {

std::string blanks(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

// piece followed by the blanks that fill it to width; a longer piece gets none, so the line
// stays complete and the columns after it merely shift.
std::string padded(std::string_view piece, std::size_t width) {
    std::string text(piece);
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string dashLine(int dashes) {
    return blanks(4) + std::string(static_cast<std::size_t>(dashes), '-');
}

const std::string kLineA = dashLine(54);
const std::string kLineB = dashLine(91);
const std::string kLineC = dashLine(59);
const std::string kLineD = dashLine(51);

// Humidity table: every value starts here, its Minimum 15 further on and its Maximum 15 after.
constexpr std::size_t kHumidityValueColumn = 55;
constexpr std::size_t kHumidityCellWidth = 15;

// The partial-pressure unit is placed by its own name.
int partialPressureBlanks(std::string_view unit) {
    struct Run {
        std::string_view unit;
        int blanks;
    };
    constexpr std::array<Run, 8> kRuns = {{{"Pa", 8},
                                           {"kPa", 7},
                                           {"Bar", 7},
                                           {"mBar", 7},
                                           {"mm H2O", 6},
                                           {"mm Hg", 7},
                                           {"Atmosphere", 4},
                                           {"PSI", 7}}};
    const auto run =
        std::find_if(kRuns.begin(), kRuns.end(), [&](const Run& r) { return r.unit == unit; });
    return run != kRuns.end() ? run->blanks : 7;
}

std::string humidityLine(const AmbientForm& form, const HumidityRow& row) {
    const std::string unit = row.percent ? "%" : form.Combo(row.combo).text();
    const int before =
        row.reportBlanksBeforeUnit != 0 ? row.reportBlanksBeforeUnit : partialPressureBlanks(unit);
    std::string minimum = form.Labels(row.minimumLabel).caption;
    if (row.limitedBySoftware) {
        minimum += "*";
    }
    const std::string start = std::string(row.reportCaption) + blanks(before) + unit;
    return padded(start, kHumidityValueColumn) +
           padded(form.Text(row.box).text, kHumidityCellWidth) +
           padded(minimum, kHumidityCellWidth) + form.Labels(row.maximumLabel).caption;
}

struct CompositionRow {
    std::string_view name;
    int blanksBeforeMole;
    double molePercent;
    std::string_view molePicture;
    int blanksBeforeMass;
    double massPercent;
    std::string_view massPicture;
};

std::array<CompositionRow, 5> compositionRows(const AmbientState& s) {
    // Argon's fractions are single precision, and so are their percentages.
    const float argonMole = 100.0f * s.x_Ar;
    const float argonMass = 100.0f * s.w_Ar;
    CompositionRow water{"     H2O", 20, 100 * s.x_w, "0.0000", 14, 100 * s.w_w, "0.0000"};
    if (s.x_w >= 0.1) {
        water.blanksBeforeMole = 19;
        water.molePicture = "00.0000";
        if (s.w_w >= 0.1) {
            water.blanksBeforeMass = 13;
        }
    }
    return {{
        {"     N2", 20, 100 * s.x_N2, "00.0000", 13, 100 * s.w_N2, "00.0000"},
        {"     O2", 20, 100 * s.x_O2, "00.0000", 13, 100 * s.w_O2, "00.0000"},
        {"     Ar", 21, argonMole, "0.0000", 14, argonMass, "0.0000"},
        {"     CO2", 20, 100 * s.x_CO2, "0.0000", 14, 100 * s.w_CO2, "0.0000"},
        water,
    }};
}

class ReportLines {
  public:
    void add(std::string_view line) { text_.append(line).append("\r\n"); }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

} // namespace

std::string ReportText(const AmbientForm& form, SatFormulation formulation, const QDate& date) {
    ReportLines out;
    out.add(std::string(config::kApplicationTitle) + blanks(10) + "(Provided by " +
            config::kMakerName + ", " + config::kMakerWebPage + "   email:" + config::kMakerEmail +
            ")");
    out.add("");
    out.add("Date (mm/dd/yyyy):   " + date.toString(QStringLiteral("MM/dd/yyyy")).toStdString());
    out.add("");
    switch (formulation) {
    case SatFormulation::IAPWS:
        out.add("Method of Calculating Saturation Condition:  IAPWS");
        break;
    case SatFormulation::HylandWexler:
        out.add("Method of Calculating Saturation Condition:  Hyland-Wexler");
        break;
    }
    if (form.menu_metric.checked) {
        out.add("System of Units:  Metric");
    }
    if (form.menu_british.checked) {
        out.add("System of Units:  British");
    }
    if (form.menu_customized.checked) {
        out.add("System of Units:  Customized");
    }
    out.add("");

    out.add("Overal Information");
    out.add(kLineA);
    out.add("     Quantity" + blanks(21) + "Unit" + blanks(10) + "Value");
    out.add(kLineA);
    const PressureRow& pressure = RowOf(PressureInput::Barometric);
    const PressureRow& altitude = RowOf(PressureInput::Altitude);
    out.add("     Ambient Temperature" + blanks(10) + padded(form.Combo(kDryBulbCombo).text(), 14) +
            form.Text(kDryBulbBox).text);
    out.add("");
    out.add("     Barometric Pressure" + blanks(10) +
            padded(form.Combo(pressure.combo).text(), 14) + form.Text(pressure.box).text);
    out.add("");
    out.add("     Altitude above Sea Level" + blanks(5) +
            padded(form.Combo(altitude.combo).text(), 14) + form.Text(altitude.box).text);
    out.add(kLineA);
    out.add("");

    out.add("Humidity Parameters");
    out.add(kLineB);
    out.add("     Quantity" + blanks(24) + "Unit" + blanks(14) + "Value" + blanks(10) + "Minimum" +
            blanks(8) + "Maximum");
    out.add(kLineB);
    for (std::size_t i = 0; i < kHumidityRows.size(); ++i) {
        if (i > 0) {
            out.add("");
        }
        out.add(humidityLine(form, kHumidityRows[i]));
    }
    out.add(kLineB);
    out.add(blanks(70) + "* Limited by Software");
    out.add(kLineB);
    out.add("");

    out.add("Other Properties");
    out.add(kLineC);
    out.add("     Quantity" + blanks(21) + "Unit" + blanks(15) + "Value");
    out.add(kLineC);
    for (std::size_t i = 0; i < kPropertyRows.size(); ++i) {
        const PropertyRow& row = kPropertyRows[i];
        if (i > 0) {
            out.add("");
        }
        out.add(std::string(row.caption) + blanks(row.blanks) +
                padded(form.Combo(row.number).text(), 19) + form.Text(row.number).text);
    }
    out.add(kLineC);
    out.add("");

    out.add("Air Composition");
    out.add(kLineD);
    out.add("     Species" + blanks(15) + "%Vol." + blanks(15) + "%Wgt.");
    out.add(kLineD);
    for (const CompositionRow& row : compositionRows(form.state)) {
        out.add(std::string(row.name) + blanks(row.blanksBeforeMole) +
                PictureText(row.molePercent, row.molePicture, form.decimalSeparator) +
                blanks(row.blanksBeforeMass) +
                PictureText(row.massPercent, row.massPicture, form.decimalSeparator));
    }
    out.add(kLineD);
    return out.take();
}

std::string ReportFileName(const std::string& path) {
    const bool hasEnding =
        QString::fromStdString(path).endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    return hasEnding ? path : path + ".txt";
}

Expected<Done, FileFailure> WriteReport(const AmbientForm& form, const std::string& path,
                                        SatFormulation formulation) {
    return fileio::WriteWholeFile(ReportFileName(path),
                                  ReportText(form, formulation, QDate::currentDate()), "report");
}

} // namespace hygrovane::casefile
