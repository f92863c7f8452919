#pragma once

// The views' controls drawn from their models, and the user's actions passed back to them.
#include "views/common/view_support.h"

#include <QComboBox>
#include <QLineEdit>

class QLabel;

namespace hygrovane::views {

// The caption and its background.
void DrawLabel(QLabel& label, const Label& model);
// The text (set only when it differs, so that the caret stays), read-only and the background.
void DrawBox(QLineEdit& edit, const TextBox& model);
// The items of a list.
void FillList(QComboBox& combo, const ComboBox& model);

// A user's pick in the list: the model's index is set, then `then` runs (the handler and the
// redraw). A change made by code raises nothing.
template <typename Then>
void OnPick(QComboBox& combo, ComboBox& model, QObject* context, Then then) {
    QObject::connect(&combo, &QComboBox::activated, context, [&model, then](int index) {
        model.listIndex = index;
        then();
    });
}

// A user's edit of the box: the model's text is set, then `then` runs. A change made by code
// raises nothing.
template <typename Then> void OnEdit(QLineEdit& edit, TextBox& model, QObject* context, Then then) {
    QObject::connect(&edit, &QLineEdit::textEdited, context, [&model, then](const QString& text) {
        model.text = text.toStdString();
        then();
    });
}

} // namespace hygrovane::views
