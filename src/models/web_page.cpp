#include "models/web_page.h"

#include "hygrovane/config.h"

namespace hygrovane::models {

std::string WebPageUrl(std::string_view address) {
    if (address.find("://") != std::string_view::npos) {
        return std::string(address);
    }
    return "https://" + std::string(address);
}

void OpenMakerWebPage(Platform& platform) {
    if (platform.openWebPage(WebPageUrl(config::kMakerWebPage)) != CommandOutcome::Done) {
        platform.showMessage("Error when loading webpage!", "");
    }
}

} // namespace hygrovane::models
