#include "views/report/report_commands.h"

#include "fileio/file_io.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

namespace hygrovane::views::report {

std::optional<ReportOptions> AskReportOptions(const SettingsSource& settings, QWidget* parent) {
    const std::unique_ptr<QSettings> kept = settings ? settings() : nullptr;
    ReportDialog dialog(kept ? LoadReportOptions(*kept) : ReportOptions{}, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (kept) {
        KeepReportOptions(*kept, dialog.options());
    }
    return dialog.options();
}

std::string PdfTarget(const std::string& chosen) {
    const QFileInfo info(QFile::decodeName(chosen.c_str()));
    if (info.exists() || info.isSymLink() || !info.suffix().isEmpty()) {
        return chosen;
    }
    return chosen + ".pdf";
}

models::CommandOutcome WriteReportPdf(models::Platform& platform, const std::string& path,
                                      const ReportContent& content, QPageSize::PageSizeId paper,
                                      const std::string& title) {
    const QByteArray bytes = ReportPdf(content, paper);
    if (bytes.isEmpty()) {
        platform.showMessage("The design report could not be drawn for \"" + path + "\".", title);
        return models::CommandOutcome::Refused;
    }
    const auto written = fileio::WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        "design report");
    if (!written) {
        platform.showMessage(written.error().message, title);
        return models::CommandOutcome::Refused;
    }
    return models::CommandOutcome::Done;
}

void SaveReportPdf(models::Platform& platform, const SettingsSource& settings, QWidget* parent,
                   const std::function<ReportContent(const ReportOptions&)>& content,
                   const std::string& title) {
    const auto options = AskReportOptions(settings, parent);
    if (!options) {
        return;
    }
    const auto chosen = platform.saveFileDialog();
    if (!chosen) {
        return;
    }
    const std::string path = PdfTarget(*chosen);
    // The dialog asked about the name it returned; one completed here was never asked about.
    if (path != *chosen && QFileInfo::exists(QFile::decodeName(path.c_str())) &&
        !platform.askYesNo("The file \"" + path + "\" already exists. Do you want to replace it?",
                           title)) {
        return;
    }
    WriteReportPdf(platform, path, content(*options), options->paper, title);
}

void PrintReport(models::Platform& platform, const SettingsSource& settings, QWidget* parent,
                 const std::function<ReportContent(const ReportOptions&)>& content,
                 const std::string& title) {
    const auto options = AskReportOptions(settings, parent);
    if (!options) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(options->paper));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted && !PaintReport(content(*options), printer)) {
        platform.showMessage("The design report could not be printed.", title);
    }
}

} // namespace hygrovane::views::report
