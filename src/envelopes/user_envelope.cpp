#include "envelopes/user_envelope.h"

#include "envelopes/catalogue.h"

#include <cmath>

namespace hygrovane::envelopes {

namespace {

Unexpected<EnvelopeFailure> Failure(EnvelopeFailureKind fault, std::string message) {
    return Fail(EnvelopeFailure{fault, std::move(message)});
}

Expected<Done, EnvelopeFailure> Check(const Limits& limits) {
    if (!limits.lowest && !limits.highest) {
        return Failure(EnvelopeFailureKind::NoLimit,
                       "A quantity of the envelope has neither a lowest nor a highest limit.");
    }
    if ((limits.lowest && !std::isfinite(*limits.lowest)) ||
        (limits.highest && !std::isfinite(*limits.highest))) {
        return Failure(EnvelopeFailureKind::NotFinite, "A limit of the envelope is not a number.");
    }
    if (limits.lowest && limits.highest && *limits.lowest > *limits.highest) {
        return Failure(EnvelopeFailureKind::Reversed,
                       "A lowest limit of the envelope lies above its highest.");
    }
    return Done{};
}

void Add(const Limits& limits, Envelope& envelope) {
    if (limits.lowest) {
        envelope.edges.push_back({limits.quantity, Side::Lowest, *limits.lowest, limits.reading});
    }
    if (limits.highest) {
        envelope.edges.push_back({limits.quantity, Side::Highest, *limits.highest, limits.reading});
    }
}

} // namespace

Expected<Envelope, EnvelopeFailure> UserEnvelope(const std::string& name, const Limits& first,
                                                 const Limits& second) {
    if (first.quantity == second.quantity) {
        return Failure(EnvelopeFailureKind::SameQuantity,
                       "The envelope's two limits are on the same quantity.");
    }
    for (const Limits* limits : {&first, &second}) {
        if (auto checked = Check(*limits); !checked) {
            return Fail(checked.error());
        }
    }
    Envelope envelope{name, "user", "User envelope", {}};
    Add(first, envelope);
    Add(second, envelope);
    return envelope;
}

Expected<Envelope, EnvelopeFailure> En16798Humidity(int category,
                                                    const NationalAnnexHumidity& annex) {
    static constexpr const char* kNames[] = {"en16798-1-humidity-i", "en16798-1-humidity-ii",
                                             "en16798-1-humidity-iii"};
    if (category < 1 || category > 3) {
        return Failure(EnvelopeFailureKind::NoCategory,
                       "EN 16798-1 has humidity categories I, II and III.");
    }
    const Limits humidity{Quantity::RelativeHumidity, annex.humidification / 100,
                          annex.dehumidification / 100, DewReading::OverIce};
    if (auto checked = Check(humidity); !checked) {
        return Fail(checked.error());
    }
    Envelope envelope = *EnvelopeNamed(kNames[category - 1]);
    envelope.name += "-national-annex";
    envelope.edition += ", national annex values";
    envelope.edges.clear();
    Add(humidity, envelope);
    return envelope;
}

NationalAnnexHumidity GermanNationalAnnex(int category) {
    switch (category) {
    case 1:
        return {40, 50};
    case 2:
        return {30, 60};
    default:
        return {20, 70};
    }
}

} // namespace hygrovane::envelopes
