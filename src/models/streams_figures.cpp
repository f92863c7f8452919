// The judged streams as a results table, as marks on the chart, and the mark under the mouse.
#include "models/streams_model.h"

#include "hygrovane/relations.h"
#include "tables/table_writers.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::models {

namespace {

using streams::FaultKind;
using streams::kFaultCount;
using streams::kStreamCount;
using streams::StreamName;
using tables::Quantity;
using tables::Unit;

// The shares of time a stream's colour takes: few colours keep a repaint's brush changes few.
constexpr int kTimeShades = 16;

const char* FaultCaption(std::size_t k) {
    switch (static_cast<FaultKind>(k)) {
    case FaultKind::FractionsDisagree:
        return "Fractions on W and h disagree";
    case FaultKind::OffMixingLine:
        return "Mixed air off the outdoor-return line";
    case FaultKind::MixedOutsideRange:
        return "Mixed dry bulb outside its sources'";
    case FaultKind::SupplyWarmerThanSource:
        return "Supply warmer than its source";
    case FaultKind::RelativeHumidityAbove100:
        return "Relative humidity above 100 %";
    case FaultKind::FrozenSensor:
        return "Frozen sensor";
    }
    return "";
}

tables::Cell Count(double n) {
    return tables::NumberCell(n, Quantity::Count, Unit::None);
}

} // namespace

tables::Table StreamsModel::table() const {
    tables::Table t;
    t.title = "Measured streams";
    if (!report_) {
        return t;
    }
    const loggerfile::StreamsReport& r = *report_;
    const streams::StreamSummary& s = r.judged.summary;
    t.titleBlock = {
        {"source", tables::TextCell(r.source)},
        {"alignment",
         tables::TextCell(r.alignment.how == streams::Alignment::Linear ? "linear" : "nearest")},
        {"toleranceSeconds", Count(r.alignment.toleranceSeconds)},
        {"frozenReadings", Count(r.alignment.frozenReadings)},
        {"steps", Count(static_cast<double>(s.steps))},
        {"hours", tables::NumberCell(s.hours, Quantity::Hours, Unit::Hour)},
    };

    tables::Section gaps{"Streams",
                         "streams",
                         {{"Stream", Quantity::Text, Unit::None, "stream"},
                          {"Gaps", Quantity::Count, Unit::None, "gapSteps"},
                          {"Gap time", Quantity::Hours, Unit::Hour, "gapHours"}}};
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (r.judged.aligned.logged[k]) {
            gaps.AddRow(StreamCaption(static_cast<StreamName>(k)),
                        {static_cast<double>(s.gapSteps[k]), s.gapHours[k]},
                        streams::KeyOf(static_cast<StreamName>(k)));
        }
    }
    gaps.notes = notes_;
    t.sections.push_back(std::move(gaps));

    tables::Section mixing{"Outdoor-air fraction and recovery",
                           "fractions",
                           {{"Figure", Quantity::Text, Unit::None, "figure"},
                            {"Mean", Quantity::Ratio, Unit::None, "mean"},
                            {"Over", Quantity::Hours, Unit::Hour, "hours"}}};
    mixing.AddRow("Outdoor-air fraction", {s.outdoorFractionMean, s.outdoorFractionHours},
                  "outdoorFraction");
    mixing.AddRow("  on humidity ratio", {s.fractionOnHumidityRatioMean, s.outdoorFractionHours},
                  "outdoorFractionOnHumidityRatio");
    mixing.AddRow("  on enthalpy", {s.fractionOnEnthalpyMean, s.outdoorFractionHours},
                  "outdoorFractionOnEnthalpy");
    mixing.AddRow("Effectiveness, sensible", {s.effectivenessSensibleMean, s.effectivenessHours},
                  "effectivenessSensible");
    mixing.AddRow("Effectiveness, latent", {s.effectivenessLatentMean}, "effectivenessLatent");
    mixing.AddRow("Effectiveness, total", {s.effectivenessTotalMean}, "effectivenessTotal");
    mixing.notes.push_back("Steps whose two balances disagree or whose mixed air lies off the "
                           "outdoor-return line stay out of the fraction's means.");
    t.sections.push_back(std::move(mixing));

    if (r.judgement.massFlow) {
        tables::Section coil{
            "Coil",
            "coil",
            {{"Flow", Quantity::Text, Unit::None, "flow"},
             {"Sensible", Quantity::Load, Unit::Kilowatt, "sensible"},
             {"Latent", Quantity::Load, Unit::Kilowatt, "latent"},
             {"Total", Quantity::Load, Unit::Kilowatt, "total"},
             {"Condensate", Quantity::WaterFlow, Unit::KilogramPerHour, "condensate"}}};
        // The energies over the hours as the mean load (kWh / h is kW; kg / h).
        const double h = s.hours > 0 ? s.hours : NAN;
        coil.AddRow(
            text::ShortestText(*r.judgement.massFlow) + " kg/s",
            {s.coilSensibleKWh / h, s.coilLatentKWh / h, s.coilTotalKWh / h, s.condensateKg / h},
            "mean");
        coil.notes.push_back("Mean over all " + text::FixedText(s.hours, 1) +
                             " h; positive where the coil cools and dries. Totals: sensible " +
                             text::FixedText(s.coilSensibleKWh, 1) + " kWh, latent " +
                             text::FixedText(s.coilLatentKWh, 1) + " kWh, total " +
                             text::FixedText(s.coilTotalKWh, 1) + " kWh, condensate " +
                             text::FixedText(s.condensateKg, 1) + " kg.");
        t.sections.push_back(std::move(coil));
    }

    tables::Section faults{"Faults",
                           "faults",
                           {{"Fault", Quantity::Text, Unit::None, "fault"},
                            {"Time", Quantity::Hours, Unit::Hour, "hours"},
                            {"Steps", Quantity::Count, Unit::None, "steps"},
                            {"Periods", Quantity::Count, Unit::None, "periods"},
                            {"First from", Quantity::Text, Unit::None, "firstStart"},
                            {"First to", Quantity::Text, Unit::None, "firstEnd"}}};
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        const auto& periods = s.faultPeriods[k];
        tables::Row& row = faults.AddRow(FaultCaption(k),
                                         {s.faultHours[k], static_cast<double>(s.faultSteps[k]),
                                          static_cast<double>(periods.size())},
                                         streams::KeyOf(static_cast<FaultKind>(k)));
        row.cells[4] = tables::TextCell(
            periods.empty() ? std::string() : loggerfile::StreamTimeText(periods.front().start));
        row.cells[5] = tables::TextCell(
            periods.empty() ? std::string() : loggerfile::StreamTimeText(periods.front().end));
    }
    t.sections.push_back(std::move(faults));
    return t;
}

std::string StreamsModel::csv() const {
    return report_ ? tables::TableCsv(table()) : std::string();
}

chart::OverlayColour StreamColour(StreamName stream, double share) {
    static constexpr std::array<chart::OverlayColour, kStreamCount> kBase{{
        {30, 100, 200}, // outdoor: blue
        {215, 95, 15},  // return: orange
        {140, 45, 170}, // mixed: purple
        {15, 145, 120}, // after recovery: teal
        {200, 30, 55},  // supply: red
    }};
    const chart::OverlayColour base = kBase[streams::IndexOf(stream)];
    // Pale (mixed with white) at the first step, the full colour darkened a little at the last.
    const double f = std::clamp(share, 0.0, 1.0);
    const double white = 0.7 * (1 - f);
    const double dark = 1 - 0.25 * f;
    const auto mix = [&](std::uint8_t c) {
        return static_cast<std::uint8_t>(std::lround((c + (255 - c) * white) * dark));
    };
    return {mix(base.red), mix(base.green), mix(base.blue)};
}

chart::Overlay StreamsModel::overlay() const {
    chart::Overlay o;
    if (!report_) {
        return o;
    }
    const streams::AlignedStreams& a = report_->judged.aligned;
    if (a.seconds.empty()) {
        return o;
    }
    const double first = a.seconds.front();
    const double span = a.seconds.back() - first;
    o.scale.legend = true;
    o.scale.title = "Measured streams, pale to dark in time";
    o.scale.lowText = loggerfile::StreamTimeText(first);
    o.scale.highText = loggerfile::StreamTimeText(a.seconds.back());
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (!a.logged[k]) {
            continue;
        }
        const auto stream = static_cast<StreamName>(k);
        o.scale.keys.push_back(
            {StreamCaption(stream), StreamColour(stream, 0), StreamColour(stream, 1)});
        for (std::size_t i = 0; i < a.seconds.size(); ++i) {
            const streams::AlignedState& state = a.states[k][i];
            if (!state.Present()) {
                continue;
            }
            const double share = span > 0 ? (a.seconds[i] - first) / span : 1;
            const double shade = std::round(share * (kTimeShades - 1)) / (kTimeShades - 1);
            o.dots.push_back({{state.dryBulb + kCelsiusOffset, state.humidityRatio},
                              share,
                              StreamColour(stream, shade)});
        }
    }
    return o;
}

std::optional<StreamMark> StreamsModel::markAt(chart::ChartPoint point, double reach) const {
    if (!report_) {
        return std::nullopt;
    }
    const streams::AlignedStreams& a = report_->judged.aligned;
    std::optional<StreamMark> nearest;
    double best = reach * reach;
    const double t = point.dryBulb - kCelsiusOffset;
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (!a.logged[k]) {
            continue;
        }
        const auto& states = a.states[k];
        for (std::size_t i = 0; i < states.size(); ++i) {
            const double dt = states[i].dryBulb - t;
            const double dw = (states[i].humidityRatio - point.humidityRatio) * 1000;
            const double d = dt * dt + dw * dw; // NaN at a gap: never below best
            if (d <= best) {
                best = d;
                nearest = StreamMark{static_cast<StreamName>(k), i};
            }
        }
    }
    return nearest;
}

std::string StreamsModel::hoverTextAt(chart::ChartPoint point) const {
    const auto mark = markAt(point);
    if (!mark) {
        return {};
    }
    const streams::AlignedStreams& a = report_->judged.aligned;
    const streams::AlignedState& s = a.states[streams::IndexOf(mark->stream)][mark->step];
    std::string text = loggerfile::StreamTimeText(a.seconds[mark->step]) + " · " +
                       StreamCaption(mark->stream) + ": " +
                       text::FixedTextUnsignedZero(s.dryBulb, 1) + " °C, " +
                       text::FixedTextUnsignedZero(s.relative * 100, 0) + " % RH, " +
                       text::FixedTextUnsignedZero(s.humidityRatio * 1000, 2) + " g/kg";
    const streams::StepFigures& f = report_->judged.steps[mark->step];
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        if (f.faults[k]) {
            text += std::string(" · ") + FaultCaption(k);
        }
    }
    return text;
}

} // namespace hygrovane::models
