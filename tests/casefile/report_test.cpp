#include "case_support.h"

#include "calculator/calculate.h"
#include "casefile/report.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace hygrovane::casefile {
namespace {

using testing::SelectPreset;
using testing::StartupForm;
using units::UnitSystem;

const ReportDate kDate{2024, 3, 7};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line has no CR LF";
    return lines;
}

std::string ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

// Checks that every row of every table starts its pieces at the table's columns.
void ExpectColumns(const std::string& report) {
    const std::map<std::string, std::vector<std::size_t>> kColumns = {
        {"Overal Information", {34, 48}},
        {"Humidity Parameters", {55, 70, 85}},
        {"Other Properties", {34, 53}},
    };
    std::string table;
    for (const std::string& line : Lines(report)) {
        const bool row = line.size() > 5 && line.starts_with("     ") && line[5] != ' ';
        if (!line.empty() && !line.starts_with(" ")) {
            table = line;
        } else if (row && kColumns.contains(table) && !line.starts_with("     Quantity")) {
            for (std::size_t column : kColumns.at(table)) {
                EXPECT_TRUE(line.size() > column && line[column - 1] == ' ' && line[column] != ' ')
                    << table << " column " << column << ": " << line;
            }
        } else if (row && table == "Air Composition" && !line.starts_with("     Species")) {
            // The percentages end at columns 34 and 54.
            EXPECT_TRUE(line.size() == 54 && line[33] != ' ' && line[34] == ' ') << line;
        }
    }
}

FormAmbient Calculated(std::function<void(FormAmbient&)> setUp) {
    FormAmbient form = StartupForm();
    setUp(form);
    Calculate(form);
    return form;
}

TEST(ReportText, CompleteReports) {
    struct Row {
        const char* file;
        std::function<void(FormAmbient&)> setUp;
        int formulationCode;
    };
    const Row rows[] = {
        {"report_startup.txt", [](FormAmbient&) {}, 1},
        {"report_british_hw.txt",
         [](FormAmbient& f) {
             SelectPreset(f, UnitSystem::British);
             f.menu_IAPWS.checked = false;
             f.menu_HW.checked = true;
             f.Text1.text = "77";
             f.Text2.text = "14.696";
         },
         2},
        {"report_humid.txt", // water: 17.7 % by volume, 11.8 % by weight
         [](FormAmbient& f) {
             f.Text1.text = "60";
             f.Text4.text = "90";
         },
         1},
        {"report_atmosphere.txt",
         [](FormAmbient& f) {
             SelectPreset(f, UnitSystem::Customized);
             f.Combo11.listIndex = 6;
         },
         1},
    };
    for (const Row& row : rows) {
        const std::string report = ReportText(Calculated(row.setUp), row.formulationCode, kDate);
        EXPECT_EQ(report,
                  ReadFile(std::string(HYGROVANE_SOURCE_DIR "/tests/casefile/data/") + row.file))
            << row.file;
        ExpectColumns(report);
    }
}

TEST(ReportText, LinesThatDependOnTheState) {
    struct Row {
        const char* name;
        std::function<void(FormAmbient&)> setUp;
        std::size_t line; // counted from 1
        std::string expected;
    };
    const std::string b5(5, ' ');
    const Row rows[] = {
        {"g per kg: 5 blanks after the unit", [](FormAmbient& f) { f.Combo6.listIndex = 1; }, 25,
         b5 + "Humidity Ratio" + std::string(6, ' ') + "(g moisture)/(kg dry air)" +
             std::string(5, ' ') + ".0098833" + std::string(7, ' ') + "0" + std::string(14, ' ') +
             ".0200857"},
        {"dry air: H2O zeros after 20 and 14 blanks",
         [](FormAmbient& f) {
             f.state.x_w = 0;
             f.state.w_w = 0;
         },
         65, b5 + "H2O" + std::string(20, ' ') + "0.0000" + std::string(14, ' ') + "0.0000"},
        {"10 % water by volume, under 10 % by weight",
         [](FormAmbient& f) {
             f.state.x_w = 0.1;
             f.state.w_w = 0.0646;
         },
         65, b5 + "H2O" + std::string(19, ' ') + "10.0000" + std::string(14, ' ') + "6.4600"},
        {"pieces longer than their column get no blanks",
         [](FormAmbient& f) {
             f.Text5.text = "123456789012345678";
             f.Label17.caption = "-1234567890.12345";
         },
         29,
         b5 + "Dew Point Temperature" + std::string(12, ' ') + "C" + std::string(16, ' ') +
             "123456789012345678-1234567890.12345*25"},
        {"decimal comma of the locale in the composition",
         [](FormAmbient& f) { f.decimalSeparator = ","; }, 62,
         b5 + "O2" + std::string(20, ' ') + "20,6199" + std::string(13, ' ') + "22,9150"},
        {"no formulation line for an unknown code", [](FormAmbient&) {}, 5,
         "System of Units:  Metric"},
    };
    for (const Row& row : rows) {
        FormAmbient form = Calculated([](FormAmbient&) {});
        row.setUp(form);
        const int code = std::string(row.name).starts_with("no formulation") ? 0 : 1;
        const std::vector<std::string> lines = Lines(ReportText(form, code, kDate));
        ASSERT_GE(lines.size(), row.line) << row.name;
        EXPECT_EQ(lines[row.line - 1], row.expected) << row.name;
    }
}

TEST(ReportFileName, AppendsTxtOnlyWhenMissing) {
    const std::pair<std::string, std::string> rows[] = {
        {"/tmp/report", "/tmp/report.txt"},
        {"/tmp/report.txt", "/tmp/report.txt"},
        {"/tmp/report.TXT", "/tmp/report.TXT"},
        {"/tmp/report.Txt", "/tmp/report.Txt"},
        {"/tmp/report.txt.bak", "/tmp/report.txt.bak.txt"},
        {"/tmp/txt", "/tmp/txt.txt"},
    };
    for (const auto& [path, expected] : rows) {
        EXPECT_EQ(ReportFileName(path), expected) << path;
    }
}

TEST(WriteReport, WritesTodaysReportAndReportsFailures) {
    QTemporaryDir dir;
    const std::string base = dir.filePath("case").toStdString();
    const FormAmbient form = Calculated([](FormAmbient&) {});
    ASSERT_TRUE(WriteReport(form, base, 1).ok);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(ReadFile(base + ".txt"),
              ReportText(form, 1, {today.year(), today.month(), today.day()}));

    for (const std::string& path : {dir.filePath("missing/report").toStdString(),
                                    dir.filePath("case.txt/report").toStdString()}) {
        const FileResult result = WriteReport(form, path, 1);
        EXPECT_FALSE(result.ok) << path;
        EXPECT_NE(result.message.find(path + ".txt"), std::string::npos) << result.message;
    }
}

} // namespace
} // namespace hygrovane::casefile
