#pragma once

// What the user types for a design report (project name, notes) and the paper chosen, asked in a
// small dialog and kept between runs.

#include <QDialog>
#include <QPageSize>

#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSettings;

namespace hygrovane::views::report {

struct ReportOptions {
    std::string project;
    std::string notes;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

// In the settings' group "report"; the defaults when nothing is kept.
ReportOptions LoadReportOptions(QSettings& settings);
void KeepReportOptions(QSettings& settings, const ReportOptions& options);

class ReportDialog : public QDialog {
  public:
    ReportDialog(const ReportOptions& options, QWidget* parent);
    ReportOptions options() const;

  private:
    QLineEdit* project_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QComboBox* paper_ = nullptr;
};

} // namespace hygrovane::views::report
