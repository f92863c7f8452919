// The Climate window's design report: the figures and design conditions with the chart as it
// shows the year, as a PDF or printed.
#include "climateanalysis/envelope_table.h"
#include "climateanalysis/figure_tables.h"
#include "hygrovane/config.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/report/report_commands.h"

#include <QDate>
#include <QFileInfo>

namespace hygrovane::views {

report::ReportContent ClimateWindow::reportContent(const report::ReportOptions& options) const {
    using tables::NumberCell;
    using tables::Quantity;
    using tables::TextCell;
    using tables::Unit;
    report::ReportContent content;
    content.title = {options.project, options.notes,
                     QDate::currentDate().toString(Qt::ISODate).toStdString(),
                     report::ProgramVersion()};
    if (!model_.loaded()) {
        return content;
    }
    const climateanalysis::ClimateResult& r = model_.result();
    content.table = climateanalysis::FigureTables(r);
    if (!model_.envelopeFigures().empty()) {
        content.table.sections.push_back(
            climateanalysis::EnvelopeSection(model_.envelopeFigures()));
    }
    std::vector<tables::TitleEntry>& block = content.table.titleBlock;
    // The file's name: where it lies on this computer is nothing to a reader of the report.
    block.push_back(
        {"weather file",
         TextCell(QFileInfo(QString::fromStdString(r.source)).fileName().toStdString())});
    if (r.located) {
        std::string place = r.location.city;
        for (const std::string* part : {&r.location.region, &r.location.country}) {
            if (!part->empty()) {
                place += (place.empty() ? "" : ", ") + *part;
            }
        }
        block.push_back({"location", TextCell(place)});
        block.push_back(
            {"elevation", NumberCell(r.location.elevation, Quantity::Count, Unit::Metre)});
    }
    const bool ip = r.settings.units == climateanalysis::Units::IP;
    block.push_back({"pressure", ip ? NumberCell(r.chartAir.pressure / 6894.757, Quantity::Pressure,
                                                 Unit::PoundPerSquareInchAbsolute)
                                    : NumberCell(r.chartAir.pressure / 1000, Quantity::Pressure,
                                                 Unit::Kilopascal)});
    block.push_back({"formulation", TextCell(r.chartAir.formulation == SatFormulation::HylandWexler
                                                 ? "Hyland-Wexler"
                                                 : "IAPWS")});
    block.push_back({"units", TextCell(ip ? "IP" : "SI")});
    // The chart as its window shows the year, when it is open.
    if (const auto* chart = main_.findChild<ChartWindow*>(); chart && chart->isVisible()) {
        content.chart = chart->scene();
    }
    return content;
}

bool ClimateWindow::reportable() {
    if (!model_.loaded()) {
        platform_.showMessage("Open a weather file first: there are no figures to report.",
                              config::kApplicationTitle);
        return false;
    }
    return true;
}

models::CommandOutcome ClimateWindow::writeReportPdf(const std::string& path,
                                                     const report::ReportOptions& options) {
    if (!reportable()) {
        return models::CommandOutcome::Refused;
    }
    return report::WriteReportPdf(platform_, path, reportContent(options), options.paper,
                                  config::kApplicationTitle);
}

void ClimateWindow::designReportPdf() {
    if (!reportable()) {
        return;
    }
    report::SaveReportPdf(
        platform_, {}, this, [this](const auto& options) { return reportContent(options); },
        config::kApplicationTitle);
}

void ClimateWindow::printReport() {
    if (!reportable()) {
        return;
    }
    report::PrintReport(
        platform_, {}, this, [this](const auto& options) { return reportContent(options); },
        config::kApplicationTitle);
}

} // namespace hygrovane::views
