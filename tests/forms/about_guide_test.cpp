#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The build renders the user's guide beside the program, where the Help menu finds it.
TEST(UsersGuide, IsBuiltBesideTheProgramWithAtLeastSixPages) {
    const std::filesystem::path guide = HYGROVANE_USERS_GUIDE_PDF;
    EXPECT_EQ(guide.filename(), "Hygrovane1_1UsersGuide.pdf");
    EXPECT_EQ(guide.parent_path().filename(), "app");
    ASSERT_TRUE(std::filesystem::exists(guide)) << guide;

    std::ifstream file(guide, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string pdf = bytes.str();
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);

    int pages = 0;
    const std::string page = "/Type /Page";
    for (auto at = pdf.find(page); at != std::string::npos; at = pdf.find(page, at + 1)) {
        const char next = at + page.size() < pdf.size() ? pdf[at + page.size()] : '\n';
        pages += next != 's' ? 1 : 0; // not "/Type /Pages"
    }
    EXPECT_GE(pages, 6);
}

} // namespace
