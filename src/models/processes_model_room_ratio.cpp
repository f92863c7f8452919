// The processes window's room ratio lines and the supply air on them.
#include "chart/room_ratio.h"
#include "display/number_text.h"
#include "models/processes_model.h"
#include "units/quantity.h"

#include <algorithm>

namespace hygrovane::models {

namespace {

// The refusal's sentence, with a dry bulb in the window's temperature unit rather than the
// chart's fixed-point degrees Celsius.
std::string Described(const chart::RoomRatioFailure& failure, const std::string& unit) {
    if (failure.kind != chart::RoomRatioFailure::Kind::NoMoistAir) {
        return failure.describe();
    }
    const auto shown = units::FromInternal(units::Quantity::Temperature, unit, failure.value);
    return "No moist air exists at a dry bulb of " +
           (shown ? RoundedText(*shown, 2) + " " + unit : failure.describe()) +
           " at this pressure.";
}

} // namespace

std::optional<RoomRatioLineOf> ProcessesModel::roomRatioOf(const RoomRatioForm& form) {
    MainWindowChanged();
    const processes::Point* room = set_.pointNamed(form.room);
    if (room == nullptr) {
        platform_.showMessage("There is no point \"" + form.room + "\".", kProcessesTitle);
        return std::nullopt;
    }
    if (!room->state) {
        platform_.showMessage("The point \"" + room->name +
                                  "\" has no state to draw a room ratio line from.",
                              kProcessesTitle);
        return std::nullopt;
    }
    const auto shr = read(form.shrText, "sensible heat ratio");
    if (!shr) {
        return std::nullopt;
    }
    // Refused here rather than by drawing nothing, with the core's own sentence.
    const chart::RoomRatioResult<chart::ChartPoint> atRoom = chart::RoomRatioPointAt(
        room->state->core.ambient.pressure, set_.ambient().formulation,
        {room->state->dryBulb, room->state->humidityRatio}, *shr, room->state->dryBulb);
    if (!atRoom) {
        platform_.showMessage(Described(atRoom.error(), temperatureUnit()), kProcessesTitle);
        return std::nullopt;
    }
    return RoomRatioLineOf{room->id, *shr};
}

void ProcessesModel::keepLine(const RoomRatioLineOf& line) {
    if (std::find(roomRatios_.begin(), roomRatios_.end(), line) == roomRatios_.end()) {
        roomRatios_.push_back(line);
    }
}

CommandOutcome ProcessesModel::DrawRoomRatioLine(const RoomRatioForm& form) {
    const auto line = roomRatioOf(form);
    if (!line) {
        return CommandOutcome::Refused;
    }
    keepLine(*line);
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::AddSupplyOnLine(const RoomRatioForm& form) {
    const auto line = roomRatioOf(form);
    if (!line) {
        return CommandOutcome::Refused;
    }
    const std::string unit = temperatureUnit();
    const bool difference = form.by == SupplyBy::Difference;
    const auto typed =
        read(form.supplyText, difference ? "temperature difference" : "supply dry bulb");
    if (!typed) {
        return CommandOutcome::Refused;
    }
    const auto at = units::ToInternal(units::Quantity::Temperature, unit, *typed);
    // A difference is in the unit's degrees: the scale's offset cancels.
    const auto zero = units::ToInternal(units::Quantity::Temperature, unit, 0);
    if (!at || !zero) {
        platform_.showMessage("The temperature unit \"" + unit + "\" is not known.",
                              kProcessesTitle);
        return CommandOutcome::Refused;
    }
    const processes::AirState& room = *set_.point(line->room)->state;
    const double pressure = room.core.ambient.pressure;
    const SatFormulation formulation = set_.ambient().formulation;
    const chart::ChartPoint roomPoint{room.dryBulb, room.humidityRatio};
    const chart::RoomRatioResult<MoistAirState> supply =
        difference
            ? chart::SupplyAtDifference(pressure, formulation, roomPoint, line->shr, *at - *zero)
            : chart::SupplyAtDryBulb(pressure, formulation, roomPoint, line->shr, *at);
    if (!supply) {
        platform_.showMessage(Described(supply.error(), unit), kProcessesTitle);
        return CommandOutcome::Refused;
    }
    const processes::Outcome<processes::PointId> added = set_.addPoint(
        {supply->ambient.dryBulb, HumidityInput::HumidityRatio, supply->humidityRatio},
        form.supplyName);
    if (!added) {
        platform_.showMessage(added.error().message, kProcessesTitle);
        return CommandOutcome::Refused;
    }
    changed();
    keepLine(*line);
    return CommandOutcome::Done;
}

chart::Overlay ProcessesModel::overlay() const {
    chart::Overlay drawn = ProcessOverlay(set_, units_);
    AddRoomRatioLines(drawn, set_, roomRatios_);
    return drawn;
}

} // namespace hygrovane::models
