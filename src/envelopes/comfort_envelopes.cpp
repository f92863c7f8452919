#include "envelopes/comfort_envelopes.h"

#include "comfort/pmv_zone.h"
#include "comfort/zones.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace hygrovane::envelopes {

namespace {

constexpr const char* kAshrae55 = "ANSI/ASHRAE Standard 55-2020";

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// "clo=1.0" into the named input; false for another key or no number.
struct Input {
    std::string_view key;
    double* into;
};

bool Take(std::string_view part, std::initializer_list<Input> inputs) {
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const std::string_view key = part.substr(0, equals);
    const std::string_view value = part.substr(equals + 1);
    for (const Input& input : inputs) {
        if (key != input.key) {
            continue;
        }
        double number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number)) {
            return false;
        }
        *input.into = number;
        return true;
    }
    return false;
}

} // namespace

Expected<Envelope, std::string> Ashrae55Pmv(const PmvInputs& inputs, std::string name) {
    comfort::PmvZoneParameters p;
    p.model = comfort::PmvModel::Ashrae55;
    p.clothing = inputs.clothing;
    p.metabolic = inputs.metabolic;
    p.airSpeed = inputs.airSpeed;
    // Refused inputs are refused once here rather than as every reading's Invalid.
    if (const auto checked = comfort::PmvZoneEdges(p, 0.5); !checked) {
        return Fail(std::string(kAshrae55Pmv) + ": " + comfort::Describe(checked.error()));
    }
    Envelope envelope{std::move(name),
                      kAshrae55,
                      "PMV comfort zone, |PMV| <= 0.5 (" + Number(inputs.clothing) + " clo, " +
                          Number(inputs.metabolic) + " met, " + Number(inputs.airSpeed) + " m/s)",
                      {}};
    envelope.pmv = inputs;
    return envelope;
}

Expected<Envelope, std::string> Ashrae55Adaptive(int acceptability, const AdaptiveInputs& inputs,
                                                 std::string name) {
    comfort::AdaptiveZoneParameters p;
    p.model = acceptability == 90 ? comfort::AdaptiveZoneModel::Ashrae55Acceptability90
                                  : comfort::AdaptiveZoneModel::Ashrae55Acceptability80;
    p.prevailingMean = inputs.prevailingMean;
    p.airSpeed = inputs.airSpeed;
    const auto band = comfort::AdaptiveZone(p);
    if (!band) {
        return Fail(name + ": " + comfort::Describe(band.error()));
    }
    return Envelope{std::move(name),
                    kAshrae55,
                    "Adaptive model, " + std::to_string(acceptability == 90 ? 90 : 80) +
                        " % acceptability (prevailing mean outdoor " +
                        Number(inputs.prevailingMean) + " degC, " + Number(inputs.airSpeed) +
                        " m/s)",
                    {{Quantity::DryBulb, Side::Lowest, band->dryBulbLow, DewReading::OverIce},
                     {Quantity::DryBulb, Side::Highest, band->dryBulbHigh, DewReading::OverIce}}};
}

std::optional<Expected<Envelope, std::string>> ComfortEnvelopeNamed(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view base = text.substr(0, colon);
    if (base != kAshrae55Pmv && base != kAshrae55Adaptive80 && base != kAshrae55Adaptive90) {
        return std::nullopt;
    }
    PmvInputs pmv;
    AdaptiveInputs adaptive;
    std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon + 1);
    while (colon != std::string_view::npos) {
        const std::size_t next = rest.find(':');
        const std::string_view part = rest.substr(0, next);
        const bool taken =
            base == kAshrae55Pmv
                ? Take(part,
                       {{"clo", &pmv.clothing}, {"met", &pmv.metabolic}, {"v", &pmv.airSpeed}})
                : Take(part, {{"tpma", &adaptive.prevailingMean}, {"v", &adaptive.airSpeed}});
        if (!taken) {
            return Fail(std::string(base) + ": cannot read \"" + std::string(part) + "\" (" +
                        (base == kAshrae55Pmv ? "clo=, met= or v=" : "tpma= or v=") + ")");
        }
        if (next == std::string_view::npos) {
            break;
        }
        rest = rest.substr(next + 1);
    }
    const std::string name(text);
    if (base == kAshrae55Pmv) {
        return Ashrae55Pmv(pmv, name);
    }
    return Ashrae55Adaptive(base == kAshrae55Adaptive90 ? 90 : 80, adaptive, name);
}

} // namespace hygrovane::envelopes
