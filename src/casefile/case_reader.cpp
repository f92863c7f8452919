#include "casefile/case_codes.h"
#include "casefile/case_file.h"
#include "casefile/case_line.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <tuple>

namespace hygrovane::casefile {

namespace {

// A case file is about 300 bytes; anything far larger is not one.
constexpr std::size_t kMaxCaseFileBytes = 64 * 1024;

std::string withoutLeadingBlanks(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string() : std::string(line.substr(start));
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// A code as written, without the blanks a hand edit may leave after it: "1 " is read as "1"
// rather than as an unknown code that would shift every later field.
std::string_view codeOf(const std::string& field) {
    return withoutTrailingBlanks(field);
}

// Calls visit(line) for each line of bytes without its ending (LF, or CR LF), as the fields are
// split; stops when visit returns false.
template <typename Visit> void forEachLine(std::string_view bytes, Visit visit) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!visit(line)) {
            return;
        }
    }
}

// "Hygrovane", one blank and a version number of digits and points ("1.1", "2", "10.0.3").
bool isTitleLine(std::string_view field) {
    constexpr std::string_view kTitle = "Hygrovane ";
    if (!field.starts_with(kTitle)) {
        return false;
    }
    const std::string_view version = withoutTrailingBlanks(field.substr(kTitle.size()));
    bool digitBefore = false;
    for (char c : version) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && (c != '.' || !digitBefore)) {
            return false;
        }
        digitBefore = digit;
    }
    return digitBefore;
}

// The number of fields a complete case holds, following its pressure code: the title, formulation,
// unit system, 13 units, temperature, pressure code, the pressure value after a known code, then
// the humidity code and value. Which humidity code it is does not matter.
std::size_t completeFieldCount(const std::vector<std::string>& fields) {
    constexpr std::size_t kPressureCodeIndex = 3 + kStoredCombos.size() + 1;
    std::size_t count = kPressureCodeIndex + 1 + 2;
    if (fields.size() > kPressureCodeIndex) {
        const std::string_view code = codeOf(fields[kPressureCodeIndex]);
        const bool known =
            std::any_of(kPressureRows.begin(), kPressureRows.end(),
                        [&](const PressureRow& row) { return row.caseCode == code; });
        count += known ? 1 : 0;
    }
    return count;
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

void applyFormulation(const std::string& field, AmbientForm& form) {
    if (field == "IAPWS" || field == "HW") {
        form.menu_IAPWS.checked = field == "IAPWS";
        form.menu_HW.checked = field == "HW";
    }
}

void applyUnitSystem(const std::string& field, AmbientForm& form) {
    if (field != "Metric" && field != "British" && field != "Customized") {
        return;
    }
    form.menu_metric.checked = field == "Metric";
    form.menu_british.checked = field == "British";
    form.menu_customized.checked = field == "Customized";
    form.Labels(kUnitSystemLabel).caption = "Unit (" + field + ")";
}

void applyUnit(const std::string& field, int comboNumber, AmbientForm& form, CaseEvents& events) {
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

void applyText(const std::string& field, int textNumber, AmbientForm& form, CaseEvents& events) {
    TextBox& box = form.Text(textNumber);
    if (box.text != field) {
        box.text = field;
        events.textChanged(textNumber);
    }
}

// Selects optionNumber and clears the rest of its group, as a click on it would.
template <typename Group>
void selectOption(int optionNumber, const Group& group, AmbientForm& form, CaseEvents& events) {
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
    forEachLine(bytes, [&](std::string_view line) {
        fields.push_back(withoutLeadingBlanks(line));
        return true;
    });
    return fields;
}

Expected<Done, CaseFailure> CheckCaseText(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) {
        return Fail(CaseFailure{CaseFailureKind::NotText, "it is not a text file"});
    }
    if (bytes.empty()) {
        return Fail(CaseFailure{CaseFailureKind::Empty, "it is empty"});
    }
    const std::vector<std::string> fields = ReadCaseFields(bytes);
    if (!isTitleLine(fields.front())) {
        return Fail(CaseFailure{CaseFailureKind::NoTitle,
                                "its first line is not \"Hygrovane\" and a version number"});
    }
    Expected<Done, CaseFailure> checked = Done{};
    std::size_t number = 0;
    forEachLine(bytes, [&](std::string_view line) {
        ++number;
        // The blanks and tabs that start a line are not part of its field.
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
        if (const auto kept = CheckCaseLine(line); !kept) {
            checked = Fail(CaseFailure{kept.error().kind, "line " + std::to_string(number) + " " +
                                                              kept.error().message});
        }
        return checked.has_value();
    });
    if (checked && fields.size() < completeFieldCount(fields)) {
        return Fail(CaseFailure{CaseFailureKind::Incomplete,
                                "it ends before the value of its humidity input"});
    }
    return checked;
}

Expected<std::vector<std::string>, FileFailure> LoadCaseFields(const std::string& path) {
    const auto bytes = fileio::ReadSmallFile(path, kMaxCaseFileBytes, "case file");
    if (!bytes) {
        return Fail(bytes.error());
    }
    if (const auto checked = CheckCaseText(*bytes); !checked) {
        return Fail(FileFailure{FileFailureKind::Content,
                                "The file \"" + path +
                                    "\" was not opened: it is not a complete Hygrovane case (" +
                                    checked.error().message + ")."});
    }
    return ReadCaseFields(*bytes);
}

void ApplyCaseFields(const std::vector<std::string>& fields, AmbientForm& form,
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
    applyText(*field, kDryBulbBox, form, events);

    // Each option is selected before its value arrives, so the value recalculates.
    if ((field = cursor.next()) == nullptr) {
        return;
    }
    const auto pressure =
        std::find_if(kPressureRows.begin(), kPressureRows.end(),
                     [&](const PressureRow& p) { return p.caseCode == codeOf(*field); });
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
    const auto humidity =
        std::find_if(kHumidityRows.begin(), kHumidityRows.end(),
                     [&](const HumidityRow& h) { return h.caseCode == codeOf(*field); });
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
