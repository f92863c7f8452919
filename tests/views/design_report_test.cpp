// The design report: its page layout on its own (column groups, rows per page, overlapping
// boxes), then the user's guide's air-handling unit written from the processes window as a PDF
// on A4 and Letter and read back with poppler's tools, and a long set split across pages.
#include "guide_examples.h"
#include "models/fake_platform.h"
#include "programs/hygrovane/program_start.h"
#include "qt_app.h"
#include "report_pdf.h"
#include "views/about/about_window.h"
#include "views/chart/chart_overlays.h"
#include "views/processes/processes_window.h"
#include "views/report/report_document.h"
#include "views/report/report_layout.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <map>
#include <set>

namespace hygrovane::views {
namespace {

using report::Item;
using report::Layout;
using testing::control;

TEST(ReportColumnWidths, TheWidestTextPlusTheGapAndALongTextColumnCapped) {
    // Widths measured: a name column of texts, a number column whose header is widest.
    const std::vector<std::vector<double>> measured = {{30, 80, 50}, {40, 12, 25}, {5}, {}};
    EXPECT_EQ(report::ColumnWidths(measured, {true, false, false, false}, 4, 1000),
              (std::vector<double>{84, 44, 9, 4}));
    // Capped: a text column only; a number column keeps its width whatever the cap.
    EXPECT_EQ(report::ColumnWidths(measured, {true, false, false, false}, 4, 60),
              (std::vector<double>{64, 44, 9, 4}));
    EXPECT_EQ(report::ColumnWidths(measured, {false, true, false, false}, 4, 20),
              (std::vector<double>{84, 24, 9, 4}));
}

TEST(ReportColumnGroups, TheNameColumnBeginsEveryGroupAndEachGroupFits) {
    struct Case {
        const char* name;
        std::vector<double> widths;
        double available;
        std::vector<std::vector<std::size_t>> groups;
    };
    const Case cases[] = {
        {"all fit", {10, 20, 30}, 60, {{0, 1, 2}}},
        {"one over", {10, 20, 30}, 59, {{0, 1}, {0, 2}}},
        {"three groups", {10, 20, 20, 20, 20}, 50, {{0, 1, 2}, {0, 3, 4}}},
        // A column wider than the page still goes in a group of its own beside the name.
        {"too wide", {10, 100, 5}, 50, {{0, 1}, {0, 2}}},
        {"name only", {10}, 5, {{0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(report::ColumnGroups(c.widths, c.available), c.groups) << c.name;
    }
}

TEST(ReportRowSlices, RowsFillEachPageAndNoneIsLostOrRepeated) {
    struct Case {
        const char* name;
        std::size_t rows;
        double first, room;
        std::vector<std::pair<std::size_t, std::size_t>> slices;
    };
    const Case cases[] = {
        {"fits on the page begun", 3, 50, 100, {{0, 3}}},
        {"continues on fresh pages", 25, 55, 100, {{0, 5}, {5, 15}, {15, 25}}},
        {"no room left: starts on the next page", 4, 5, 100, {{0, 0}, {0, 4}}},
        {"a page smaller than a row still takes one", 2, 0, 5, {{0, 0}, {0, 1}, {1, 2}}},
        {"no rows", 0, 50, 100, {{0, 0}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (const report::Slice& s : report::RowSlices(c.rows, 10, c.first, c.room)) {
            got.emplace_back(s.begin, s.end);
        }
        EXPECT_EQ(got, c.slices) << c.name;
    }
}

TEST(ReportOverlap, BoxesOverlapOnlyOnTheSamePageAndRulesAreIgnored) {
    const auto text = [](int page, QRectF box) {
        return Item{Item::Kind::Text, page, box, QStringLiteral("x")};
    };
    const Item rule{Item::Kind::Rule, 0, QRectF(0, 5, 100, 0)};
    EXPECT_FALSE(report::FirstOverlap({text(0, {0, 0, 10, 10}), text(0, {10, 0, 10, 10})}))
        << "touching boxes";
    EXPECT_FALSE(report::FirstOverlap({text(0, {0, 0, 10, 10}), text(1, {5, 5, 10, 10})}))
        << "other pages";
    EXPECT_FALSE(report::FirstOverlap({text(0, {0, 0, 10, 10}), rule}));
    const auto found = report::FirstOverlap(
        {text(0, {0, 0, 10, 10}), text(0, {20, 0, 5, 5}), text(0, {9, 9, 10, 10})});
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, std::make_pair(std::size_t{0}, std::size_t{2}));
}

// The program as main() starts it, with the processes window opened from its menu.
class DesignReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app::StartProgram(main, platform, std::nullopt, &overlays);
        delete main.findChild<AboutWindow*>();
        main.show();
        control<QAction>(main, "menu_processes")->trigger();
        window = openProcessesWindow();
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        if (window) {
            platform.answers = {models::Platform::Answer::No};
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The air-handling unit the user's guide walks through, built as it says.
    void BuildGuideUnit() {
        models::ProcessesModel& set = window->model();
        for (const guide::TypedState& state : guide::kAirHandlingStates) {
            testing::retype(main, "Text1", state.dryBulb);
            testing::retype(main, "Text4", state.relativeHumidity);
            control<QPushButton>(*window, "AddCurrentState")->click();
            ASSERT_EQ(set.RenamePoint(set.set().points().size() - 1, state.name),
                      models::CommandOutcome::Done);
        }
        for (const guide::GuideProcess& process : guide::AirHandlingProcesses()) {
            ASSERT_EQ(set.AddProcess(process.form<models::ProcessForm>()),
                      models::CommandOutcome::Done);
            ASSERT_EQ(set.RenamePoint(set.set().points().size() - 1, process.name),
                      models::CommandOutcome::Done);
        }
        window->redraw();
    }

    QApplication& app = testing::qtApp();
    testing::FakePlatform platform;
    ChartOverlays overlays;
    AmbientWindow main{platform};
    QPointer<ProcessesWindow> window;
    QTemporaryDir folder;
};

TEST_F(DesignReportTest, TheGuidesUnitOnA4AndLetterShowsItsTitleBlockEveryPointAndProcess) {
    BuildGuideUnit();
    ASSERT_TRUE(control<QPushButton>(*window, "designReportPdf"));
    ASSERT_TRUE(control<QPushButton>(*window, "printReport"));
    const report::ReportOptions asked{guide::kAirHandlingProject, guide::kAirHandlingNotes,
                                      QPageSize::A4};
    const tables::Table table = window->model().reportTables();
    ASSERT_EQ(table.sections.size(), 2U);
    for (const auto& [paper, name, sizeText] :
         {std::tuple{QPageSize::A4, "a4.pdf", "(A4)"},
          std::tuple{QPageSize::Letter, "letter.pdf", "(letter)"}}) {
        SCOPED_TRACE(name);
        report::ReportOptions options = asked;
        options.paper = paper;
        const QString path = folder.filePath(QString::fromLatin1(name));
        ASSERT_EQ(window->writeReportPdf(path.toStdString(), options),
                  models::CommandOutcome::Done);

        // The layout painted: nothing overlaps, the tables before the chart's own page.
        Layout layout;
        ASSERT_FALSE(report::ReportPdf(window->reportContent(options), paper, &layout).isEmpty());
        EXPECT_TRUE(NoOverlap(layout));
        EXPECT_EQ(std::count_if(layout.items.begin(), layout.items.end(),
                                [](const Item& i) { return i.kind == Item::Kind::Chart; }),
                  1);

        const QString info = Poppler(QStringLiteral("pdfinfo"), {path});
        EXPECT_TRUE(info.simplified().contains(QStringLiteral("Pages: %1").arg(layout.pages)))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QLatin1String(sizeText))) << info.toStdString();
        const QString fonts = Poppler(QStringLiteral("pdffonts"), {path});
        EXPECT_GT(fonts.split(QLatin1Char('\n')).size(), 3) << fonts.toStdString();
        for (const QString& line : fonts.split(QLatin1Char('\n')).mid(2)) {
            if (!line.trimmed().isEmpty()) {
                // The last columns: emb, sub, uni, object, ID (a type may have a blank).
                const QStringList columns = line.simplified().split(QLatin1Char(' '));
                EXPECT_EQ(columns.value(columns.size() - 5), "yes")
                    << "not embedded: " << line.toStdString();
            }
        }

        const QString text =
            Poppler(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-l"),
                     QString::number(layout.pages - 1), path, QStringLiteral("-")});
        EXPECT_TRUE(InOrder(text, {"Design report: Summer AHU", "Project", "Summer AHU", "Notes",
                                   "Level 3 open plan: 8000 m³/h, 25 % outdoor air",
                                   "Design day in July, supply at 16 °C", "Date",
                                   QDate::currentDate().toString(Qt::ISODate), "Pressure",
                                   "101.325 kPa", "Formulation", "Unit system", "SI", "Program",
                                   QString::fromStdString(report::ProgramVersion())}));
        for (const tables::Section& section : table.sections) {
            ASSERT_GT(section.rows.size(), 0U);
            for (const tables::Row& row : section.rows) {
                QStringList cells;
                for (const tables::Cell& cell : row.cells) {
                    if (!cell.Shown().empty()) {
                        cells << QString::fromStdString(cell.Shown());
                    }
                }
                EXPECT_TRUE(InOrder(LinesOf(text, cells.front()), cells))
                    << section.title << " row " << row.cells.front().Shown();
            }
        }
    }
}

TEST_F(DesignReportTest, SixtyPointsSplitAcrossPagesWithTheHeaderRepeated) {
    for (int n = 0; n < 60; ++n) {
        ASSERT_EQ(window->model().AddPoint(
                      {283.15 + n * 0.4, HumidityInput::RelativeHumidity, 0.3 + 0.01 * (n % 40)}),
                  models::CommandOutcome::Done);
    }
    window->redraw();
    const report::ReportOptions options{"Long set", "", QPageSize::Letter};
    Layout layout;
    const QByteArray pdf =
        report::ReportPdf(window->reportContent(options), options.paper, &layout);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(NoOverlap(layout));
    // Each page holding point rows has the header rows above them; every point's row is there
    // once.
    const tables::Table table = window->model().reportTables();
    const tables::Section& points = table.sections.front();
    double firstLeft = 1e9; // where the name column begins
    for (const Item& item : layout.items) {
        if (item.style == report::Style::Cell) {
            firstLeft = std::min(firstLeft, item.box.left());
        }
    }
    std::map<int, int> rowsOnPage;
    std::set<int> headed;
    std::map<QString, int> names;
    for (const Item& item : layout.items) {
        if (item.style == report::Style::Header && item.text == QLatin1String("DB")) {
            headed.insert(item.page);
        }
        if (item.style == report::Style::Cell && item.box.left() == firstLeft) {
            ++names[item.text];
            ++rowsOnPage[item.page];
        }
    }
    EXPECT_GE(rowsOnPage.size(), 2U);
    for (const auto& [page, rows] : rowsOnPage) {
        EXPECT_TRUE(headed.count(page)) << "page " << page + 1 << " has rows but no header";
    }
    for (const tables::Row& row : points.rows) {
        EXPECT_EQ(names[QString::fromStdString(row.cells.front().Shown())], 1)
            << row.cells.front().Shown();
    }
    QFile file(folder.filePath(QStringLiteral("long.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    const QString text =
        Poppler(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("2"),
                 QStringLiteral("-l"), QStringLiteral("2"), file.fileName(), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Points (continued)"))) << text.toStdString();
}

TEST_F(DesignReportTest, AnUnwritableFileIsRefusedWithAMessageAndNothingWritten) {
    BuildGuideUnit();
    const QString path = folder.filePath(QStringLiteral("no-such-folder/report.pdf"));
    platform.messages.clear();
    EXPECT_EQ(window->writeReportPdf(path.toStdString(), {}), models::CommandOutcome::Refused);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_NE(platform.messages.front().message.find("report.pdf"), std::string::npos);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace hygrovane::views
