#include "models/climate_envelopes.h"

#include "envelopes/catalogue.h"
#include "envelopes/collections.h"
#include "envelopes/user_envelope.h"
#include "hygrovane/relations.h"
#include "text/blanks.h"
#include "text/number_parse.h"
#include "text/number_text.h"

#include <array>
#include <sstream>

namespace hygrovane::models {

namespace {

// Dark, saturated lines apart from the comfort zones' colours.
constexpr std::array<chart::OverlayColour, 6> kEnvelopeColours{
    {{0, 70, 140}, {150, 20, 90}, {0, 110, 60}, {110, 70, 0}, {70, 40, 160}, {0, 110, 130}}};

struct QuantityName {
    const char* name;
    envelopes::Quantity quantity;
    double scale;  // of the typed value into the envelope's unit
    double offset; // added after the scale
};

constexpr std::array<QuantityName, 5> kQuantities{{
    {"db", envelopes::Quantity::DryBulb, 1, kCelsiusOffset},
    {"dp", envelopes::Quantity::DewPoint, 1, kCelsiusOffset},
    {"rh", envelopes::Quantity::RelativeHumidity, 0.01, 0},
    {"w", envelopes::Quantity::HumidityRatio, 0.001, 0},
    {"h", envelopes::Quantity::Enthalpy, 1, 0},
}};

// "db 18..27", "dp ..15", "rh 30..": a quantity's limits, or none.
std::optional<envelopes::Limits> LimitsOf(std::string_view text) {
    text = text::Trim(text);
    const std::size_t space = text.find(' ');
    const std::size_t dots = text.find("..");
    if (space == std::string_view::npos || dots == std::string_view::npos || dots < space) {
        return std::nullopt;
    }
    const std::string_view name = text.substr(0, space);
    for (const QuantityName& q : kQuantities) {
        if (name != q.name) {
            continue;
        }
        envelopes::Limits limits;
        limits.quantity = q.quantity;
        const auto end = [&](std::string_view part, std::optional<double>& into) {
            part = text::Trim(part);
            if (part.empty()) {
                return true;
            }
            const auto value = text::ParseTypedNumber(part);
            if (!value) {
                return false;
            }
            into = *value * q.scale + q.offset;
            return true;
        };
        if (!end(text.substr(space + 1, dots - space - 1), limits.lowest) ||
            !end(text.substr(dots + 2), limits.highest)) {
            return std::nullopt;
        }
        return limits;
    }
    return std::nullopt;
}

} // namespace

std::vector<envelopes::Envelope> OfferedEnvelopes() {
    std::vector<envelopes::Envelope> offered = envelopes::Catalogue();
    for (const std::string& name : envelopes::CollectionNames()) {
        if (auto made = envelopes::EnvelopeFromText(name)) {
            offered.push_back(std::move(made.value()));
        }
    }
    return offered;
}

std::vector<chart::OverlayZone>
EnvelopeZones(const std::vector<climateanalysis::EnvelopeFigures>& figures, double pressure,
              SatFormulation formulation, const envelopes::OutlineBounds& bounds) {
    std::vector<chart::OverlayZone> zones;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const climateanalysis::EnvelopeFigures& f = figures[i];
        const std::string share = text::FixedText(f.compliance.PercentInside(), 1) + " %";
        for (Polyline& outline :
             envelopes::TraceOutline(f.envelope, pressure, bounds, formulation)) {
            zones.push_back({std::move(outline), f.envelope.name, share,
                             kEnvelopeColours[i % kEnvelopeColours.size()]});
        }
    }
    return zones;
}

Expected<std::vector<envelopes::Envelope>, std::string>
ParseUserEnvelopes(const std::string& text) {
    std::vector<envelopes::Envelope> result;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string_view trimmed = text::Trim(line);
        if (trimmed.empty()) {
            continue;
        }
        const std::string where = "Envelope line " + std::to_string(number) + ": ";
        const std::size_t colon = trimmed.find(':');
        const std::size_t semicolon =
            trimmed.find(';', colon == std::string_view::npos ? 0 : colon);
        if (colon == std::string_view::npos || colon == 0 || semicolon == std::string_view::npos) {
            return Fail(where + "write \"Name: db 18..27; rh 30..60\" (two of db, dp, rh, w, h).");
        }
        const auto first = LimitsOf(trimmed.substr(colon + 1, semicolon - colon - 1));
        const auto second = LimitsOf(trimmed.substr(semicolon + 1));
        if (!first || !second) {
            return Fail(where + "each limit is a quantity (db, dp, rh, w or h) and "
                                "\"lowest..highest\", either end may be left out.");
        }
        auto made = envelopes::UserEnvelope(std::string(text::Trim(trimmed.substr(0, colon))),
                                            *first, *second);
        if (!made) {
            return Fail(where + made.error().message);
        }
        result.push_back(std::move(made.value()));
    }
    return result;
}

} // namespace hygrovane::models
