#include "views/climate/streams_window.h"

#include "fileio/file_io.h"
#include "hygrovane/config.h"
#include "text/number_text.h"
#include "views/chart/chart_overlays.h"
#include "views/climate/streams_dialog.h"
#include "views/common/view_support.h"
#include "views/processes/report_table.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

constexpr const char* kTitle = "Measured streams";
constexpr const char* kSetupKey = "streams/setup";
// The report table's sections, in the window's order.
constexpr std::array<const char*, 4> kSectionKeys = {"streams", "fractions", "coil", "faults"};

} // namespace

StreamsWindow::StreamsWindow(models::Platform& platform, ChartOverlays* overlays, Settings settings,
                             QWidget* owner)
    : QWidget(owner, Qt::Window), platform_(platform), overlays_(overlays),
      settings_(std::move(settings)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kTitle));
    build();
    if (overlays_) {
        overlays_->setHoverText(kStreamsLayer,
                                [this](chart::ChartPoint p) { return model_.hoverTextAt(p); });
    }
    // The mapping of the last run, judged again when its files still read.
    if (settings_) {
        if (const auto kept = settings_(); kept && kept->contains(QLatin1String(kSetupKey))) {
            const models::StreamsSetup setup = models::SetupFromText(
                kept->value(QLatin1String(kSetupKey)).toString().toStdString());
            std::vector<std::string> messages = model_.restore(setup);
            if (!model_.files().empty()) {
                if (const auto ran = model_.run(model_.setup()); !ran) {
                    messages.push_back(ran.error());
                }
            }
            std::string text;
            for (const std::string& m : messages) {
                text += (text.empty() ? "" : "\n") + m;
            }
            status_->setText(QString::fromStdString(text));
        }
    }
    resize(820, 640);
    redraw();
}

StreamsWindow::~StreamsWindow() {
    leaveChart();
}

void StreamsWindow::closeEvent(QCloseEvent* event) {
    leaveChart();
    QWidget::closeEvent(event);
}

void StreamsWindow::leaveChart() {
    if (overlays_) {
        overlays_->removeHoverText(kStreamsLayer);
        overlays_->remove(kStreamsLayer);
    }
}

void StreamsWindow::build() {
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    top->addLayout(bar);
    const auto button = [&](const char* name, const char* caption, auto run) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, run);
        bar->addWidget(b);
    };
    button("mapColumns", "Map columns…", [this] {
        if (mappingDialog()->exec() == QDialog::Accepted) {
            redraw();
        }
    });
    button("exportCsv", "Export CSV…", [this] {
        if (const auto path = platform_.saveFileDialog()) {
            exportCsv(*path);
        }
    });
    button("exportJson", "Export JSON…", [this] {
        if (const auto path = platform_.saveFileDialog()) {
            exportJson(*path);
        }
    });
    bar->addStretch(1);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(status_);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget(scroll);
    auto* column = new QVBoxLayout(inner);
    for (std::size_t k = 0; k < kSections; ++k) {
        titles_[k] = new QLabel(inner);
        QFont bold = titles_[k]->font();
        bold.setBold(true);
        titles_[k]->setFont(bold);
        tables_[k] = new QTableWidget(inner);
        tables_[k]->setObjectName(QStringLiteral("table.") + QLatin1String(kSectionKeys[k]));
        tables_[k]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tables_[k]->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        tables_[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        shown_[k] = new ReportTable(
            *tables_[k], std::string("streams.") + kSectionKeys[k],
            [](const std::string&) { return false; }, Settings());
        notes_[k] = new QLabel(inner);
        notes_[k]->setWordWrap(true);
        notes_[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(titles_[k]);
        column->addWidget(tables_[k]);
        column->addWidget(notes_[k]);
    }
    column->addStretch(1);
    scroll->setWidget(inner);
    top->addWidget(scroll, 1);
}

StreamsDialog* StreamsWindow::mappingDialog() {
    if (!dialog_) {
        dialog_ = new StreamsDialog(model_, platform_, this);
    } else {
        dialog_->showSetup(model_.setup());
    }
    return dialog_;
}

void StreamsWindow::redraw() {
    const tables::Table table = model_.table();
    for (std::size_t k = 0; k < kSections; ++k) {
        const tables::Section* section = table.Find(kSectionKeys[k]);
        const bool shown = section != nullptr;
        titles_[k]->setVisible(shown);
        tables_[k]->setVisible(shown);
        notes_[k]->setVisible(shown);
        if (!shown) {
            continue;
        }
        titles_[k]->setText(QString::fromStdString(section->title));
        shown_[k]->show(*section);
        std::string notes;
        for (const std::string& note : section->notes) {
            notes += (notes.empty() ? "" : "\n") + note;
        }
        notes_[k]->setText(QString::fromStdString(notes));
    }
    if (!model_.judged()) {
        status_->setText(status_->text().isEmpty()
                             ? QStringLiteral("Map the columns of an air-handling unit's logger "
                                              "files to its streams.")
                             : status_->text());
    } else {
        const streams::StreamSummary& s = model_.report().judged.summary;
        status_->setText(QString::fromStdString(model_.report().source + " · " +
                                                std::to_string(s.steps) + " steps over " +
                                                text::FixedText(s.hours, 1) + " h"));
        if (settings_) {
            if (const auto kept = settings_()) {
                kept->setValue(QLatin1String(kSetupKey),
                               QString::fromStdString(models::SetupText(model_.setup())));
            }
        }
    }
    if (overlays_) {
        overlays_->set(kStreamsLayer, model_.overlay());
    }
}

QTableWidget* StreamsWindow::table(const std::string& section) const {
    for (std::size_t k = 0; k < kSections; ++k) {
        if (section == kSectionKeys[k]) {
            return tables_[k];
        }
    }
    return nullptr;
}

models::CommandOutcome StreamsWindow::write(const std::string& path, const std::string& bytes,
                                            const char* what) {
    if (!model_.judged()) {
        platform_.showMessage("Map the streams first: there are no figures to write.",
                              config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    const auto written = fileio::WriteWholeFile(path, bytes, what);
    if (!written) {
        platform_.showMessage(written.error().message, config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    return models::CommandOutcome::Done;
}

models::CommandOutcome StreamsWindow::exportCsv(const std::string& path) {
    return write(path, model_.csv(), "figures");
}

models::CommandOutcome StreamsWindow::exportJson(const std::string& path) {
    return write(path, model_.json(), "figures");
}

StreamsWindow::Settings& StreamsSettings() {
    static StreamsWindow::Settings settings;
    return settings;
}

namespace {
QPointer<StreamsWindow>& OpenStreams() {
    static QPointer<StreamsWindow> open;
    return open;
}
} // namespace

StreamsWindow* showStreamsWindow(models::Platform& platform, ChartOverlays* overlays,
                                 QWidget* owner) {
    return ShowSecondaryWindow(OpenStreams(), [&] {
        return new StreamsWindow(platform, overlays, StreamsSettings(), owner);
    });
}

} // namespace hygrovane::views
