// The processes window's design report: the set's tables and chart, as a PDF or printed.
#include "views/ambient/ambient_window.h"
#include "views/processes/processes_window.h"
#include "views/report/report_commands.h"

#include <QDate>

namespace hygrovane::views {

report::ReportContent ProcessesWindow::reportContent(const report::ReportOptions& options) {
    model_.MainWindowChanged();
    const auto view = main_.model().reader().view();
    reportChart_ = std::make_unique<models::ChartModel>(view);
    reportChart_->follow(view);
    reportOverlay_ = model_.overlay();
    ChartScene scene;
    scene.model = &reportChart_->chart();
    scene.title = reportChart_->shownTitle();
    scene.projection = reportChart_->projection();
    scene.overlays.push_back(&reportOverlay_);
    report::ReportContent content;
    content.title = {options.project, options.notes,
                     QDate::currentDate().toString(Qt::ISODate).toStdString(),
                     report::ProgramVersion()};
    content.table = model_.reportTables();
    content.chart = scene;
    return content;
}

models::CommandOutcome ProcessesWindow::writeReportPdf(const std::string& path,
                                                       const report::ReportOptions& options) {
    return report::WriteReportPdf(platform_, path, reportContent(options), options.paper,
                                  models::kProcessesTitle);
}

void ProcessesWindow::designReportPdf() {
    report::SaveReportPdf(
        platform_, settings_, this, [this](const auto& options) { return reportContent(options); },
        models::kProcessesTitle);
}

void ProcessesWindow::printReport() {
    report::PrintReport(
        platform_, settings_, this, [this](const auto& options) { return reportContent(options); },
        models::kProcessesTitle);
}

} // namespace hygrovane::views
