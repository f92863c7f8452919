#include "case_support.h"

#include "casefile/report.h"
#include "models/calculator/calculate.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace hygrovane::casefile {
namespace {

using testing::TestWindow;

const QDate kDate{2024, 3, 7};

AmbientForm Calculated(const std::function<void(TestWindow&)>& setUp) {
    TestWindow window;
    setUp(window);
    return window.form();
}

TEST(ReportText, CompleteReports) {
    const struct {
        const char* file;
        std::function<void(TestWindow&)> setUp;
        int formulationCode;
    } rows[] = {
        {"report_startup.txt", [](TestWindow&) {}, 1},
        {"report_british_hw.txt",
         [](TestWindow& w) {
             w.Units(UnitSystem::British);
             w.HylandWexler(true);
             w.Type(1, "77");
             w.Type(2, "14.696");
         },
         2},
        // Water: 17.7 % by volume, 11.8 % by weight.
        {"report_humid.txt", [](TestWindow& w) { w.Type(1, "60"), w.Type(4, "90"); }, 1},
        {"report_atmosphere.txt", [](TestWindow& w) { w.Pick(11, 6); }, 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReportText(Calculated(row.setUp),
                             static_cast<SatFormulation>(row.formulationCode), kDate),
                  testing::ReadBytes(HYGROVANE_SOURCE_DIR "/tests/casefile/data/" +
                                     std::string(row.file)))
            << row.file;
    }
}

// Each row changes the calculated start-up window and checks one whole line of the report.
TEST(ReportText, LinesThatDependOnTheState) {
    const struct {
        const char* name;
        std::function<void(AmbientForm&)> setUp;
        int formulationCode;
        std::string expected;
    } rows[] = {
        {"g per kg: 5 blanks after the unit", [](AmbientForm& f) { f.Combo6.listIndex = 1; }, 1,
         "     Humidity Ratio      (g moisture)/(kg dry air)     .0098833       0              "
         ".0200857"},
        {"dry air: H2O zeros after 20 and 14 blanks",
         [](AmbientForm& f) { f.state.x_w = 0, f.state.w_w = 0; }, 1,
         "     H2O                    0.0000              0.0000"},
        {"10 % water by volume, under 10 % by weight",
         [](AmbientForm& f) { f.state.x_w = 0.1, f.state.w_w = 0.0646; }, 1,
         "     H2O                   10.0000              6.4600"},
        {"pieces longer than their column get no blanks",
         [](AmbientForm& f) {
             f.Text5.text = "123456789012345678";
             f.Label17.caption = "-1234567890.12345";
         },
         1,
         "     Dew Point Temperature            C                "
         "123456789012345678-1234567890.12345*25"},
        {"decimal comma of the locale in the composition",
         [](AmbientForm& f) { f.decimalSeparator = ","; }, 1,
         "     O2                    20,6199             22,9150"},
        {"no formulation line for an unknown code", [](AmbientForm&) {}, 0,
         "Date (mm/dd/yyyy):   03/07/2024\r\n\r\nSystem of Units:  Metric"},
    };
    for (const auto& row : rows) {
        AmbientForm form = Calculated([](TestWindow&) {});
        row.setUp(form);
        const std::string report =
            ReportText(form, static_cast<SatFormulation>(row.formulationCode), kDate);
        EXPECT_NE(report.find("\r\n" + row.expected + "\r\n"), std::string::npos)
            << row.name << "\n"
            << report;
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

TEST(WriteReport, WritesTodaysReportToATxtFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("case").toStdString();
    const AmbientForm form = Calculated([](TestWindow&) {});
    ASSERT_TRUE(WriteReport(form, path, SatFormulation::IAPWS).has_value());
    const QDate today = QDate::currentDate();
    EXPECT_EQ(testing::ReadBytes(path + ".txt"), ReportText(form, SatFormulation::IAPWS, today));
}

} // namespace
} // namespace hygrovane::casefile
