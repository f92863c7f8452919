#include "views/processes/room_ratio_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* Edit(const char* name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(qs(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

RoomRatioDialog::RoomRatioDialog(const models::ProcessesModel& model,
                                 const models::RoomRatioForm& start, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Dialog_room_ratio"));
    setWindowTitle(QStringLiteral("Room ratio line"));
    const std::string unit = model.temperatureUnit();
    auto* layout = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    room_ = new QComboBox(this);
    room_->setObjectName(QStringLiteral("Room"));
    for (const processes::Point& point : model.set().points()) {
        room_->addItem(qs(point.name));
    }
    room_->setCurrentText(qs(start.room));
    ratio_ = Edit("Ratio", start.shrText, this);
    by_ = new QComboBox(this);
    by_->setObjectName(QStringLiteral("SupplyBy"));
    // In the order of SupplyBy.
    by_->addItem(qs("Supply dry bulb (" + unit + ")"));
    by_->addItem(qs("Difference below the room (" + unit + ")"));
    by_->setCurrentIndex(start.by == models::SupplyBy::DryBulb ? 0 : 1);
    supply_ = Edit("Supply", start.supplyText, this);
    name_ = Edit("SupplyName", start.supplyName, this);
    name_->setPlaceholderText(QStringLiteral("the next free name"));
    rows->addRow(QStringLiteral("Room"), room_);
    rows->addRow(QStringLiteral("Sensible heat ratio"), ratio_);
    rows->addRow(by_, supply_);
    rows->addRow(QStringLiteral("Supply point's name"), name_);
    layout->addLayout(rows);
    // Plain buttons, as in the process dialog (a QDialogButtonBox's icons crashed the tests).
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch();
    auto* draw = button("DrawLine", "Draw line");
    auto* supply = button("AddSupply", "Supply air on the line");
    auto* close = button("Cancel", "Close");
    draw->setDefault(true);
    layout->addLayout(buttons);
    connect(draw, &QPushButton::clicked, this, [this] {
        choice_ = Choice::DrawLine;
        accept();
    });
    connect(supply, &QPushButton::clicked, this, [this] {
        choice_ = Choice::AddSupply;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

models::RoomRatioForm RoomRatioDialog::form() const {
    return {room_->currentText().toStdString(), ratio_->text().toStdString(),
            by_->currentIndex() == 0 ? models::SupplyBy::DryBulb : models::SupplyBy::Difference,
            supply_->text().toStdString(), name_->text().toStdString()};
}

} // namespace hygrovane::views
