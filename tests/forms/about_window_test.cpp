#include "fake_platform.h"
#include "forms/about/about_window.h"
#include "forms/ambient/ambient_view.h"
#include "qt_app.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace hygrovane::forms {
namespace {

TEST(AboutForm, LoadsTheTitleAndVersionOfTheProgram) {
    FormAbout form;
    EXPECT_EQ(form.Caption, "About Hygrovane");
    Form_Load(form);
    EXPECT_EQ(form.Caption, "About Hygrovane 1.1");
    EXPECT_EQ(form.lblTitle, "Hygrovane 1.1");
    EXPECT_EQ(form.lblVersion, "Version 1.1.1");
}

TEST(AboutForm, WebPageButtonReportsOnlyAFailure) {
    for (bool opens : {true, false}) {
        testing::FakePlatform platform;
        platform.webPagesOpen = opens;
        FormAbout form;
        Command2_Click(form, platform);
        EXPECT_EQ(platform.webPages.size(), 1u);
        ASSERT_EQ(platform.messages.size(), opens ? 0u : 1u);
        if (!opens) {
            EXPECT_EQ(platform.messages[0].message, "Error when loading webpage!");
            EXPECT_EQ(platform.messages[0].title, ""); // the default title
        }
    }
}

// The program's start-up as main() wires it: the About box first, the main window when it closes.
class AboutStartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().showAbout = [this] {
            about = showAboutBox(platform, [this] { view.show(); });
        };
        view.load();
    }
    void TearDown() override {
        if (about) {
            about->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void closeAbout() {
        ASSERT_TRUE(about);
        about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(about, nullptr);
    }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    AmbientView view{platform};
    QPointer<AboutWindow> about;
};

TEST_F(AboutStartUpTest, ShowsTheAboutBoxFirstAndTheMainWindowWhenItCloses) {
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), "Hygrovane 1.1");
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), "Version 1.1.1");
    EXPECT_FALSE(about->findChild<QLabel*>(QStringLiteral("lblDescription"))->text().isEmpty());
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    if (const char* folder = std::getenv("HYGROVANE_SCREENSHOT_DIR")) {
        QTest::qWait(50);
        about->grab().save(QString::fromLocal8Bit(folder) + "/about-box.png");
    }

    closeAbout();
    EXPECT_TRUE(view.isVisible());
}

TEST_F(AboutStartUpTest, HelpMenuOpensItAgainAndLeavesTheCaseAsItWas) {
    closeAbout();
    QLineEdit* temperature = view.findChild<QLineEdit*>(QStringLiteral("Text1"));
    const QString before = temperature->text();
    const bool modified = view.handlers().form().CaseModified;

    view.findChild<QAction*>(QStringLiteral("abou_menu"))->trigger();
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");

    platform.webPagesOpen = false;
    about->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(about->isVisible()); // the box stays open after the failure

    closeAbout();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(temperature->text(), before);
    EXPECT_EQ(view.handlers().form().CaseModified, modified);
}

} // namespace
} // namespace hygrovane::forms
