#pragma once

// The examples of the user's guide that its pictures (take_screenshots.cpp) show and the window
// tests check: the logger file Batch Convert converts and the air-handling unit of the processes
// window, each written once so that the pictures show what the tests assert.
#include "processes/flows.h"
#include "processes/process_kinds.h"

#include <map>
#include <string>
#include <vector>

namespace hygrovane::guide {

// A logger's export with a title line, a missing dry bulb and a humidity above 100 %.
inline constexpr const char* kOfficeLoggerName = "office-2026-07.csv";
inline constexpr const char* kOfficeLogger = "Plot Title: Office logger\n"
                                             "\"#\",\"Time, GMT+01:00\",\"Temp, \xC2\xB0"
                                             "C\",\"RH, %\"\n"
                                             "1,08:00,21.8,48.2\n"
                                             "2,08:10,22.1,47.9\n"
                                             "3,08:20,,47.6\n"
                                             "4,08:30,22.9,46.8\n"
                                             "5,08:40,23.4,104\n";

// The air-handling unit: two states typed in the main window (dry bulb degC, relative humidity %)
// and added, then outdoor and return air mixed, cooled by a coil and reheated; each new point
// renamed.
struct TypedState {
    const char* dryBulb;
    const char* relativeHumidity;
    const char* name;
};
inline constexpr TypedState kAirHandlingStates[] = {{"33", "45", "Outdoor"},
                                                    {"24", "50", "Return"}};

struct GuideProcess {
    processes::ProcessKind kind;
    std::vector<std::string> inlets;
    std::vector<std::string> flows; // m3/h; none: upstream
    std::map<processes::Parameter, std::string> texts;
    const char* name;

    // The processes dialog's form filled in for this process.
    template <typename Form> Form form() const {
        Form form;
        form.kind = kind;
        form.inlets = inlets;
        form.flowTexts = flows.empty() ? std::vector<std::string>{""} : flows;
        form.flowUnits.assign(form.flowTexts.size(), flows.empty()
                                                         ? processes::FlowUnit::Upstream
                                                         : processes::FlowUnit::CubicMetresPerHour);
        form.texts = texts;
        return form;
    }
};

// What the user types for the unit's design report.
inline constexpr const char* kAirHandlingProject = "Summer AHU";
inline constexpr const char* kAirHandlingNotes =
    "Level 3 open plan: 8000 m\xC2\xB3/h, 25 % outdoor air\n"
    "Design day in July, supply at 16 \xC2\xB0"
    "C";

inline std::vector<GuideProcess> AirHandlingProcesses() {
    using processes::ProcessKind;
    using P = processes::Parameter;
    return {{ProcessKind::Mixing, {"Outdoor", "Return"}, {"2000", "6000"}, {}, "Mixed"},
            {ProcessKind::CoilApparatusDewPoint,
             {"Mixed"},
             {},
             {{P::ApparatusDewPoint, "10"}, {P::BypassFactor, "0.1"}},
             "Coil"},
            {ProcessKind::SensibleToDryBulb, {"Coil"}, {}, {{P::LeavingDryBulb, "16"}}, "Supply"}};
}

} // namespace hygrovane::guide
