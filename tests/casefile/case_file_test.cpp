#include "case_support.h"

#include "casefile/case_file.h"

#include <gtest/gtest.h>

#include <functional>

namespace hygrovane::casefile {
namespace {

using testing::CaseInputs;
using testing::ChooseOption;
using testing::RecordingEvents;
using testing::SelectPreset;
using testing::StartupForm;
using testing::WindowEvents;
using units::UnitSystem;

const std::vector<std::string> kStartupLines = {"Hygrovane 1.1",
                                                "IAPWS",
                                                "Metric",
                                                "C",
                                                "kPa",
                                                "C",
                                                "C",
                                                "(kg moisture)/(kg dry air)",
                                                "(kg moisture)/m^3",
                                                "m",
                                                "kPa",
                                                "kJ/kg-K",
                                                "kg/kmol",
                                                "kg/m^3",
                                                "m^3/kg (dry air)",
                                                "kJ/kg (dry air)",
                                                "25",
                                                "1",
                                                "101.325",
                                                "1",
                                                "50"};

std::string Joined(const std::vector<std::string>& lines, const std::string& ending) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + ending;
    }
    return text;
}

// A window far from the start-up state: British, Hyland-Wexler, altitude, mass fraction.
FormAmbient OtherForm() {
    FormAmbient form = StartupForm();
    SelectPreset(form, UnitSystem::British);
    form.menu_IAPWS.checked = false;
    form.menu_HW.checked = true;
    ChooseOption(form, 9);
    ChooseOption(form, 7);
    form.Text1.text = "77";
    form.Text10.text = "1000";
    form.Text9.text = "1.5";
    return form;
}

TEST(CaseFileText, StartupCaseIsTheTwentyOneLinesWithCrLf) {
    EXPECT_EQ(CaseFileText(StartupForm()), Joined(kStartupLines, "\r\n"));
}

TEST(CaseFileText, WritesTheSelectedPressureAndHumidityAndEveryCheckedItem) {
    FormAmbient form = OtherForm();
    form.menu_customized.checked = true; // an inconsistent window: both system lines appear
    std::vector<std::string> lines = ReadCaseFields(CaseFileText(form));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[1], "HW");
    EXPECT_EQ(lines[2], "British");
    EXPECT_EQ(lines[3], "Customized");
    EXPECT_EQ(lines[4], "F");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 17, lines.end()),
              (std::vector<std::string>{"77", "2", "1000", "8", "1.5"}));
}

TEST(ReadCaseFields, SplitsWholeLines) {
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> fields;
    };
    const Row rows[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"last line without ending", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"leading blanks and tabs dropped", "  \t a b \r\n", {"a b "}},
        {"comma stays in the field", "25,5\r\nx,y,z\r\n", {"25,5", "x,y,z"}},
        {"empty file", "", {}},
        {"only an ending", "\r\n", {""}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ReadCaseFields(row.bytes), row.fields) << row.name;
    }
}

TEST(ApplyCaseFields, StartupFileRestoresMetricInAnotherWindow) {
    FormAmbient form = OtherForm();
    WindowEvents events(form);
    ApplyCaseFields(ReadCaseFields(Joined(kStartupLines, "\n")), form, events);
    EXPECT_EQ(CaseInputs(form), CaseInputs(StartupForm()));
}

TEST(ApplyCaseFields, RaisesEventsOnlyForChangesInFileOrder) {
    RecordingEvents unchanged;
    FormAmbient startup = StartupForm();
    ApplyCaseFields(kStartupLines, startup, unchanged);
    EXPECT_TRUE(unchanged.log.empty());

    FormAmbient form = OtherForm();
    form.Text2.text = "90"; // computed from the altitude
    form.Text4.text = "40";
    RecordingEvents events;
    ApplyCaseFields(kStartupLines, form, events);
    const std::vector<std::string> expected = {
        "combo1",  "combo2",  "combo3",  "combo4",  "combo6",  "combo7",
        "combo10", "combo11", "combo12", "combo13", "combo14", "combo15",
        "combo16", "text1",   "option8", "text2",   "option2", "text4"};
    EXPECT_EQ(events.log, expected);
}

TEST(ApplyCaseFields, FaultyOrShortFiles) {
    struct Row {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        std::function<FormAmbient()> expected;
    };
    const Row rows[] = {
        {"misspelt formulation keeps it and reads the rest",
         [](auto& lines) { lines[1] = "IAPWs"; },
         [] {
             FormAmbient f = StartupForm();
             f.menu_IAPWS.checked = false;
             f.menu_HW.checked = true;
             return f;
         }},
        {"misspelt unit keeps that list's selection", [](auto& lines) { lines[3] = "c"; },
         [] {
             FormAmbient f = StartupForm();
             f.Combo1.listIndex = 2; // "F" stayed; no list was clicked that could notice it
             return f;
         }},
        {"unknown pressure code is read as the humidity code",
         [](auto& lines) {
             lines.resize(17);
             lines.insert(lines.end(), {"3", "2", "0.01"});
         },
         [] {
             FormAmbient f = StartupForm();
             ChooseOption(f, 9);
             f.Text10.text = "1000"; // unchanged: no pressure was read
             ChooseOption(f, 1);
             f.Text3.text = "0.01";
             return f;
         }},
        {"decimal comma stays one field", [](auto& lines) { lines[16] = "25,5"; },
         [] {
             FormAmbient f = StartupForm();
             f.Text1.text = "25,5";
             return f;
         }},
        {"file ending after line 10 applies what was read", [](auto& lines) { lines.resize(10); },
         [] {
             FormAmbient f = OtherForm();
             SelectPreset(f, UnitSystem::Metric);
             f.menu_IAPWS.checked = true;
             f.menu_HW.checked = false;
             for (int n = 11; n <= 16; ++n) {
                 f.Combo(n).listIndex = units::PresetPosition(n, UnitSystem::British);
             }
             return f;
         }},
        {"file ending after the humidity code selects the option",
         [](auto& lines) { lines.resize(20); },
         [] {
             FormAmbient f = StartupForm();
             f.Text9.text = "1.5";
             return f;
         }},
        {"empty file changes nothing", [](auto& lines) { lines.clear(); },
         [] { return OtherForm(); }},
        {"unknown humidity code stops reading", [](auto& lines) { lines[19] = "9"; },
         [] {
             FormAmbient f = StartupForm();
             ChooseOption(f, 7);
             f.Text9.text = "1.5";
             return f;
         }},
    };
    for (const Row& row : rows) {
        std::vector<std::string> lines = kStartupLines;
        row.edit(lines);
        FormAmbient form = OtherForm();
        WindowEvents events(form);
        ApplyCaseFields(lines, form, events);
        EXPECT_EQ(CaseInputs(form), CaseInputs(row.expected())) << row.name;
    }
}

} // namespace
} // namespace hygrovane::casefile
