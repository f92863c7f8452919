#include "climatecli/envelope_option.h"

#include "climateanalysis/envelope_figures.h"
#include "climateanalysis/envelope_writers.h"
#include "envelopes/catalogue.h"

#include <algorithm>

namespace hygrovane::climatecli {

Expected<Done, std::string> TakeEnvelopes(const std::string& value,
                                          std::vector<envelopes::Envelope>& into) {
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string name = value.substr(start, comma - start);
        const auto envelope = envelopes::EnvelopeFromText(name);
        if (!envelope) {
            return Fail("--envelope: " + envelope.error() +
                        "; a comma-separated list of envelopes");
        }
        const bool given = std::any_of(
            into.begin(), into.end(), [&](const envelopes::Envelope& e) { return e.name == name; });
        if (!given) {
            into.push_back(*envelope);
        }
        start = comma + 1;
    }
    return Done{};
}

std::string WithEnvelopeFigures(std::string figures, Format format,
                                const climateanalysis::PreparedClimate& prepared,
                                const std::vector<envelopes::Envelope>& chosen) {
    if (chosen.empty()) {
        return figures;
    }
    const auto judged = climateanalysis::JudgeEnvelopes(*prepared.data, prepared.states,
                                                        prepared.settings.filter, chosen);
    switch (format) {
    case Format::Json:
        return climateanalysis::WithEnvelopesMember(figures, judged);
    case Format::Csv:
        return figures + climateanalysis::EnvelopesCsv(judged);
    case Format::Text:
        break;
    }
    return figures + "\n" + climateanalysis::EnvelopesText(judged);
}

} // namespace hygrovane::climatecli
