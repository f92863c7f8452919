// The processes window's design report: the set's tables and chart, as a PDF or printed.
#include "fileio/file_io.h"
#include "hygrovane/config.h"
#include "views/ambient/ambient_window.h"
#include "views/processes/processes_window.h"

#include <QDate>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

namespace hygrovane::views {

namespace {

// The name as chosen when it has a suffix or names something that exists (the dialog has
// confirmed it), else with ".pdf".
std::string PdfTarget(const std::string& chosen) {
    const QFileInfo info(QFile::decodeName(chosen.c_str()));
    if (info.exists() || info.isSymLink() || !info.suffix().isEmpty()) {
        return chosen;
    }
    return chosen + ".pdf";
}

} // namespace

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
    const QByteArray bytes = report::ReportPdf(reportContent(options), options.paper);
    if (bytes.isEmpty()) {
        platform_.showMessage("The design report could not be drawn for \"" + path + "\".",
                              models::kProcessesTitle);
        return models::CommandOutcome::Refused;
    }
    const auto written = fileio::WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        "design report");
    if (!written) {
        platform_.showMessage(written.error().message, models::kProcessesTitle);
        return models::CommandOutcome::Refused;
    }
    return models::CommandOutcome::Done;
}

std::optional<report::ReportOptions> ProcessesWindow::askReportOptions() {
    const std::unique_ptr<QSettings> settings = settings_ ? settings_() : nullptr;
    report::ReportDialog dialog(
        settings ? report::LoadReportOptions(*settings) : report::ReportOptions{}, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (settings) {
        report::KeepReportOptions(*settings, dialog.options());
    }
    return dialog.options();
}

void ProcessesWindow::designReportPdf() {
    const auto options = askReportOptions();
    if (!options) {
        return;
    }
    const auto chosen = platform_.saveFileDialog();
    if (!chosen) {
        return;
    }
    const std::string path = PdfTarget(*chosen);
    // The dialog asked about the name it returned; one completed here was never asked about.
    if (path != *chosen && QFileInfo::exists(QFile::decodeName(path.c_str())) &&
        !platform_.askYesNo("The file \"" + path + "\" already exists. Do you want to replace it?",
                            models::kProcessesTitle)) {
        return;
    }
    writeReportPdf(path, *options);
}

void ProcessesWindow::printReport() {
    const auto options = askReportOptions();
    if (!options) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(options->paper));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted &&
        !report::PaintReport(reportContent(*options), printer)) {
        platform_.showMessage("The design report could not be printed.", models::kProcessesTitle);
    }
}

} // namespace hygrovane::views
