#include "views/climate/streams_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

using streams::kStreamCount;
using streams::StreamName;

constexpr const char* kTitle = "Measured streams";

QString Name(const char* control, std::size_t stream) {
    return QString::fromLatin1(control) + QLatin1Char('.') +
           QString::fromLatin1(streams::KeyOf(static_cast<StreamName>(stream)));
}

QComboBox* Combo(QWidget* parent, const char* control, std::size_t stream) {
    auto* box = new QComboBox(parent);
    box->setObjectName(Name(control, stream));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

// Chooses the item whose data is `value`; the first when none is.
void Choose(QComboBox* box, const QVariant& value) {
    box->setCurrentIndex(std::max(0, box->findData(value)));
}

void ChooseText(QComboBox* box, const std::string& text) {
    const int found = box->findText(QString::fromStdString(text));
    if (found >= 0) {
        box->setCurrentIndex(found);
    }
}

QDoubleSpinBox* Spin(QWidget* parent, const char* name, double low, double high, int decimals,
                     const char* suffix) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setDecimals(decimals);
    spin->setSuffix(QString::fromUtf8(suffix));
    return spin;
}

} // namespace

StreamsDialog::StreamsDialog(models::StreamsModel& model, models::Platform& platform,
                             QWidget* parent)
    : QDialog(parent), model_(model), platform_(platform) {
    setWindowTitle(QString::fromLatin1(kTitle));
    build();
    showSetup(model_.setup());
}

void StreamsDialog::build() {
    auto* top = new QVBoxLayout(this);
    auto* fileBar = new QHBoxLayout;
    top->addLayout(fileBar);
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("files"));
    files_->setMaximumHeight(80);
    fileBar->addWidget(files_, 1);
    auto* add = new QPushButton(QStringLiteral("Add logger file…"), this);
    add->setObjectName(QStringLiteral("addFile"));
    connect(add, &QPushButton::clicked, this, [this] {
        if (const auto path = platform_.openFileDialogFor(
                "Logger files (*.csv *.txt *.dat *.tsv);;All files (*)")) {
            addFile(*path);
        }
    });
    fileBar->addWidget(add, 0, Qt::AlignTop);

    auto* grid = new QGridLayout;
    top->addLayout(grid);
    const char* heads[] = {"Stream", "File", "Dry bulb", "Unit", "Humidity",
                           "Column", "Unit", "Pressure", "Unit"};
    for (int c = 0; c < 9; ++c) {
        grid->addWidget(new QLabel(QString::fromUtf8(heads[c]), this), 0, c);
    }
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        StreamRow& r = rows_[s];
        const int row = static_cast<int>(s) + 1;
        r.used = new QCheckBox(
            QString::fromLatin1(models::StreamCaption(static_cast<StreamName>(s))), this);
        r.used->setObjectName(Name("use", s));
        r.file = Combo(this, "file", s);
        r.dryBulb = Combo(this, "dryBulb", s);
        r.dryBulbUnit = Combo(this, "dryBulbUnit", s);
        r.humidityInput = Combo(this, "humidityInput", s);
        for (const HumidityInput input : kHumidityInputs) {
            r.humidityInput->addItem(
                QString::fromUtf8(batch::InputName(batch::Role::Humidity, input).data()),
                static_cast<int>(input));
        }
        r.humidity = Combo(this, "humidity", s);
        r.humidityUnit = Combo(this, "humidityUnit", s);
        r.pressure = Combo(this, "pressure", s);
        r.pressureUnit = Combo(this, "pressureUnit", s);
        int c = 0;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 r.used, r.file, r.dryBulb, r.dryBulbUnit, r.humidityInput, r.humidity,
                 r.humidityUnit, r.pressure, r.pressureUnit}) {
            grid->addWidget(w, row, c++);
        }
        connect(r.file, &QComboBox::currentIndexChanged, this, [this, s] {
            if (!filling_) {
                fillColumns(s);
            }
        });
        connect(r.humidityInput, &QComboBox::currentIndexChanged, this, [this, s] {
            if (!filling_) {
                fillUnits(s);
                takeHeaderUnits(s);
            }
        });
        for (QComboBox* column : {r.dryBulb, r.humidity, r.pressure}) {
            connect(column, &QComboBox::currentIndexChanged, this, [this, s] {
                if (!filling_) {
                    takeHeaderUnits(s);
                }
            });
        }
    }

    auto* form = new QFormLayout;
    top->addLayout(form);
    alignment_ = new QComboBox(this);
    alignment_->setObjectName(QStringLiteral("alignment"));
    alignment_->addItem(QStringLiteral("Nearest reading within the tolerance"));
    alignment_->addItem(QStringLiteral("Interpolated between readings within the tolerance"));
    form->addRow(QStringLiteral("Time alignment"), alignment_);
    tolerance_ = Spin(this, "tolerance", 0, 86400, 0, " s");
    form->addRow(QStringLiteral("Tolerance"), tolerance_);
    frozen_ = new QSpinBox(this);
    frozen_->setObjectName(QStringLiteral("frozen"));
    frozen_->setRange(0, 100000);
    frozen_->setSuffix(QStringLiteral(" readings"));
    form->addRow(QStringLiteral("Frozen sensor after"), frozen_);
    auto* flowRow = new QHBoxLayout;
    flowOn_ = new QCheckBox(QStringLiteral("Coil loads at"), this);
    flowOn_->setObjectName(QStringLiteral("flowOn"));
    flow_ = Spin(this, "flow", 0.001, 1000, 3, " kg/s dry air");
    flowRow->addWidget(flowOn_);
    flowRow->addWidget(flow_);
    form->addRow(QStringLiteral("Air flow"), flowRow);
    fractionTolerance_ = Spin(this, "fractionTolerance", 0, 1, 3, "");
    form->addRow(QStringLiteral("Fractions on W and h may differ by"), fractionTolerance_);
    dryBulbTolerance_ = Spin(this, "dryBulbTolerance", 0, 50, 2, " K");
    form->addRow(QStringLiteral("Mixed air beyond its sources by"), dryBulbTolerance_);
    supplyRise_ = Spin(this, "supplyRise", 0, 50, 2, " K");
    form->addRow(QStringLiteral("Supply above its source by (fan)"), supplyRise_);
    heats_ = new QCheckBox(QStringLiteral("The unit heats"), this);
    heats_->setObjectName(QStringLiteral("heats"));
    form->addRow(QString(), heats_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { apply(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

void StreamsDialog::fillFiles() {
    files_->clear();
    for (const models::OpenedLogger& logger : model_.files()) {
        files_->addItem(QString::fromStdString(logger.path));
    }
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        QComboBox* box = rows_[s].file;
        const QVariant chosen = box->currentData();
        box->clear();
        for (std::size_t f = 0; f < model_.files().size(); ++f) {
            const std::string& path = model_.files()[f].path;
            box->addItem(QString::fromStdString(path.substr(path.find_last_of('/') + 1)),
                         static_cast<int>(f));
        }
        Choose(box, chosen);
    }
}

void StreamsDialog::fillColumns(std::size_t s) {
    StreamRow& r = rows_[s];
    const int file = r.file->currentData().isValid() ? r.file->currentData().toInt() : -1;
    for (QComboBox* box : {r.dryBulb, r.humidity, r.pressure}) {
        box->clear();
    }
    r.pressure->addItem(QStringLiteral("none: 101.325 kPa"), -1);
    if (file < 0 || static_cast<std::size_t>(file) >= model_.files().size()) {
        return;
    }
    const auto& names = model_.files()[static_cast<std::size_t>(file)].columns.names;
    for (std::size_t c = 0; c < names.size(); ++c) {
        for (QComboBox* box : {r.dryBulb, r.humidity, r.pressure}) {
            box->addItem(QString::fromStdString(names[c]), static_cast<int>(c));
        }
    }
}

void StreamsDialog::fillUnits(std::size_t s) {
    StreamRow& r = rows_[s];
    const auto input = static_cast<HumidityInput>(r.humidityInput->currentData().toInt());
    const auto fill = [&](QComboBox* box, batch::Role role) {
        const QString chosen = box->currentText();
        box->clear();
        for (const std::string& unit : batch::UnitChoices(role, input)) {
            box->addItem(QString::fromStdString(unit));
        }
        ChooseText(box, chosen.toStdString());
    };
    fill(r.dryBulbUnit, batch::Role::DryBulb);
    fill(r.humidityUnit, batch::Role::Humidity);
    fill(r.pressureUnit, batch::Role::Pressure);
}

void StreamsDialog::takeHeaderUnits(std::size_t s) {
    StreamRow& r = rows_[s];
    const int file = r.file->currentData().isValid() ? r.file->currentData().toInt() : -1;
    if (file < 0 || static_cast<std::size_t>(file) >= model_.files().size()) {
        return;
    }
    const loggerfile::LoggerColumns& columns =
        model_.files()[static_cast<std::size_t>(file)].columns;
    const auto input = static_cast<HumidityInput>(r.humidityInput->currentData().toInt());
    for (const auto& [column, unit, role] :
         {std::tuple{r.dryBulb, r.dryBulbUnit, batch::Role::DryBulb},
          std::tuple{r.humidity, r.humidityUnit, batch::Role::Humidity},
          std::tuple{r.pressure, r.pressureUnit, batch::Role::Pressure}}) {
        const int c = column->currentData().isValid() ? column->currentData().toInt() : -1;
        if (c < 0 || static_cast<std::size_t>(c) >= columns.names.size()) {
            continue;
        }
        const auto found =
            batch::FindHeaderUnit(columns.names[static_cast<std::size_t>(c)],
                                  columns.units[static_cast<std::size_t>(c)], role, input);
        if (found.unit) {
            ChooseText(unit, found.unit->name);
        }
    }
}

models::CommandOutcome StreamsDialog::addFile(const std::string& path) {
    const models::StreamsSetup before = setup();
    const auto added = model_.addFile(path);
    if (!added) {
        platform_.showMessage(added.error(), kTitle);
        return models::CommandOutcome::Refused;
    }
    // The streams the controls map stay; the model's guesses fill the others.
    models::StreamsSetup now = model_.setup();
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        if (before.streams[s].used) {
            now.streams[s] = before.streams[s];
        }
    }
    now.alignment = before.alignment;
    now.judgement = before.judgement;
    showSetup(now);
    return models::CommandOutcome::Done;
}

models::StreamsSetup StreamsDialog::setup() const {
    models::StreamsSetup setup = model_.setup();
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        const StreamRow& r = rows_[s];
        models::StreamColumns& c = setup.streams[s];
        const auto data = [](QComboBox* box) {
            return box->currentData().isValid() ? box->currentData().toInt() : -1;
        };
        c.used = r.used->isChecked();
        c.file = static_cast<std::size_t>(std::max(0, data(r.file)));
        const batch::Mapping was = c.columns;
        c.columns = {};
        c.columns.dryBulb.column = data(r.dryBulb);
        c.columns.dryBulb.unit = r.dryBulbUnit->currentText().toStdString();
        c.columns.humidityInput =
            static_cast<HumidityInput>(r.humidityInput->currentData().toInt());
        c.columns.humidity.column = data(r.humidity);
        c.columns.humidity.unit = r.humidityUnit->currentText().toStdString();
        c.columns.pressure.column = data(r.pressure);
        c.columns.pressure.unit = r.pressureUnit->currentText().toStdString();
        // A column left as it was keeps what the header told of it: a unit read by a factor
        // (inHg), an altitude in place of a pressure.
        for (const auto& [now, before] : {std::pair{&c.columns.dryBulb, &was.dryBulb},
                                          std::pair{&c.columns.humidity, &was.humidity}}) {
            if (now->column == before->column && now->unit == before->unit) {
                *now = *before;
            }
        }
        if (c.columns.pressure.column == was.pressure.column && was.pressure.column >= 0 &&
            (c.columns.pressure.unit == was.pressure.unit ||
             was.pressureInput == PressureInput::Altitude)) {
            c.columns.pressure = was.pressure;
            c.columns.pressureInput = was.pressureInput;
        }
    }
    setup.alignment.how =
        alignment_->currentIndex() == 1 ? streams::Alignment::Linear : streams::Alignment::Nearest;
    setup.alignment.toleranceSeconds = tolerance_->value();
    setup.alignment.frozenReadings = frozen_->value();
    setup.judgement.massFlow =
        flowOn_->isChecked() ? std::optional<double>(flow_->value()) : std::nullopt;
    setup.judgement.fractionTolerance = fractionTolerance_->value();
    setup.judgement.dryBulbTolerance = dryBulbTolerance_->value();
    setup.judgement.supplyRise = supplyRise_->value();
    setup.judgement.heats = heats_->isChecked();
    return setup;
}

void StreamsDialog::showSetup(const models::StreamsSetup& setup) {
    filling_ = true;
    fillFiles();
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        StreamRow& r = rows_[s];
        const models::StreamColumns& c = setup.streams[s];
        r.used->setChecked(c.used);
        Choose(r.file, static_cast<int>(c.file));
        fillColumns(s);
        Choose(r.humidityInput, static_cast<int>(c.columns.humidityInput));
        fillUnits(s);
        Choose(r.dryBulb, c.columns.dryBulb.column);
        Choose(r.humidity, c.columns.humidity.column);
        Choose(r.pressure, c.columns.pressure.column);
        if (c.used) {
            ChooseText(r.dryBulbUnit, c.columns.dryBulb.unit);
            ChooseText(r.humidityUnit, c.columns.humidity.unit);
            ChooseText(r.pressureUnit, c.columns.pressure.unit);
        }
    }
    alignment_->setCurrentIndex(setup.alignment.how == streams::Alignment::Linear ? 1 : 0);
    tolerance_->setValue(setup.alignment.toleranceSeconds);
    frozen_->setValue(setup.alignment.frozenReadings);
    flowOn_->setChecked(setup.judgement.massFlow.has_value());
    flow_->setValue(setup.judgement.massFlow.value_or(1));
    fractionTolerance_->setValue(setup.judgement.fractionTolerance);
    dryBulbTolerance_->setValue(setup.judgement.dryBulbTolerance);
    supplyRise_->setValue(setup.judgement.supplyRise);
    heats_->setChecked(setup.judgement.heats);
    filling_ = false;
}

models::CommandOutcome StreamsDialog::apply() {
    const auto ran = model_.run(setup());
    if (!ran) {
        platform_.showMessage(ran.error(), kTitle);
        return models::CommandOutcome::Refused;
    }
    accept();
    return models::CommandOutcome::Done;
}

} // namespace hygrovane::views
