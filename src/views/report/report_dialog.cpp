#include "views/report/report_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>

namespace hygrovane::views::report {

ReportOptions LoadReportOptions(QSettings& settings) {
    ReportOptions options;
    settings.beginGroup(QStringLiteral("report"));
    options.project = settings.value(QStringLiteral("project")).toString().toStdString();
    options.notes = settings.value(QStringLiteral("notes")).toString().toStdString();
    if (settings.value(QStringLiteral("paper")).toString() == QLatin1String("Letter")) {
        options.paper = QPageSize::Letter;
    }
    settings.endGroup();
    return options;
}

void KeepReportOptions(QSettings& settings, const ReportOptions& options) {
    settings.beginGroup(QStringLiteral("report"));
    settings.setValue(QStringLiteral("project"), QString::fromStdString(options.project));
    settings.setValue(QStringLiteral("notes"), QString::fromStdString(options.notes));
    settings.setValue(QStringLiteral("paper"), options.paper == QPageSize::Letter
                                                   ? QStringLiteral("Letter")
                                                   : QStringLiteral("A4"));
    settings.endGroup();
}

ReportDialog::ReportDialog(const ReportOptions& options, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(QStringLiteral("Design report"));
    auto* form = new QFormLayout(this);
    project_ = new QLineEdit(QString::fromStdString(options.project), this);
    project_->setObjectName(QStringLiteral("projectName"));
    notes_ = new QPlainTextEdit(QString::fromStdString(options.notes), this);
    notes_->setObjectName(QStringLiteral("projectNotes"));
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    paper_->addItems({QStringLiteral("A4"), QStringLiteral("Letter")});
    paper_->setCurrentIndex(options.paper == QPageSize::Letter ? 1 : 0);
    form->addRow(QStringLiteral("Project:"), project_);
    form->addRow(QStringLiteral("Notes:"), notes_);
    form->addRow(QStringLiteral("Paper:"), paper_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ReportOptions ReportDialog::options() const {
    return {project_->text().toStdString(), notes_->toPlainText().toStdString(),
            paper_->currentIndex() == 1 ? QPageSize::Letter : QPageSize::A4};
}

} // namespace hygrovane::views::report
