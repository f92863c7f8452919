#pragma once

#include "models/platform.h"

#include <string>
#include <string_view>

namespace hygrovane::models {

// The address a browser is given for a web page caption: "https://" in front when the caption
// names no scheme.
std::string WebPageUrl(std::string_view address);

// Opens the maker's web page in the user's browser; says "Error when loading webpage!" when that
// failed. Shared by the web-page buttons of the main window and the About box.
void OpenMakerWebPage(Platform& platform);

} // namespace hygrovane::models
