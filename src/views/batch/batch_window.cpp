#include "views/batch/batch_window.h"

#include "models/calculator/humidity_rows.h"
#include "views/common/view_support.h"
#include "views/common/window_look.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

using batch::Role;

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString columnItem(int column, const std::string& name) {
    return QStringLiteral("%1: %2").arg(column + 1).arg(qs(name));
}

void select(QComboBox& list, int index) {
    const QSignalBlocker blocker(list);
    list.setCurrentIndex(index);
}

} // namespace

BatchWindow::BatchWindow(models::Platform& platform, QWidget* owner)
    : QDialog(owner), model_(platform) {
    setObjectName(QStringLiteral("Form_batch"));
    setWindowTitle(QStringLiteral("Batch Convert"));
    setWindowIcon(ApplicationIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    QPushButton* browseInput = nullptr;
    layout->addLayout(makeFileRow(browseInput));
    preview_ = named(new QTableWidget, "Table_preview");
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setMinimumHeight(160);
    layout->addWidget(preview_, 1);

    layout->addWidget(makeColumnsBox());
    QPushButton* browseOutput = nullptr;
    layout->addWidget(makeOutputBox(browseOutput));
    layout->addLayout(makeRunRow());
    message_ = named(new QLabel, "Label_message");
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(message_);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });

    connectFiles(browseInput, browseOutput);
    connectChoices();
    resize(760, 560);
    fillColumnLists();
    redraw();
}

QHBoxLayout* BatchWindow::makeFileRow(QPushButton*& browseInput) {
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Logger file:")));
    input_ = named(new QLineEdit, "Text_input");
    fileRow->addWidget(input_, 1);
    browseInput = named(new QPushButton(QStringLiteral("Browse...")), "Command_input");
    fileRow->addWidget(browseInput);
    fileRow->addWidget(new QLabel(QStringLiteral("Header line:")));
    headerLine_ = named(new QSpinBox, "Spin_headerLine");
    headerLine_->setRange(0, static_cast<int>(batch::kMostHeaderLine));
    headerLine_->setSpecialValueText(QStringLiteral("auto"));
    headerLine_->setToolTip(
        QStringLiteral("The line that names the columns, when the one found is wrong"));
    fileRow->addWidget(headerLine_);
    return fileRow;
}

QGroupBox* BatchWindow::makeColumnsBox() {
    auto* columns = new QGroupBox(QStringLiteral("Columns to read"));
    auto* grid = new QGridLayout(columns);
    dryBulbColumn_ = named(new QComboBox, "Combo_dryBulbColumn");
    dryBulbUnit_ = named(new QComboBox, "Combo_dryBulbUnit");
    humidityKind_ = named(new QComboBox, "Combo_humidityKind");
    for (const HumidityInput input : kHumidityInputs) {
        humidityKind_->addItem(qs(std::string(RowOf(input).caption)), static_cast<int>(input));
    }
    humidityColumn_ = named(new QComboBox, "Combo_humidityColumn");
    humidityUnit_ = named(new QComboBox, "Combo_humidityUnit");
    pressureKind_ = named(new QComboBox, "Combo_pressureKind");
    pressureKind_->addItems(
        {QStringLiteral("Barometric Pressure"), QStringLiteral("Altitude above Sea Level")});
    pressureColumn_ = named(new QComboBox, "Combo_pressureColumn");
    pressureValue_ = named(new QLineEdit, "Text_pressureValue");
    pressureUnit_ = named(new QComboBox, "Combo_pressureUnit");
    grid->addWidget(new QLabel(QStringLiteral("Ambient Temperature")), 0, 0);
    grid->addWidget(dryBulbColumn_, 0, 1);
    grid->addWidget(dryBulbUnit_, 0, 3);
    grid->addWidget(humidityKind_, 1, 0);
    grid->addWidget(humidityColumn_, 1, 1);
    grid->addWidget(humidityUnit_, 1, 3);
    grid->addWidget(pressureKind_, 2, 0);
    grid->addWidget(pressureColumn_, 2, 1);
    grid->addWidget(pressureValue_, 2, 2);
    grid->addWidget(pressureUnit_, 2, 3);
    grid->setColumnStretch(1, 1);
    return columns;
}

QGroupBox* BatchWindow::makeOutputBox(QPushButton*& browseOutput) {
    auto* outputs = new QGroupBox(QStringLiteral("Output"));
    auto* outputGrid = new QGridLayout(outputs);
    units_ = named(new QComboBox, "Combo_units");
    units_->addItems({QStringLiteral("Metric"), QStringLiteral("British")});
    formulation_ = named(new QComboBox, "Combo_formulation");
    formulation_->addItems({QStringLiteral("IAPWS"), QStringLiteral("Hyland-Wexler")});
    digits_ = named(new QComboBox, "Combo_digits");
    digits_->addItems(
        {QStringLiteral("Digits as the main window shows them"), QStringLiteral("Every digit")});
    composition_ = named(new QCheckBox(QStringLiteral("Air composition")), "Check_composition");
    outputGrid->addWidget(units_, 0, 0);
    outputGrid->addWidget(formulation_, 0, 1);
    outputGrid->addWidget(digits_, 0, 2);
    outputGrid->addWidget(composition_, 0, 3);
    output_ = named(new QLineEdit, "Text_output");
    browseOutput = named(new QPushButton(QStringLiteral("Browse...")), "Command_output");
    outputGrid->addWidget(new QLabel(QStringLiteral("Output file:")), 1, 0);
    outputGrid->addWidget(output_, 1, 1, 1, 2);
    outputGrid->addWidget(browseOutput, 1, 3);
    return outputs;
}

QHBoxLayout* BatchWindow::makeRunRow() {
    auto* runRow = new QHBoxLayout;
    run_ = named(new QPushButton(QStringLiteral("Convert")), "Command_run");
    cancel_ = named(new QPushButton(QStringLiteral("Cancel")), "Command_cancel");
    progress_ = named(new QProgressBar, "Progress");
    progress_->setRange(0, 1000);
    runRow->addWidget(run_);
    runRow->addWidget(cancel_);
    runRow->addWidget(progress_, 1);
    return runRow;
}

// Only the user's actions reach the handlers: activated and textEdited are not raised when
// redraw() sets a control.
std::function<void()> BatchWindow::act(std::function<void()> handler) {
    return [this, handler] {
        if (!drawing_) {
            handler();
            redraw();
        }
    };
}

void BatchWindow::connectFiles(QPushButton* browseInput, QPushButton* browseOutput) {
    connect(browseInput, &QPushButton::clicked, this, act([this] {
                model_.chooseInput();
                fillColumnLists();
            }));
    connect(input_, &QLineEdit::editingFinished, this, act([this] {
                if (input_->text().toStdString() != model_.input()) {
                    model_.setInput(input_->text().toStdString());
                    fillColumnLists();
                }
            }));
    connect(headerLine_, &QSpinBox::valueChanged, this, act([this] {
                model_.setHeaderLine(static_cast<std::size_t>(headerLine_->value()));
                fillColumnLists();
            }));
    connect(browseOutput, &QPushButton::clicked, this, act([this] { model_.chooseOutput(); }));
    connect(output_, &QLineEdit::textEdited, this,
            act([this] { model_.setOutput(output_->text().toStdString()); }));
}

void BatchWindow::connectChoices() {
    connect(dryBulbColumn_, &QComboBox::activated, this,
            act([this] { model_.setDryBulbColumn(dryBulbColumn_->currentIndex()); }));
    const auto humidity = act([this] {
        model_.setHumidity(static_cast<HumidityInput>(humidityKind_->currentData().toInt()),
                           humidityColumn_->currentIndex());
    });
    connect(humidityKind_, &QComboBox::activated, this, humidity);
    connect(humidityColumn_, &QComboBox::activated, this, humidity);
    const auto pressure = act([this] {
        model_.setPressure(pressureKind_->currentIndex() == 0 ? PressureInput::Barometric
                                                              : PressureInput::Altitude,
                           pressureColumn_->currentIndex() - 1);
    });
    connect(pressureKind_, &QComboBox::activated, this, pressure);
    connect(pressureColumn_, &QComboBox::activated, this, pressure);
    connect(pressureValue_, &QLineEdit::textEdited, this, act([this] {
                model_.settings().mapping.pressure.value = pressureValue_->text().toStdString();
            }));
    connect(dryBulbUnit_, &QComboBox::activated, this, act([this] {
                model_.setUnit(Role::DryBulb, dryBulbUnit_->currentText().toStdString());
            }));
    connect(humidityUnit_, &QComboBox::activated, this, act([this] {
                model_.setUnit(Role::Humidity, humidityUnit_->currentText().toStdString());
            }));
    connect(pressureUnit_, &QComboBox::activated, this, act([this] {
                model_.setUnit(Role::Pressure, pressureUnit_->currentText().toStdString());
            }));
    connect(units_, &QComboBox::activated, this,
            act([this] { model_.setBritish(units_->currentIndex() == 1); }));
    connect(formulation_, &QComboBox::activated, this, act([this] {
                model_.settings().formulation = formulation_->currentIndex() == 0
                                                    ? SatFormulation::IAPWS
                                                    : SatFormulation::HylandWexler;
            }));
    connect(digits_, &QComboBox::activated, this, act([this] {
                model_.settings().digits =
                    digits_->currentIndex() == 0 ? batch::Digits::Window : batch::Digits::Full;
            }));
    connect(composition_, &QCheckBox::clicked, this,
            act([this] { model_.settings().composition = composition_->isChecked(); }));
    connect(run_, &QPushButton::clicked, this, act([this] {
                if (model_.run() == models::CommandOutcome::Done) {
                    timer_->start();
                }
            }));
    connect(cancel_, &QPushButton::clicked, this, act([this] { model_.cancel(); }));
}

void BatchWindow::closeEvent(QCloseEvent* event) {
    // Closing abandons a running conversion: nothing is left half-written.
    model_.cancel();
    while (model_.poll()) {
        QThread::msleep(10);
    }
    event->accept();
}

void BatchWindow::poll() {
    if (!model_.poll()) {
        timer_->stop();
    }
    redraw();
}

void BatchWindow::fillColumnLists() {
    const std::vector<std::string>& names = model_.columns();
    const auto& rows = model_.rows();
    preview_->clear();
    preview_->setColumnCount(static_cast<int>(names.size()));
    preview_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    for (std::size_t c = 0; c < names.size(); ++c) {
        headers << columnItem(static_cast<int>(c), names[c]);
    }
    preview_->setHorizontalHeaderLabels(headers);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size() && c < names.size(); ++c) {
            preview_->setItem(static_cast<int>(r), static_cast<int>(c),
                              new QTableWidgetItem(qs(rows[r][c])));
        }
    }
    for (QComboBox* list : {dryBulbColumn_, humidityColumn_, pressureColumn_}) {
        const QSignalBlocker blocker(list);
        list->clear();
        if (list == pressureColumn_) {
            list->addItem(QStringLiteral("the value for every row:"));
        }
        list->addItems(headers);
    }
}

void BatchWindow::fillUnitList(QComboBox& list, Role role, HumidityInput input,
                               const std::string& unit) {
    const QSignalBlocker blocker(list);
    list.clear();
    for (const std::string& choice : batch::UnitChoices(role, input)) {
        list.addItem(qs(choice));
    }
    list.setCurrentIndex(list.findText(qs(unit)));
}

void BatchWindow::redraw() {
    drawing_ = true;
    const batch::Settings& s = model_.settings();
    const batch::Mapping& m = s.mapping;
    if (input_->text().toStdString() != model_.input()) {
        input_->setText(qs(model_.input()));
    }
    if (output_->text().toStdString() != model_.output()) {
        output_->setText(qs(model_.output()));
    }
    if (headerLine_->value() != static_cast<int>(model_.headerLine())) {
        const QSignalBlocker blocker(headerLine_);
        headerLine_->setValue(static_cast<int>(model_.headerLine()));
    }
    select(*dryBulbColumn_, m.dryBulb.column);
    select(*humidityKind_, humidityKind_->findData(static_cast<int>(m.humidityInput)));
    select(*humidityColumn_, m.humidity.column);
    const bool altitude = m.pressureInput == PressureInput::Altitude;
    select(*pressureKind_, altitude ? 1 : 0);
    select(*pressureColumn_, m.pressure.column + 1);
    pressureValue_->setEnabled(m.pressure.column < 0);
    if (pressureValue_->text().toStdString() != m.pressure.value) {
        pressureValue_->setText(qs(m.pressure.value));
    }
    fillUnitList(*dryBulbUnit_, Role::DryBulb, {}, m.dryBulb.unit);
    fillUnitList(*humidityUnit_, Role::Humidity, m.humidityInput, m.humidity.unit);
    fillUnitList(*pressureUnit_, altitude ? Role::Altitude : Role::Pressure, {}, m.pressure.unit);
    select(*units_, model_.british() ? 1 : 0);
    select(*formulation_, s.formulation == SatFormulation::IAPWS ? 0 : 1);
    select(*digits_, s.digits == batch::Digits::Window ? 0 : 1);
    composition_->setChecked(s.composition);

    const bool running = model_.running();
    for (QWidget* control : std::initializer_list<QWidget*>{
             input_, headerLine_, dryBulbColumn_, dryBulbUnit_, humidityKind_, humidityColumn_,
             humidityUnit_, pressureKind_, pressureColumn_, pressureUnit_, units_, formulation_,
             digits_, composition_, output_, run_}) {
        control->setEnabled(!running);
    }
    pressureValue_->setEnabled(!running && m.pressure.column < 0);
    cancel_->setEnabled(running);
    progress_->setValue(static_cast<int>(model_.progress() * 1000));
    if (!running && model_.message().rfind("Written", 0) == 0) {
        progress_->setValue(1000);
    }
    message_->setText(qs(model_.message()));
    drawing_ = false;
}

BatchWindow* showBatchWindow(models::Platform& platform, QWidget* owner) {
    static QPointer<BatchWindow> open;
    return ShowSecondaryWindow(open, [&] { return new BatchWindow(platform, owner); });
}

} // namespace hygrovane::views
