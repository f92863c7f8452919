#include "envelopes/catalogue.h"

#include "envelopes/collections.h"
#include "envelopes/comfort_envelopes.h"

#include "hygrovane/relations.h"

namespace hygrovane::envelopes {

namespace {

constexpr const char* kTc99_2021 = "ASHRAE TC 9.9 Thermal Guidelines, 2021 (5th edition)";
constexpr const char* kTc99_2011 = "ASHRAE TC 9.9 Thermal Guidelines, 2011";
constexpr const char* kStandard62_1 = "ANSI/ASHRAE Standard 62.1-2022";
constexpr const char* kEn16798 = "EN 16798-1:2019, Annex B";

Edge DryBulb(Side side, double celsius) {
    return {Quantity::DryBulb, side, celsius + kCelsiusOffset, DewReading::OverIce};
}
Edge DewPoint(Side side, double celsius) {
    return {Quantity::DewPoint, side, celsius + kCelsiusOffset, kDataCentreDewReading};
}
Edge Humidity(Side side, double percent) {
    return {Quantity::RelativeHumidity, side, percent / 100, DewReading::OverIce};
}

// A data-centre class: a dry-bulb range, a lower moisture limit and an upper one. Each moisture
// limit is a dew point, a relative humidity or both (the drier or wetter of the two applies).
struct Moisture {
    std::optional<double> dewPoint; // degC
    std::optional<double> humidity; // %
};

Envelope DataCentre(const char* name, const char* edition, const char* title, double lowDryBulb,
                    double highDryBulb, Moisture low, Moisture high) {
    Envelope envelope{name, edition, title, {}};
    envelope.edges.push_back(DryBulb(Side::Lowest, lowDryBulb));
    envelope.edges.push_back(DryBulb(Side::Highest, highDryBulb));
    if (low.dewPoint) {
        envelope.edges.push_back(DewPoint(Side::Lowest, *low.dewPoint));
    }
    if (low.humidity) {
        envelope.edges.push_back(Humidity(Side::Lowest, *low.humidity));
    }
    if (high.dewPoint) {
        envelope.edges.push_back(DewPoint(Side::Highest, *high.dewPoint));
    }
    if (high.humidity) {
        envelope.edges.push_back(Humidity(Side::Highest, *high.humidity));
    }
    return envelope;
}

Envelope HumidityOnly(const char* name, const char* edition, const char* title, double low,
                      double high) {
    return {name, edition, title, {Humidity(Side::Lowest, low), Humidity(Side::Highest, high)}};
}

std::vector<Envelope> Build() {
    // 2021: the lower moisture limit of every allowable class is -12 degC dew point and 8 % RH,
    // the recommended one -9 degC dew point; the recommended upper RH depends on the pollutants.
    const Moisture dry2021{-12.0, 8.0};
    // 2011: A1 and A2 end at 20 % RH, A3 and A4 at -12 degC dew point and 8 % RH, B and C at 8 %
    // RH.
    return {
        DataCentre("ashrae-tc99-2021-recommended-low", kTc99_2021,
                   "Recommended, low pollutant level", 18, 27, {-9.0, {}}, {15.0, 70.0}),
        DataCentre("ashrae-tc99-2021-recommended-high", kTc99_2021,
                   "Recommended, high pollutant level", 18, 27, {-9.0, {}}, {15.0, 50.0}),
        DataCentre("ashrae-tc99-2021-a1", kTc99_2021, "Class A1, allowable", 15, 32, dry2021,
                   {17.0, 80.0}),
        DataCentre("ashrae-tc99-2021-a2", kTc99_2021, "Class A2, allowable", 10, 35, dry2021,
                   {21.0, 80.0}),
        DataCentre("ashrae-tc99-2021-a3", kTc99_2021, "Class A3, allowable", 5, 40, dry2021,
                   {24.0, 85.0}),
        DataCentre("ashrae-tc99-2021-a4", kTc99_2021, "Class A4, allowable", 5, 45, dry2021,
                   {24.0, 90.0}),
        DataCentre("ashrae-tc99-2021-h1", kTc99_2021, "Class H1, allowable", 5, 25, dry2021,
                   {17.0, 80.0}),
        DataCentre("ashrae-tc99-2011-a1", kTc99_2011, "Class A1, allowable", 15, 32, {{}, 20.0},
                   {17.0, 80.0}),
        DataCentre("ashrae-tc99-2011-a2", kTc99_2011, "Class A2, allowable", 10, 35, {{}, 20.0},
                   {21.0, 80.0}),
        DataCentre("ashrae-tc99-2011-a3", kTc99_2011, "Class A3, allowable", 5, 40, {-12.0, 8.0},
                   {24.0, 85.0}),
        DataCentre("ashrae-tc99-2011-a4", kTc99_2011, "Class A4, allowable", 5, 45, {-12.0, 8.0},
                   {24.0, 90.0}),
        DataCentre("ashrae-tc99-2011-b", kTc99_2011, "Class B", 5, 35, {{}, 8.0}, {28.0, 80.0}),
        DataCentre("ashrae-tc99-2011-c", kTc99_2011, "Class C", 5, 40, {{}, 8.0}, {28.0, 80.0}),
        {"ashrae-62.1-2022-dew-point",
         kStandard62_1,
         "Indoor dew point at most 15 degC",
         {DewPoint(Side::Highest, 15.0)}},
        HumidityOnly("en16798-1-humidity-i", kEn16798, "Humidity category I", 30, 50),
        HumidityOnly("en16798-1-humidity-ii", kEn16798, "Humidity category II", 25, 60),
        HumidityOnly("en16798-1-humidity-iii", kEn16798, "Humidity category III", 20, 70),
        // ASHRAE 55 with its default inputs; other inputs follow the name (comfort_envelopes.h).
        Ashrae55Pmv({}, std::string(kAshrae55Pmv)).value(),
        Ashrae55Adaptive(80, {}, std::string(kAshrae55Adaptive80)).value(),
        Ashrae55Adaptive(90, {}, std::string(kAshrae55Adaptive90)).value(),
    };
}

} // namespace

const std::vector<Envelope>& Catalogue() {
    static const std::vector<Envelope> catalogue = Build();
    return catalogue;
}

std::optional<Envelope> EnvelopeNamed(std::string_view name) {
    for (const Envelope& envelope : Catalogue()) {
        if (envelope.name == name) {
            return envelope;
        }
    }
    return std::nullopt;
}

Expected<Envelope, std::string> EnvelopeFromText(std::string_view text) {
    if (auto named = EnvelopeNamed(text)) {
        return *named;
    }
    if (auto comfort = ComfortEnvelopeNamed(text)) {
        return std::move(*comfort);
    }
    if (auto collection = CollectionEnvelopeNamed(text)) {
        return std::move(*collection);
    }
    std::string error = "unknown envelope \"" + std::string(text) + "\" (one of:";
    for (const Envelope& known : Catalogue()) {
        error += " " + known.name;
    }
    for (const std::string& name : CollectionNames()) {
        error += " " + name;
    }
    return Fail(error + "; ASHRAE 55's with :clo=, :met=, :v= or :tpma= after the name, the "
                        "collection classes with :rh=, :t= or :window=)");
}

} // namespace hygrovane::envelopes
