#pragma once

// The design report's commands as a window offers them: the options asked (and kept), the PDF
// written whole or not at all, the report printed; a refusal shown with its reason.

#include "models/command_outcome.h"
#include "models/platform.h"
#include "views/report/report_dialog.h"
#include "views/report/report_document.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSettings;
class QWidget;

namespace hygrovane::views::report {

using SettingsSource = std::function<std::unique_ptr<QSettings>()>;

// The options from the dialog, kept in the settings when given; none when cancelled.
std::optional<ReportOptions> AskReportOptions(const SettingsSource& settings, QWidget* parent);

// The name as chosen when it has a suffix or names something that exists (the file dialog has
// confirmed it), else with ".pdf".
std::string PdfTarget(const std::string& chosen);

// Writes the report as a PDF; refused, with the message under `title`, when it could not be
// drawn or written (a file already there then stays as it was).
models::CommandOutcome WriteReportPdf(models::Platform& platform, const std::string& path,
                                      const ReportContent& content, QPageSize::PageSizeId paper,
                                      const std::string& title);

// "Design report…": options, file name (a completed name asked about when it exists), PDF.
void SaveReportPdf(models::Platform& platform, const SettingsSource& settings, QWidget* parent,
                   const std::function<ReportContent(const ReportOptions&)>& content,
                   const std::string& title);
// "Print report…": options, printer dialog, pages.
void PrintReport(models::Platform& platform, const SettingsSource& settings, QWidget* parent,
                 const std::function<ReportContent(const ReportOptions&)>& content,
                 const std::string& title);

} // namespace hygrovane::views::report
