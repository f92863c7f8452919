#include "case_support.h"
#include "size_limit.h"

#include "casefile/case_file.h"
#include "casefile/report.h"
#include "models/calculator/calculate.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hygrovane::casefile {
namespace {

using hygrovane::testing::WithSizeLimit;

using namespace hygrovane::testing;
using Lines = std::vector<std::string>;

const std::string kStartupCase = "Hygrovane 1.1\r\nIAPWS\r\nMetric\r\nC\r\nkPa\r\nC\r\nC\r\n"
                                 "(kg moisture)/(kg dry air)\r\n(kg moisture)/m^3\r\nm\r\nkPa\r\n"
                                 "kJ/kg-K\r\nkg/kmol\r\nkg/m^3\r\nm^3/kg (dry air)\r\n"
                                 "kJ/kg (dry air)\r\n25\r\n1\r\n101.325\r\n1\r\n50\r\n";

class CaseFiles : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    void Write(const std::string& path, const std::string& bytes) const {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }
    QTemporaryDir dir_;
};

// Makes a started window far from the start-up state: British, Hyland-Wexler, altitude, mass
// fraction.
void MakeBritishHw(TestWindow& window) {
    window.Units(UnitSystem::British);
    window.HylandWexler(true);
    window.Type(1, "77");
    window.Choose(9);
    window.Type(10, "1000");
    window.Choose(7);
    window.Type(9, "1.5");
    window.log.clear();
}

TEST(CaseFileText, StartupCaseIsTheTwentyOneLinesWithCrLf) {
    EXPECT_EQ(CaseFileText(TestWindow().form()), kStartupCase);
}

TEST(CaseFileText, WritesEveryCheckedItemAndTheSelectedInputs) {
    TestWindow window;
    MakeBritishHw(window);
    AmbientForm form = window.form();
    form.menu_customized.checked = true; // an inconsistent window: both system lines appear
    const Lines lines = ReadCaseFields(CaseFileText(form));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 5),
              (Lines{"HW", "British", "Customized", "F"}));
    EXPECT_EQ(Lines(lines.begin() + 17, lines.end()), (Lines{"77", "2", "1000", "8", "1.5"}));
}

TEST(ReadCaseFields, SplitsWholeLines) {
    const struct {
        const char* name;
        std::string bytes;
        Lines fields;
    } rows[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"last line without ending", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"leading blanks and tabs dropped", "  \t a b \r\n", {"a b "}},
        {"comma stays in the field", "25,5\r\nx,y,z\r\n", {"25,5", "x,y,z"}},
        {"empty file", "", {}},
        {"only an ending", "\r\n", {""}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadCaseFields(row.bytes), row.fields) << row.name;
    }
}

// Events come only for what changed, in the order of the file.
TEST_F(CaseFiles, StartupFileWithLfRestoresMetricInAnotherWindow) {
    std::string lf = kStartupCase;
    std::erase(lf, '\r');
    Write(Path("case"), lf);
    const auto fields = LoadCaseFields(Path("case"));
    ASSERT_TRUE(fields.has_value());
    TestWindow window;
    MakeBritishHw(window);
    ApplyCaseFields(*fields, window.form(), window);
    EXPECT_EQ(CaseInputs(window.form()), CaseInputs(TestWindow().form()));
    EXPECT_EQ(window.log, (Lines{"combo1", "combo2", "combo3", "combo4", "combo6", "combo7",
                                 "combo10", "combo11", "combo12", "combo13", "combo14", "combo15",
                                 "combo16", "text1", "option8", "text2", "option2", "text4"}));
    window.log.clear();
    ApplyCaseFields(*fields, window.form(), window);
    EXPECT_EQ(window.log, Lines{});
}

// Each row edits the start-up file, opens it into the British window and changes a started
// window (or, with fromBritish, the British one) into what must result.
TEST(ApplyCaseFields, FaultyOrShortFiles) {
    const struct {
        const char* name;
        std::function<void(Lines&)> edit;
        bool fromBritish;
        std::function<void(TestWindow&)> expected;
    } rows[] = {
        {"misspelt formulation keeps it and reads the rest", [](Lines& l) { l[1] = "IAPWs"; },
         false, [](TestWindow& w) { w.HylandWexler(true); }},
        // "F" stays: no list was clicked that could notice it.
        {"misspelt unit keeps that list's selection", [](Lines& l) { l[3] = "c"; }, false,
         [](TestWindow& w) { w.form().Combo1.listIndex = 2; }},
        {"unknown pressure code is read as the humidity code",
         [](Lines& l) {
             l.resize(17), l.insert(l.end(), {"3", "2", "0.01"});
         },
         false,
         [](TestWindow& w) {
             w.Choose(9);
             w.Type(10, "1000"); // unchanged: no pressure was read
             w.Choose(1);
             w.Type(3, "0.01");
         }},
        {"decimal comma stays one field", [](Lines& l) { l[16] = "25,5"; }, false,
         [](TestWindow& w) { w.Type(1, "25,5"); }},
        // The lists after line 10 keep their British units in a window that reads Metric.
        {"file ending after line 10 applies what was read", [](Lines& l) { l.resize(10); }, true,
         [](TestWindow& w) {
             w.HylandWexler(false);
             AmbientForm& f = w.form();
             f.menu_british.checked = false;
             f.menu_metric.checked = true;
             f.Label27.caption = "Unit (Metric)";
             for (int n : {1, 2, 3, 4, 6, 7, 10}) {
                 f.Combo(n).listIndex = PresetPosition(n, UnitSystem::Metric);
             }
         }},
        {"empty file changes nothing", [](Lines& l) { l.clear(); }, true, [](TestWindow&) {}},
        {"unknown humidity code stops reading", [](Lines& l) { l[19] = "9"; }, false,
         [](TestWindow& w) { w.Choose(7), w.Type(9, "1.5"); }},
    };
    for (const auto& row : rows) {
        Lines lines = ReadCaseFields(kStartupCase);
        row.edit(lines);
        TestWindow window;
        MakeBritishHw(window);
        ApplyCaseFields(lines, window.form(), window);
        TestWindow expected;
        if (row.fromBritish) {
            MakeBritishHw(expected);
        }
        row.expected(expected);
        EXPECT_EQ(CaseInputs(window.form()), CaseInputs(expected.form())) << row.name;
    }
    // A file ending after the humidity code selects the option; its box is not typed into.
    Lines lines = ReadCaseFields(kStartupCase);
    lines.resize(20);
    TestWindow window;
    MakeBritishHw(window);
    ApplyCaseFields(lines, window.form(), window);
    EXPECT_EQ(window.log.back(), "option2");
    TestWindow expected;
    expected.form().Text4.text = window.form().Text4.text;
    EXPECT_EQ(CaseInputs(window.form()), CaseInputs(expected.form()));
}

// Input texts valid in each system's units: temperature, barometric pressure, altitude, then
// the humidity rows in the order of the window (relative humidity, humidity ratio, absolute
// humidity, dew point, wet bulb, partial pressure, mole and mass fraction).
struct SystemRow {
    UnitSystem system;
    std::array<const char*, 11> texts;
};
const SystemRow kSystems[] = {
    {UnitSystem::Metric,
     {"25", "101.325", "500", "50", "0.01", "0.01", "10", "15", "1.5", "1.5", "1"}},
    {UnitSystem::British,
     {"77", "14.696", "1640", "50", "0.01", "0.0006", "50", "60", "0.2", "1.5", "1"}},
    // Metric with four lists changed: K, g/m^3, mm Hg, cal/kg-K.
    {UnitSystem::Customized,
     {"298.15", "101.325", "500", "50", "0.01", "10", "10", "15", "11", "1.5", "1"}},
};
// The humidity options in the order of the window.
const std::vector<int> kHumidityOptions = [] {
    std::vector<int> options;
    for (const HumidityRow& row : kHumidityRows) {
        options.push_back(row.option);
    }
    return options;
}();

// Every text the window shows after a calculation.
std::string Outputs(const AmbientForm& form) {
    std::string text;
    for (int n = 1; n <= 25; ++n) {
        text += std::to_string(n) + ": Text=" + (n <= 16 ? form.Text(n).text : "") +
                " Label=" + (n >= 4 ? form.Labels(n).caption : "") + "\n";
    }
    for (const std::string& item : form.List1.items) {
        text += item + "\n";
    }
    return text;
}

// Units, Hyland-Wexler, altitude, index into kHumidityOptions.
using RoundTrip = std::tuple<SystemRow, bool, bool, int>;
class CaseRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CaseRoundTrip, OpeningInAnotherWindowRestoresEveryInputAndOutput) {
    const auto& [units, hylandWexler, altitude, humidity] = GetParam();
    TestWindow sourceWindow;
    sourceWindow.Units(units.system);
    for (const auto& [combo, index] : {std::pair{1, 1}, {7, 1}, {11, 5}, {12, 2}}) {
        if (units.system == UnitSystem::Customized) {
            sourceWindow.Pick(combo, index);
        }
    }
    sourceWindow.HylandWexler(hylandWexler);
    sourceWindow.Type(1, units.texts[0]);
    sourceWindow.Choose(8);
    sourceWindow.Type(2, units.texts[1]);
    sourceWindow.Choose(9);
    sourceWindow.Type(10, units.texts[2]);
    sourceWindow.Choose(altitude ? 9 : 8);
    sourceWindow.Choose(kHumidityOptions[humidity]);
    sourceWindow.Type(OptionBox(kHumidityOptions[humidity]), units.texts[3 + humidity]);
    const AmbientForm& source = sourceWindow.form();
    ASSERT_NE(source.Text12.text, "Error") << source.List1.items.back();

    // The same window with every input choice different.
    TestWindow window;
    window.Units(units.system == UnitSystem::Metric ? UnitSystem::British : UnitSystem::Metric);
    window.HylandWexler(!hylandWexler);
    window.Type(1, "0");
    window.Choose(altitude ? 8 : 9);
    window.Choose(kHumidityOptions[(humidity + 1) % kHumidityOptions.size()]);

    ApplyCaseFields(ReadCaseFields(CaseFileText(source)), window.form(), window);
    EXPECT_EQ(CaseInputs(window.form()), CaseInputs(source));
    Calculate(window.form()); // as the window does after opening
    EXPECT_EQ(Outputs(window.form()), Outputs(source));
}

std::string RoundTripName(const ::testing::TestParamInfo<RoundTrip>& info) {
    const auto& [units, hylandWexler, altitude, humidity] = info.param;
    const char* names[] = {"Metric", "British", "Customized"};
    return names[static_cast<int>(units.system)] + std::string(hylandWexler ? "_HW" : "_IAPWS") +
           (altitude ? "_Altitude" : "_Barometric") + "_Option" +
           std::to_string(kHumidityOptions[humidity]);
}

INSTANTIATE_TEST_SUITE_P(AllInputs, CaseRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kSystems), ::testing::Bool(),
                                            ::testing::Bool(),
                                            ::testing::Range<int>(0, kHumidityOptions.size())),
                         RoundTripName);

// The window applies fields only after a successful load, so untouched fields leave it as it was.
TEST_F(CaseFiles, LoadRefusesWhatIsNoCaseFileNamesItAndReadsNothing) {
    const struct {
        const char* name;
        std::string path;
        std::string bytes; // written to path first unless empty
        const char* reason;
        FileFailureKind kind;
    } rows[] = {
        {"missing file", Path("missing"), "", "does not exist", FileFailureKind::Missing},
        {"folder", dir_.path().toStdString(), "", "folder", FileFailureKind::NotAFile},
        {"binary file", Path("binary"), std::string("Hygrovane 1.1\r\nIA\0PWS\r\n", 24),
         "not a text file", FileFailureKind::Content},
        {"10 MB file", Path("large"), std::string(10'000'000, 'x'), "larger than 64 KiB",
         FileFailureKind::TooLarge},
        {"endless device", "/dev/zero", "", "not a regular file", FileFailureKind::NotAFile},
        {"no permission", Path("secret"), "Hygrovane 1.1\r\n", "ermission",
         FileFailureKind::System},
    };
    for (const auto& row : rows) {
        if (!row.bytes.empty()) {
            Write(row.path, row.bytes);
        }
        if (std::string(row.name) == "no permission") {
            if (geteuid() == 0) {
                continue; // root reads any file
            }
            chmod(row.path.c_str(), 0);
        }
        const auto fields = LoadCaseFields(row.path);
        ASSERT_FALSE(fields.has_value()) << row.name;
        const std::string& message = fields.error().message;
        EXPECT_NE(message.find(row.path), std::string::npos) << row.name << message;
        EXPECT_NE(message.find(row.reason), std::string::npos) << row.name << message;
        EXPECT_EQ(fields.error().kind, row.kind) << row.name;
    }
}

// The start-up case with line n (from 1) replaced, or cut after line n when with is null.
std::string StartupCaseWith(std::size_t n, const char* with) {
    Lines lines = ReadCaseFields(kStartupCase);
    if (with == nullptr) {
        lines.resize(n);
    } else {
        lines.at(n - 1) = with;
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// Nothing of a refused file is read; the message names the file and says what it is not.
TEST_F(CaseFiles, LoadRefusesWhatIsNotACompleteCase) {
    using Kind = CaseFailureKind;
    const AmbientForm calculated = TestWindow().form();
    const std::string longValue = "2.5" + std::string(kMaxCaseLineLength - 5, '0') + "e1";
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
        CaseFailureKind kind; // why the text is no case, whatever the words
    } rows[] = {
        {"meeting notes", "Meeting notes\r\n- buy coffee\r\n", "first line", Kind::NoTitle},
        {"empty file", "", "empty", Kind::Empty},
        {"report of the program", ReportText(calculated, SatFormulation::IAPWS, QDate(2024, 1, 1)),
         "first line", Kind::NoTitle},
        {"title without a version", StartupCaseWith(1, "Hygrovane"), "first line", Kind::NoTitle},
        {"title with more after it", StartupCaseWith(1, "Hygrovane 1.1 notes"), "first line",
         Kind::NoTitle},
        {"title of another program", StartupCaseWith(1, "Hygrometer 1.1"), "first line",
         Kind::NoTitle},
        {"version that is no number", StartupCaseWith(1, "Hygrovane 1..1"), "first line",
         Kind::NoTitle},
        {"cut after the temperature", StartupCaseWith(17, nullptr), "ends before",
         Kind::Incomplete},
        {"cut after the humidity code", StartupCaseWith(20, nullptr), "ends before",
         Kind::Incomplete},
        // An unknown pressure code has no value after it: one line less, but not two.
        {"unknown pressure code, cut after the humidity code",
         StartupCaseWith(17, nullptr) + "3\r\n1\r\n", "ends before", Kind::Incomplete},
        {"lone CR inside a line", StartupCaseWith(17, "2\r5"), "line 17 holds a line break",
         Kind::LineBreak},
        {"tab inside a value", StartupCaseWith(21, "5\t0"), "line 21 holds a control character",
         Kind::ControlCharacter},
        {"old Mac line ends", "Hygrovane 1.1\rIAPWS\r", "first line", Kind::NoTitle},
        {"line one character too long", StartupCaseWith(17, (longValue + "0").c_str()),
         "line 17 is longer than 256 characters", Kind::LongLine},
    };
    for (const auto& row : rows) {
        Write(Path("file"), row.bytes);
        const auto fields = LoadCaseFields(Path("file"));
        ASSERT_FALSE(fields.has_value()) << row.name;
        const std::string& message = fields.error().message;
        EXPECT_NE(message.find("\"" + Path("file") +
                               "\" was not opened: it is not a "
                               "complete Hygrovane case ("),
                  std::string::npos)
            << row.name << ": " << message;
        EXPECT_NE(message.find(row.reason), std::string::npos) << row.name << message;
        EXPECT_EQ(fields.error().kind, FileFailureKind::Content) << row.name;
        const auto checked = CheckCaseText(row.bytes);
        ASSERT_FALSE(checked.has_value()) << row.name;
        EXPECT_EQ(checked.error().kind, row.kind) << row.name;
    }
}

// What a complete case may vary in: each row opens into the British window and changes a started
// window into what must result.
TEST_F(CaseFiles, LoadAcceptsCompleteCasesAsTheyVary) {
    const std::string longValue = "2.5" + std::string(kMaxCaseLineLength - 5, '0') + "e1";
    std::string lf = kStartupCase;
    std::erase(lf, '\r');
    lf.erase(0, lf.find('\n') + 1);
    lf.erase(lf.size() - 3); // the title and the last line come as the row writes them
    const struct {
        const char* name;
        std::string bytes;
        std::function<void(TestWindow&)> expected;
    } rows[] = {
        {"another version", StartupCaseWith(1, "Hygrovane 12.0.3"), [](TestWindow&) {}},
        {"blanks after the title", StartupCaseWith(1, "Hygrovane 1.1  "), [](TestWindow&) {}},
        // "1 " neither selects nothing nor shifts the rest, and counts as the code it is.
        {"blanks after the codes",
         [] {
             std::string text = StartupCaseWith(18, "1  ");
             return text.replace(text.rfind("1\r\n50"), 1, "1 ");
         }(),
         [](TestWindow&) {}},
        {"LF line ends, leading blanks and tabs, last line without an ending",
         "  Hygrovane 1.1\n" + lf + "\t 50", [](TestWindow&) {}},
        {"lines after the case", kStartupCase + "notes\r\n", [](TestWindow&) {}},
        {"unknown pressure code", StartupCaseWith(18, "3").erase(kStartupCase.find("101.325"), 9),
         [](TestWindow& w) { w.Choose(9), w.Type(10, "1000"); }},
        {"unknown humidity code", StartupCaseWith(20, "9"),
         [](TestWindow& w) { w.Choose(7), w.Type(9, "1.5"); }},
        {"value of the longest length", StartupCaseWith(17, longValue.c_str()),
         [&](TestWindow& w) { w.Type(1, longValue); }},
    };
    for (const auto& row : rows) {
        Write(Path("case"), row.bytes);
        const auto fields = LoadCaseFields(Path("case"));
        ASSERT_TRUE(fields.has_value()) << row.name << ": " << fields.error().message;
        TestWindow window;
        MakeBritishHw(window);
        ApplyCaseFields(*fields, window.form(), window);
        TestWindow expected;
        row.expected(expected);
        EXPECT_EQ(CaseInputs(window.form()), CaseInputs(expected.form())) << row.name;
    }
}

// A value the case could not keep as it is writes nothing and leaves the old file as it was; the
// longest value that can be kept is written and opens.
TEST_F(CaseFiles, SaveRefusesAValueThatWouldNotOpenAsItIs) {
    const std::string oldBytes = "old case\r\n";
    const struct {
        const char* name;
        int box;
        std::string text;
        const char* reason; // nullptr: saved
    } rows[] = {
        {"pasted lines", 1, "30\n2\n8000\n3\n0.002", "a value holds a line break"},
        {"CR", 4, "50\r", "a value holds a line break"},
        {"tab", 2, "101\t325", "a value holds a control character"},
        {"too long", 2, std::string(kMaxCaseLineLength + 1, '1'), "longer than 256 characters"},
        {"longest", 2, std::string(kMaxCaseLineLength, '1'), nullptr},
    };
    for (const auto& row : rows) {
        Write(Path("case"), oldBytes);
        AmbientForm form = TestWindow().form();
        form.Text(row.box).text = row.text;
        const auto saved = SaveCase(form, Path("case"));
        EXPECT_EQ(saved.has_value(), row.reason == nullptr) << row.name;
        if (row.reason != nullptr && !saved) {
            const std::string& message = saved.error().message;
            EXPECT_NE(message.find(Path("case")), std::string::npos) << message;
            EXPECT_NE(message.find(row.reason), std::string::npos) << message;
            EXPECT_EQ(ReadBytes(Path("case")), oldBytes) << row.name;
        } else if (row.reason == nullptr) {
            EXPECT_TRUE(LoadCaseFields(Path("case")).has_value()) << row.name;
        }
    }
}

TEST_F(CaseFiles, SaveReplacesAnExistingFileCompletely) {
    Write(Path("case"), std::string(5000, 'x'));
    EXPECT_TRUE(SaveCase(TestWindow().form(), Path("case")).has_value());
    EXPECT_EQ(ReadBytes(Path("case")), CaseFileText(TestWindow().form()));
}

// Both writers go through the same path: each failure is reported with the file's name, and the
// existing files keep their bytes with no temporary file left behind.
TEST_F(CaseFiles, FailedWritesReportAndLeaveExistingFilesUntouched) {
    const std::string oldBytes = "old case\r\n";
    Write(Path("existing.txt"), oldBytes);
    Write(Path("file.txt"), oldBytes); // a file, not a folder
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.txt"));
    AmbientForm form = TestWindow().form();
    Calculate(form);

    const struct {
        const char* name;
        std::string path; // ends in ".txt" so that both writers use it as it is
        rlim_t sizeLimit = RLIM_INFINITY;
    } rows[] = {
        {"path under a regular file", Path("file.txt/case.txt")},
        {"missing folder", Path("missing/case.txt")},
        {"onto a folder", Path("folder.txt")},
        {"full disk", Path("existing.txt"), 16},
    };
    for (const auto& row : rows) {
        for (const bool report : {false, true}) {
            const auto written = WithSizeLimit(row.sizeLimit, [&] {
                return report ? WriteReport(form, row.path, SatFormulation::IAPWS)
                              : SaveCase(form, row.path);
            });
            ASSERT_FALSE(written.has_value()) << row.name << (report ? " report" : " case");
            EXPECT_NE(written.error().message.find(row.path), std::string::npos)
                << written.error().message;
        }
    }
    EXPECT_EQ(ReadBytes(Path("existing.txt")), oldBytes);
    EXPECT_EQ(ReadBytes(Path("file.txt")), oldBytes);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);
}

TEST(SaveCase, RefusesADeviceInsteadOfReplacingIt) {
    ASSERT_TRUE(std::filesystem::is_character_file("/dev/full"));
    EXPECT_FALSE(SaveCase(TestWindow().form(), "/dev/full").has_value());
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

} // namespace
} // namespace hygrovane::casefile
