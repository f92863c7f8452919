#include "views/common/control_binding.h"

#include <QLabel>

namespace hygrovane::views {

void DrawLabel(QLabel& label, const Label& model) {
    label.setText(QString::fromStdString(model.caption));
    SetBackground(label, model.background);
}

void DrawBox(QLineEdit& edit, const TextBox& model) {
    const QString text = QString::fromStdString(model.text);
    if (edit.text() != text) {
        edit.setText(text);
    }
    edit.setReadOnly(model.locked);
    SetBackground(edit, model.background);
}

void FillList(QComboBox& combo, const ComboBox& model) {
    for (const std::string& item : model.items) {
        combo.addItem(QString::fromStdString(item));
    }
}

} // namespace hygrovane::views
