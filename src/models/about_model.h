#pragma once

#include "models/platform.h"

#include <functional>
#include <string>

namespace hygrovane::models {

// The controls of the About box frmAbout that carry text.
struct AboutModel {
    AboutModel(); // the design-time state

    std::string Caption = "About Hygrovane";
    std::string lblTitle;
    std::string lblVersion;
    std::string lblDescription;
    std::string Label1;             // the invitation to the maker's web page
    std::string Command2Caption;    // the maker's web page
    std::function<void()> onUnload; // shows the main window
};

// Caption, title and version from the application's title and version numbers.
void Form_Load(AboutModel& form);
// Opens the maker's web page; a failure is reported in a message box and nothing else happens.
void Command2_Click(AboutModel& form, Platform& platform);
// Closing the box, however it happens, shows the main window again.
void Form_Unload(AboutModel& form);

} // namespace hygrovane::models
