#include "models/about_model.h"

#include "hygrovane/config.h"
#include "models/web_page.h"

namespace hygrovane::models {

AboutModel::AboutModel()
    : lblDescription(
          "Hygrovane is a free application that calculates the properties of moist air in "
          "different atmospheric conditions, for engineers who design heating, ventilating "
          "and air-conditioning (HVAC) systems. Inputs and results can be given in a wide "
          "range of engineering units, and a unit convertor is included. The saturation "
          "temperature or pressure of water can be estimated by the IAPWS standards and by "
          "the Hyland-Wexler formulation recommended by ASHRAE."),
      Label1(std::string("For engineering services and consultation on HVAC design, visit ") +
             config::kMakerName + " on the web:"),
      Command2Caption(config::kMakerWebPage) {}

void Form_Load(AboutModel& form) {
    form.Caption = std::string("About ") + config::kApplicationTitle;
    form.lblVersion = "Version " + std::to_string(config::kVersionMajor) + "." +
                      std::to_string(config::kVersionMinor) + "." +
                      std::to_string(config::kVersionPatch);
    form.lblTitle = config::kApplicationTitle;
}

void Command2_Click(AboutModel& /*form*/, Platform& platform) {
    OpenMakerWebPage(platform);
}

void Form_Unload(AboutModel& form) {
    if (form.onUnload) {
        form.onUnload();
    }
}

} // namespace hygrovane::models
