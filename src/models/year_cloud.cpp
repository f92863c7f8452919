#include "chart/chart_range.h"
#include "climate/parallel.h"
#include "hygrovane/relations.h"
#include "models/year_model.h"
#include "text/number_text.h"

namespace hygrovane::models {

namespace {

using chart::ChartPoint;
using chart::Overlay;
using chart::OverlayColour;

struct NodeKind {
    UnitNode node;
    const char* name;
    OverlayColour colour;
    airunit::AirNode airunit::UnitHour::*member;
};
// Colours told apart by most readers with a colour vision deficiency (after Okabe and Ito), the
// supply dark so that the air the room gets stands out from the air on its way.
constexpr std::array<NodeKind, kUnitNodes.size()> kNodeKinds{{
    {UnitNode::Outdoor, "outdoor", {230, 159, 0}, &airunit::UnitHour::outdoor},
    {UnitNode::Recovered, "after recovery", {204, 121, 167}, &airunit::UnitHour::recovered},
    {UnitNode::Mixed, "mixed", {0, 158, 115}, &airunit::UnitHour::mixed},
    {UnitNode::OffCoil, "off-coil", {0, 114, 178}, &airunit::UnitHour::offCoil},
    {UnitNode::Supply, "supply", {40, 40, 40}, &airunit::UnitHour::supply},
}};
// The picked hour's chain, in a colour none of the clouds has.
constexpr OverlayColour kChainColour{170, 0, 60};

ChartPoint PointOf(const airunit::AirNode& node) {
    return {node.dryBulb + kCelsiusOffset, node.humidityRatio};
}

bool Same(const airunit::AirNode& a, const airunit::AirNode& b) {
    return a.dryBulb == b.dryBulb && a.humidityRatio == b.humidityRatio;
}

std::string Load(const char* what, double kW) {
    return std::string(what) + " " + text::FixedText(kW, 1) + " kW";
}

constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The hour's nodes as points, and the steps between them as arrowed paths labelled with their
// loads; a node equal to the one before it (a component that did nothing) adds nothing.
void AddChain(Overlay& overlay, const airunit::UnitHour& h, const std::string& when) {
    const auto point = [&](const airunit::AirNode& node, std::string label, bool below = false) {
        overlay.points.push_back({PointOf(node), std::move(label), below});
    };
    const auto path = [&](const airunit::AirNode& from, const airunit::AirNode& to,
                          std::string label, bool dashed = false) {
        overlay.paths.push_back({{PointOf(from), PointOf(to)}, std::move(label), !dashed, dashed});
    };
    const double f = h.outdoorFraction;
    const airunit::AirNode* at = &h.room;
    if (f > 0) {
        point(h.outdoor, "outdoor " + when);
        at = &h.outdoor;
        if (!Same(h.recovered, h.outdoor)) {
            point(h.recovered, "after recovery");
            path(h.outdoor, h.recovered, Load("recovered", h.recoveredKW));
            at = &h.recovered;
        }
    }
    if (f < 1) {
        point(h.room, "return", true);
        if (f > 0) {
            // The mixing line, and the two airs meeting on it.
            path(*at, h.room, {}, true);
            point(h.mixed, "mixed " + text::FixedText(100 * f, 0) + " % outdoor");
            path(*at, h.mixed, {});
            path(h.room, h.mixed, {});
            at = &h.mixed;
        }
    }
    const struct {
        const airunit::AirNode* node;
        const char* name;
        const char* load;
        double kW;
    } steps[] = {{&h.heated, "heated", "heating", h.heatingKW},
                 {&h.offCoil, "off-coil", "cooling", h.coolingKW},
                 {&h.reheated, "reheated", "reheat", h.reheatKW},
                 {&h.supply, "supply", "steam", h.humidifierKW}};
    bool acted = false;
    for (const auto& step : steps) {
        if (!Same(*step.node, *at)) {
            path(*at, *step.node, Load(step.load, step.kW));
            point(*step.node, step.name);
            at = step.node;
            acted = true;
        }
    }
    // The last component's air is the supply; where none acted, the air is supplied as it came.
    if (acted) {
        overlay.points.back().label = "supply";
    } else {
        point(h.supply, "supply");
    }
}

} // namespace

std::string NameOf(UnitNode node) {
    return kNodeKinds[static_cast<std::size_t>(node)].name;
}

chart::OverlayColour ColourOf(UnitNode node) {
    return kNodeKinds[static_cast<std::size_t>(node)].colour;
}

const airunit::AirNode& NodeOf(const airunit::UnitHour& hour, UnitNode node) {
    return hour.*kNodeKinds[static_cast<std::size_t>(node)].member;
}

void YearModel::showNode(UnitNode node, bool shown) {
    shownNodes_[static_cast<std::size_t>(node)] = shown;
}

CommandOutcome YearModel::pickHour(int month, int day, int hour) {
    const auto record = recordAt(month, day, hour);
    if (!record) {
        return refuse("The weather file has no hour " + std::to_string(hour) + " on " +
                      std::to_string(day) + "/" + std::to_string(month) + ".");
    }
    if (const auto unitHour = hourAt(*record); !unitHour) {
        return refuse(unitHour.error());
    }
    picked_ = *record;
    return CommandOutcome::Done;
}

CommandOutcome YearModel::pickPeak(std::size_t peak) {
    const airunit::UnitRun* run = selectedRun();
    if (run == nullptr || peak >= airunit::kPeakFields.size()) {
        return refuse("Run the unit first: there are no peaks to show.");
    }
    const airunit::Peak& p = run->peaks.*airunit::kPeakFields[peak].peak;
    if (!p.found) {
        return refuse("The unit never needs this load: there is no peak hour to show.");
    }
    return pickHour(p.month, p.day, p.hour);
}

CommandOutcome YearModel::pickNearest(chart::ChartPoint at) {
    if (!hasWeather()) {
        return refuse("No weather: there are no hours on the chart.");
    }
    // The default chart spans 60 K across and 30 g/kg up: a step of each looks alike.
    const chart::ChartRange shape;
    const double across = shape.dryBulbMax - shape.dryBulbMin;
    const double up = shape.humidityRatioMax - shape.humidityRatioMin;
    const Cloud& nodes = cloud();
    std::optional<std::size_t> nearest;
    double best = 0;
    for (std::size_t k = 0; k < nodes.nodes.size(); ++k) {
        for (std::size_t n = 0; n < kUnitNodes.size(); ++n) {
            if (!shownNodes_[n]) {
                continue;
            }
            const double x = (nodes.nodes[k][n].dryBulb - at.dryBulb) / across;
            const double y = (nodes.nodes[k][n].humidityRatio - at.humidityRatio) / up;
            if (const double d = x * x + y * y; !nearest || d < best) {
                nearest = k;
                best = d;
            }
        }
    }
    if (!nearest) {
        return refuse("No hour of the unit is drawn on the chart: show a node first.");
    }
    picked_ = nodes.records[*nearest];
    return CommandOutcome::Done;
}

const YearModel::Cloud& YearModel::cloud() const {
    if (cloud_.generation == generation_ && cloud_.option == selected_) {
        return cloud_;
    }
    cloud_ = Cloud{generation_, selected_};
    const auto prepared =
        airunit::Prepare(options_[selected_], weather_.states->options.formulation);
    if (!prepared) {
        return cloud_;
    }
    // The run's own steps, record by record (as hourAt), each record its own slot.
    const auto air = airunit::OutdoorAirOf(*weather_.data, *weather_.states);
    const std::size_t records = std::min(air.size(), weather_.states->hours.size());
    std::vector<std::optional<std::array<ChartPoint, kUnitNodes.size()>>> slots(records);
    // Each record's slot is its own: the order of the threads changes nothing.
    climate::ForChunks(records, 0, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            if (!air[i] || !climate::Passes(*weather_.data, *weather_.states, i, weather_.filter)) {
                continue;
            }
            if (const auto hour = airunit::RunHour(*prepared, *air[i])) {
                std::array<ChartPoint, kUnitNodes.size()> nodes;
                for (std::size_t n = 0; n < kNodeKinds.size(); ++n) {
                    nodes[n] = PointOf(*hour.*kNodeKinds[n].member);
                }
                slots[i] = nodes;
            }
        }
    });
    for (std::size_t i = 0; i < records; ++i) {
        if (slots[i]) {
            cloud_.nodes.push_back(*slots[i]);
            cloud_.records.push_back(i);
            cloud_.hours += weather_.states->hours[i].hours;
        }
    }
    return cloud_;
}

chart::Overlay YearModel::overlay() const {
    Overlay overlay;
    if (!hasWeather()) {
        return overlay;
    }
    overlay.red = kChainColour.red;
    overlay.green = kChainColour.green;
    overlay.blue = kChainColour.blue;
    const Cloud& nodes = cloud();
    const std::string option = "Unit " + std::to_string(selected_ + 1);
    overlay.keyTitle = option + ", " + text::FixedText(nodes.hours, 0) + " h";
    for (std::size_t n = 0; n < kNodeKinds.size(); ++n) {
        if (!shownNodes_[n]) {
            continue;
        }
        overlay.key.push_back({kNodeKinds[n].name, kNodeKinds[n].colour});
        for (const auto& hour : nodes.nodes) {
            overlay.dots.push_back({hour[n], 0, kNodeKinds[n].colour});
        }
    }
    if (picked_ && cloud_.pickedRecord != picked_) {
        cloud_.pickedRecord = picked_;
        const auto hour = hourAt(*picked_);
        cloud_.picked = hour ? std::optional<airunit::UnitHour>(*hour) : std::nullopt;
    }
    if (picked_) {
        if (const auto& hour = cloud_.picked) {
            const climate::HourRecord& r = weather_.data->hours[*picked_];
            const std::string when = std::string(kMonths[static_cast<std::size_t>(r.month - 1)]) +
                                     " " + std::to_string(r.day) + " " + std::to_string(r.hour) +
                                     "h";
            AddChain(overlay, *hour, when);
            overlay.key.push_back({option + " " + when, kChainColour});
        }
    }
    return overlay;
}

} // namespace hygrovane::models
