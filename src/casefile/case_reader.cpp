#include "casefile/case_codes.h"
#include "casefile/case_file.h"
#include "casefile/file_io.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <tuple>

namespace hygrovane::casefile {

namespace {

// A case file is about 300 bytes; anything far larger is not one.
constexpr std::size_t kMaxCaseFileBytes = 64 * 1024;

std::string withoutLeadingBlanks(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string() : std::string(line.substr(start));
}

// Hands out the fields one after another; nothing once the file has ended.
class FieldCursor {
  public:
    explicit FieldCursor(const std::vector<std::string>& fields) : fields_(fields) {}
    const std::string* next() { return index_ < fields_.size() ? &fields_[index_++] : nullptr; }

  private:
    const std::vector<std::string>& fields_;
    std::size_t index_ = 0;
};

void applyFormulation(const std::string& field, FormAmbient& form) {
    if (field == "IAPWS" || field == "HW") {
        form.menu_IAPWS.checked = field == "IAPWS";
        form.menu_HW.checked = field == "HW";
    }
}

void applyUnitSystem(const std::string& field, FormAmbient& form) {
    if (field != "Metric" && field != "British" && field != "Customized") {
        return;
    }
    form.menu_metric.checked = field == "Metric";
    form.menu_british.checked = field == "British";
    form.menu_customized.checked = field == "Customized";
    form.Label27.caption = "Unit (" + field + ")";
}

void applyUnit(const std::string& field, int comboNumber, FormAmbient& form, CaseEvents& events) {
    ComboBox& combo = form.Combo(comboNumber);
    const auto found = std::find(combo.items.begin(), combo.items.end(), field);
    if (found == combo.items.end()) {
        return;
    }
    const int position = static_cast<int>(found - combo.items.begin());
    if (position != combo.listIndex) {
        combo.listIndex = position;
        events.comboClicked(comboNumber);
    }
}

void applyText(const std::string& field, int textNumber, FormAmbient& form, CaseEvents& events) {
    TextBox& box = form.Text(textNumber);
    if (box.text != field) {
        box.text = field;
        events.textChanged(textNumber);
    }
}

// Selects optionNumber and clears the rest of its group, as a click on it would.
template <typename Group>
void selectOption(int optionNumber, const Group& group, FormAmbient& form, CaseEvents& events) {
    const bool wasSelected = form.Option(optionNumber).value;
    for (int n : group) {
        form.Option(n).value = n == optionNumber;
    }
    if (!wasSelected) {
        events.optionClicked(optionNumber);
    }
}

template <typename Rows> std::array<int, std::tuple_size_v<Rows>> optionsOf(const Rows& rows) {
    std::array<int, std::tuple_size_v<Rows>> options{};
    std::transform(rows.begin(), rows.end(), options.begin(),
                   [](const auto& row) { return row.option; });
    return options;
}

} // namespace

std::vector<std::string> ReadCaseFields(std::string_view bytes) {
    std::vector<std::string> fields;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        fields.push_back(withoutLeadingBlanks(line));
    }
    return fields;
}

FileResult LoadCaseFields(const std::string& path, std::vector<std::string>& fields) {
    std::string bytes;
    FileResult result = ReadSmallFile(path, kMaxCaseFileBytes, bytes, "case file");
    if (result.ok) {
        fields = ReadCaseFields(bytes);
    }
    return result;
}

void ApplyCaseFields(const std::vector<std::string>& fields, FormAmbient& form,
                     CaseEvents& events) {
    FieldCursor cursor(fields);
    // The header line is not examined.
    if (cursor.next() == nullptr) {
        return;
    }
    const std::string* field = cursor.next();
    if (field == nullptr) {
        return;
    }
    applyFormulation(*field, form);

    // The unit system comes before the lists, so that the lists' handlers check their units
    // against it.
    if ((field = cursor.next()) == nullptr) {
        return;
    }
    applyUnitSystem(*field, form);
    for (int comboNumber : kStoredCombos) {
        if ((field = cursor.next()) == nullptr) {
            return;
        }
        applyUnit(*field, comboNumber, form, events);
    }

    if ((field = cursor.next()) == nullptr) {
        return;
    }
    applyText(*field, 1, form, events);

    // Each option is selected before its value arrives, so the value recalculates.
    if ((field = cursor.next()) == nullptr) {
        return;
    }
    const auto pressure = std::find_if(kPressureRows.begin(), kPressureRows.end(),
                                       [&](const PressureRow& p) { return p.caseCode == *field; });
    if (pressure != kPressureRows.end()) {
        selectOption(pressure->option, optionsOf(kPressureRows), form, events);
        if ((field = cursor.next()) == nullptr) {
            return;
        }
        applyText(*field, pressure->box, form, events);
    }
    // The humidity code is the next line, after an unknown pressure code too.
    if ((field = cursor.next()) == nullptr) {
        return;
    }
    const auto humidity = std::find_if(kHumidityRows.begin(), kHumidityRows.end(),
                                       [&](const HumidityRow& h) { return h.caseCode == *field; });
    if (humidity == kHumidityRows.end()) {
        return;
    }
    selectOption(humidity->option, optionsOf(kHumidityRows), form, events);
    if ((field = cursor.next()) == nullptr) {
        return;
    }
    applyText(*field, humidity->box, form, events);
}

} // namespace hygrovane::casefile
