#pragma once

#include "casefile/case_file.h"
#include "models/ambient_model.h"
#include "models/calculator/ambient_form.h"
#include "models/calculator/humidity_rows.h"
#include "models/calculator/unit_presets.h"
#include "models/fake_platform.h"

#include <QFile>

#include <sstream>
#include <string>
#include <vector>

namespace hygrovane::testing {

// The box that belongs to option n.
inline int OptionBox(int optionNumber) {
    if (const HumidityRow* row = HumidityRowOfOption(optionNumber)) {
        return row->box;
    }
    return PressureRowOfOption(optionNumber)->box;
}

struct WithFakePlatform {
    FakePlatform platform;
};

// The main window's own handlers over their model, started as the program starts them; the
// events an opened case raises are recorded in order ("combo2", "option9", "text10") before the
// handlers run.
class TestWindow : private WithFakePlatform, public models::AmbientModel {
  public:
    TestWindow() : models::AmbientModel(platform) { Form_Load(); }

    void Units(UnitSystem system) {
        system == UnitSystem::British ? menu_british_Click() : menu_metric_Click();
    }
    void HylandWexler(bool chosen) { chosen ? menu_HW_Click() : menu_IAPWS_Click(); }
    void Choose(int option) { Option_Click(option); }
    void Pick(int combo, int position) {
        form().Combo(combo).listIndex = position;
        Combo_Click(combo);
    }
    void Type(int box, const std::string& text) {
        form().Text(box).text = text;
        Text_Change(box);
    }

    void comboClicked(int n) override {
        log.push_back("combo" + std::to_string(n));
        AmbientModel::comboClicked(n);
    }
    void optionClicked(int n) override {
        log.push_back("option" + std::to_string(n));
        AmbientModel::optionClicked(n);
    }
    void textChanged(int n) override {
        log.push_back("text" + std::to_string(n));
        AmbientModel::textChanged(n);
    }
    std::vector<std::string> log;
};

// Everything a case file keeps, as one text, so that a failed comparison shows what differs.
inline std::string CaseInputs(const AmbientForm& form) {
    std::ostringstream out;
    out << "IAPWS=" << form.menu_IAPWS.checked << " HW=" << form.menu_HW.checked
        << " Metric=" << form.menu_metric.checked << " British=" << form.menu_british.checked
        << " Customized=" << form.menu_customized.checked << "\n"
        << form.Label27.caption << "\nText1=" << form.Text1.text << "\n";
    for (int n = 1; n <= kMainComboCount; ++n) {
        out << "Combo" << n << "=" << form.Combo(n).text() << "\n";
    }
    for (int n = 1; n <= 10; ++n) {
        const TextBox& box = form.Text(OptionBox(n));
        out << "Option" << n << "=" << form.Option(n).value << " Text" << OptionBox(n)
            << ".locked=" << box.locked;
        // Only the chosen boxes are inputs; the others show computed values.
        out << (form.Option(n).value ? " text=" + box.text : "") << "\n";
    }
    return out.str();
}

inline std::string ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

} // namespace hygrovane::testing
