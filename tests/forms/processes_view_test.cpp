#include "forms/ambient/ambient_view.h"
#include "forms/processes/process_dialog.h"
#include "forms/processes/processes_view.h"
#include "qt_app.h"
#include "windows/fake_platform.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace hygrovane::forms {
namespace {

using testing::control;
using testing::pick;

QString cell(QObject& window, const char* table, int row, int column) {
    const QTableWidgetItem* item = control<QTableWidget>(window, table)->item(row, column);
    return item != nullptr ? item->text() : QString();
}

// The main window without its About box, and the processes window opened from its menu.
class ProcessesViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main.handlers().showProcesses = [this] {
            window = showProcessesWindow(main, platform);
        };
        main.handlers().otherWindowsQueryUnload = [] {
            return openProcessesWindow() != nullptr && openProcessesWindow()->model().QueryClose();
        };
        main.load();
        main.show();
        control<QAction>(main, "menu_processes")->trigger();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->objectName(), "Form_processes");
    }
    void TearDown() override {
        window->model().New(); // nothing to ask about
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void typeInMain(const char* box, const char* text) { testing::retype(main, box, text); }

    QApplication& app = testing::qtApp();
    testing::FakePlatform platform;
    AmbientView main{platform};
    QPointer<ProcessesView> window;
};

TEST_F(ProcessesViewTest, TwoPointsMixedAndCooledShowTheirLoads) {
    control<QPushButton>(*window, "AddCurrentState")->click();
    typeInMain("Text1", "35");
    typeInMain("Text4", "40");
    control<QPushButton>(*window, "AddCurrentState")->click();
    EXPECT_EQ(cell(*window, "PointTable", 1, 1), "35");
    EXPECT_EQ(cell(*window, "PointTable", 1, 2), control(main, "Text3")->text());

    // The dialog rebuilds its rows for the kind picked, and gives what was typed.
    ProcessDialog dialog(window->model(), main.handlers().form(), {}, window);
    pick(dialog, "Kind", "Adiabatic mixing of two streams");
    pick(dialog, "Inlet2", "B");
    control(dialog, "Flow1")->setText("3000");
    control(dialog, "Flow2")->setText("1000");
    ASSERT_TRUE(window->model().AddProcess(dialog.form())) << platform.messages.back().message;
    pick(dialog, "Kind", "Cooling coil: apparatus dew point and bypass factor");
    pick(dialog, "Inlet1", "C");
    pick(dialog, "FlowUnit1", "upstream");
    control(dialog, "apparatusDewPoint")->setText("10");
    control(dialog, "bypassFactor")->setText("0.1");
    ASSERT_TRUE(window->model().AddProcess(dialog.form())) << platform.messages.back().message;
    window->redraw();

    EXPECT_EQ(control<QTableWidget>(*window, "ProcessTable")->rowCount(), 2);
    EXPECT_EQ(cell(*window, "ProcessTable", 0, 2), "A + B");
    EXPECT_TRUE(cell(*window, "ProcessTable", 1, 10).startsWith("-")); // the coil's load
    EXPECT_TRUE(cell(*window, "ProcessTable", 1, 14).startsWith("apparatus dew point 10 C"));
    pick(*window, "HeatUnit", "ton");
    EXPECT_TRUE(control<QTableWidget>(*window, "ProcessTable")
                    ->horizontalHeaderItem(10)
                    ->text()
                    .endsWith("(ton)"));

    // A new pressure in the main window recomputes the set when the window is next drawn.
    const QString W = cell(*window, "PointTable", 2, 2);
    typeInMain("Text2", "90");
    window->redraw();
    EXPECT_NE(cell(*window, "PointTable", 2, 2), W);
    EXPECT_TRUE(
        control<QLabel>(*window, "AmbientLabel")->text().startsWith("Barometric pressure 90 kPa"));
    testing::screenshot(*window, "processes-window.png");
}

TEST_F(ProcessesViewTest, EndingTheProgramAsksAboutAnUnsavedSet) {
    control<QPushButton>(*window, "AddCurrentState")->click();
    platform.answers = {Platform::Answer::Cancel};
    EXPECT_TRUE(main.handlers().Form_QueryUnload());
    ASSERT_EQ(platform.questions.size(), 1U);
    EXPECT_EQ(platform.questions[0].message, "Do you want to save the current process set first?");
}

} // namespace
} // namespace hygrovane::forms
