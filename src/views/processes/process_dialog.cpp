#include "views/processes/process_dialog.h"

#include "views/common/view_support.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

using namespace processes;

// The caption of a parameter with the unit it is typed in.
QString Caption(Parameter p, const ShownUnits& shown, const LoadUnits& units) {
    const std::string caption(InfoOf(p).caption);
    switch (p) {
    case Parameter::LeavingDryBulb:
    case Parameter::ApparatusDewPoint:
    case Parameter::SteamTemperature:
    case Parameter::Target:
        return qs(caption + " (" + shown.dryBulb + ")");
    case Parameter::HeatRate:
        return qs(caption + " (" + std::string(NameOf(units.heat)) + ")");
    case Parameter::RelativeHumidity:
        return qs(caption + " (%)");
    case Parameter::HumidityRatio:
        return qs(caption + " (" + shown.humidityRatio + ")");
    case Parameter::BypassFactor:
    case Parameter::Effectiveness:
        break;
    }
    return qs(caption);
}

} // namespace

ProcessDialog::ProcessDialog(const models::ProcessesModel& model, const models::ProcessForm& start,
                             QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("Dialog_process"));
    setWindowTitle(QStringLiteral("Process"));
    auto* layout = new QVBoxLayout(this);
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("Kind"));
    for (const KindInfo& info : Kinds()) {
        kind_->addItem(qs(info.caption));
    }
    layout->addWidget(kind_);
    rows_ = new QFormLayout;
    layout->addLayout(rows_);
    // Plain buttons: the standard buttons of a QDialogButtonBox (their icons from the platform
    // theme) crashed the end of the window tests under X11, where the QApplication is a static.
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const auto& kinds = Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].kind == start.kind) {
            kind_->setCurrentIndex(static_cast<int>(i));
        }
    }
    rebuild(start);
    connect(kind_, &QComboBox::activated, this, [this] {
        models::ProcessForm kept = form();
        kept.kind = Kinds()[static_cast<std::size_t>(kind_->currentIndex())].kind;
        rebuild(kept);
    });
}

void ProcessDialog::rebuild(const models::ProcessForm& shown) {
    while (rows_->rowCount() > 0) {
        rows_->removeRow(0);
    }
    inlets_.clear();
    flows_.clear();
    flowUnits_.clear();
    texts_.clear();
    targetInput_ = nullptr;
    targetHumidity_ = nullptr;

    const KindInfo& info = InfoOf(shown.kind);
    for (int i = 0; i < info.inlets; ++i) {
        const auto n = static_cast<std::size_t>(i);
        auto* inlet = new QComboBox;
        inlet->setObjectName(QStringLiteral("Inlet%1").arg(i + 1));
        for (const Point& point : model_.set().points()) {
            inlet->addItem(qs(point.name));
        }
        if (n < shown.inlets.size()) {
            inlet->setCurrentText(qs(shown.inlets[n]));
        }
        auto* flow = new QLineEdit(n < shown.flowTexts.size() ? qs(shown.flowTexts[n]) : "");
        flow->setObjectName(QStringLiteral("Flow%1").arg(i + 1));
        auto* unit = new QComboBox;
        unit->setObjectName(QStringLiteral("FlowUnit%1").arg(i + 1));
        for (FlowUnit u : kFlowUnits) {
            unit->addItem(qs(NameOf(u)));
        }
        unit->setCurrentText(
            qs(NameOf(n < shown.flowUnits.size() ? shown.flowUnits[n] : model_.loadUnits().flow)));
        const QString stream = info.inlets == 2 ? QStringLiteral(" %1").arg(i + 1) : QString();
        rows_->addRow(QStringLiteral("Entering point") + stream, inlet);
        rows_->addRow(QStringLiteral("Air flow") + stream, flow);
        rows_->addRow(QStringLiteral("Air-flow unit") + stream, unit);
        inlets_.push_back(inlet);
        flows_.push_back(flow);
        flowUnits_.push_back(unit);
    }
    for (Parameter p : info.parameters) {
        const auto text = shown.texts.find(p);
        auto* edit = new QLineEdit(text != shown.texts.end() ? qs(text->second) : "");
        edit->setObjectName(qs(InfoOf(p).key));
        rows_->addRow(Caption(p, model_.shownUnits(), model_.loadUnits()), edit);
        texts_[p] = edit;
        if (p == Parameter::Target) {
            targetInput_ = new QComboBox;
            targetInput_->setObjectName(QStringLiteral("TargetHumidityInput"));
            targetInput_->addItem(QStringLiteral("Relative humidity (%)"));
            targetInput_->addItem(qs("Humidity ratio (" + model_.shownUnits().humidityRatio + ")"));
            targetInput_->setCurrentIndex(
                shown.targetHumidityInput == HumidityInput::HumidityRatio ? 1 : 0);
            targetHumidity_ = new QLineEdit(qs(shown.targetHumidityText));
            targetHumidity_->setObjectName(QStringLiteral("TargetHumidity"));
            rows_->addRow(QStringLiteral("Leaving humidity given as"), targetInput_);
            rows_->addRow(QStringLiteral("Leaving humidity"), targetHumidity_);
        }
    }
}

models::ProcessForm ProcessDialog::form() const {
    models::ProcessForm form;
    form.kind = Kinds()[static_cast<std::size_t>(kind_->currentIndex())].kind;
    for (std::size_t i = 0; i < inlets_.size(); ++i) {
        form.inlets.push_back(inlets_[i]->currentText().toStdString());
        form.flowTexts.push_back(flows_[i]->text().toStdString());
        form.flowUnits.push_back(
            kFlowUnits[static_cast<std::size_t>(flowUnits_[i]->currentIndex())]);
    }
    for (const auto& [p, edit] : texts_) {
        form.texts[p] = edit->text().toStdString();
    }
    if (targetInput_ != nullptr) {
        form.targetHumidityInput = targetInput_->currentIndex() == 1
                                       ? HumidityInput::HumidityRatio
                                       : HumidityInput::RelativeHumidity;
        form.targetHumidityText = targetHumidity_->text().toStdString();
    }
    return form;
}

} // namespace hygrovane::views
