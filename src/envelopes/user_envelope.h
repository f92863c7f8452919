#pragma once

// Envelopes the user makes: limits on any two quantities, and the EN 16798-1 humidity categories
// with a national annex's values in place of Annex B's.

#include "envelopes/envelope.h"
#include "hygrovane/expected.h"

#include <optional>
#include <string>

namespace hygrovane::envelopes {

// One quantity's limits (units as Quantity lists them); either end may be open.
struct Limits {
    Quantity quantity = Quantity::DryBulb;
    std::optional<double> lowest;
    std::optional<double> highest;
    DewReading reading = DewReading::OverIce; // for a dew point
};

enum class EnvelopeFailureKind {
    SameQuantity, // both limits on one quantity
    NoLimit,      // a quantity with neither end given
    NotFinite,    // a limit that is not a finite number
    Reversed,     // a lowest limit above the highest
    NoCategory,   // an EN 16798-1 category other than I, II or III
};

struct EnvelopeFailure {
    EnvelopeFailureKind kind = EnvelopeFailureKind::NoLimit;
    std::string message; // one sentence for the user
};

// The envelope of readings inside both limits.
Expected<Envelope, EnvelopeFailure> UserEnvelope(const std::string& name, const Limits& first,
                                                 const Limits& second);

// A national annex's design relative humidities for one category, %.
struct NationalAnnexHumidity {
    double humidification = 0;   // the lowest relative humidity
    double dehumidification = 0; // the highest
};

// The category (1-3) of EN 16798-1's humidity criteria with the annex's values: named as the
// catalogue's with "-national-annex" after it, so that the two are never confused.
Expected<Envelope, EnvelopeFailure> En16798Humidity(int category,
                                                    const NationalAnnexHumidity& annex);

// The values of the German national annex (DIN EN 16798-1/NA:2022-03) for categories I-III.
NationalAnnexHumidity GermanNationalAnnex(int category);

} // namespace hygrovane::envelopes
