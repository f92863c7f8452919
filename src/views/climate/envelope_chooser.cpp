#include "views/climate/envelope_chooser.h"

#include "models/climate_envelopes.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace hygrovane::views {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

EnvelopeChooser::EnvelopeChooser(QWidget* owner) : QWidget(owner) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Envelopes on the chart"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("envelopes"));
    for (const envelopes::Envelope& envelope : models::OfferedEnvelopes()) {
        auto* item = new QListWidgetItem(qs(envelope.name), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setToolTip(qs(envelope.edition + ": " + envelope.title));
    }
    list_->setMinimumWidth(250);
    layout->addWidget(list_, 1);
    typed_ = new QPlainTextEdit(this);
    typed_->setObjectName(QStringLiteral("userEnvelopes"));
    typed_->setPlaceholderText(
        QStringLiteral("Store: db 15..25; rh 30..60\nDry: dp ..10; db 10.."));
    typed_->setMaximumHeight(60);
    layout->addWidget(typed_);
    auto* applyButton = new QPushButton(QStringLiteral("Apply envelopes"), this);
    applyButton->setObjectName(QStringLiteral("applyEnvelopes"));
    layout->addWidget(applyButton);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("envelopeMessage"));
    message_->setWordWrap(true);
    message_->setMaximumWidth(260);
    layout->addWidget(message_);
    connect(list_, &QListWidget::itemChanged, this, &EnvelopeChooser::apply);
    connect(applyButton, &QPushButton::clicked, this, &EnvelopeChooser::apply);
}

void EnvelopeChooser::tick(const std::vector<std::string>& names) {
    {
        const QSignalBlocker quiet(list_);
        for (int i = 0; i < list_->count(); ++i) {
            QListWidgetItem* item = list_->item(i);
            const bool named =
                std::find(names.begin(), names.end(), item->text().toStdString()) != names.end();
            item->setCheckState(named ? Qt::Checked : Qt::Unchecked);
        }
    }
    apply();
}

bool EnvelopeChooser::applyTyped(const std::string& text) {
    const auto typed = models::ParseUserEnvelopes(text);
    if (!typed) {
        message_->setText(qs(typed.error()));
        return false;
    }
    typed_->setPlainText(qs(text));
    apply();
    return true;
}

void EnvelopeChooser::apply() {
    const auto typed = models::ParseUserEnvelopes(typed_->toPlainText().toStdString());
    if (!typed) {
        message_->setText(qs(typed.error()));
        return;
    }
    message_->clear();
    std::vector<envelopes::Envelope> envelopes;
    const std::vector<envelopes::Envelope> offered = models::OfferedEnvelopes();
    for (int i = 0; i < list_->count() && i < static_cast<int>(offered.size()); ++i) {
        if (list_->item(i)->checkState() == Qt::Checked) {
            envelopes.push_back(offered[static_cast<std::size_t>(i)]);
        }
    }
    envelopes.insert(envelopes.end(), typed->begin(), typed->end());
    if (chosen) {
        chosen(std::move(envelopes));
    }
}

} // namespace hygrovane::views
