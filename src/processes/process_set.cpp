#include "processes/process_set.h"

#include "processes/compute.h"
#include "units/name_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace hygrovane::processes {

namespace {

using units::CodePoints;
using units::CodePointText;
using units::IsControl;
using units::IsInvisible;

constexpr int kLongestName = 24;

ProcessFailure Refused(std::string message) {
    return Failure(FailureKind::BadParameter, std::move(message));
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

std::string ProcessNumber(std::size_t index) {
    return "Process " + std::to_string(index + 1);
}

// A, B, ... Z, AA, AB, ...: the n-th name (from 0).
std::string LetterName(int n) {
    std::string name;
    for (++n; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

Outcome<Done> CheckInletCount(const ProcessDefinition& d) {
    const auto needed = static_cast<std::size_t>(InfoOf(d.kind).inlets);
    if (d.inlets.size() != needed || d.flows.size() != needed) {
        return Fail(Refused(needed == 2
                                ? "Mixing needs two points and two air flows."
                                : "The process needs one entering point and its air flow."));
    }
    return Done{};
}

} // namespace

Outcome<Done> CheckPointName(std::string_view name) {
    if (name.empty()) {
        return Fail(Refused("A point needs a name."));
    }
    const auto points = CodePoints(name);
    if (!points) {
        return Fail(Refused("A point's name must be UTF-8 text."));
    }
    if (points->size() > static_cast<std::size_t>(kLongestName)) {
        return Fail(
            Refused("A point's name has at most " + std::to_string(kLongestName) + " characters."));
    }
    if (std::any_of(points->begin(), points->end(), IsControl)) {
        return Fail(Refused("A point's name cannot hold control characters."));
    }
    if (const auto found = std::find_if(points->begin(), points->end(), IsInvisible);
        found != points->end()) {
        return Fail(Refused("A point's name cannot hold invisible characters or ones that turn the "
                            "direction of the text (" +
                            CodePointText(*found) + ")."));
    }
    return Done{};
}

std::string TrimmedName(std::string_view name) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && blank(name.back())) {
        name.remove_suffix(1);
    }
    return std::string(name);
}

Outcome<double> DryAirFlow(const AirFlow& flow, const AirState& entering,
                           std::optional<double> upstream) {
    if (flow.unit == FlowUnit::Upstream) {
        if (!upstream) {
            return Fail(Failure(FailureKind::NoInput,
                                "The entering point is not the outlet of a computed process: give "
                                "its air flow."));
        }
        return *upstream;
    }
    if (!(flow.value > 0) || !std::isfinite(flow.value)) {
        return Fail(Refused("Every air flow must be positive."));
    }
    const double amount = flow.value * FlowFactor(flow.unit);
    // A volume flow is measured at the entering state: m_da = V / v.
    const double dryAir = IsVolumeFlow(flow.unit) ? amount / entering.specificVolume : amount;
    if (!std::isfinite(dryAir)) {
        return Fail(Refused("The air flow is too large to compute."));
    }
    return dryAir;
}

const Point* ProcessSet::point(PointId id) const {
    const auto found =
        std::find_if(points_.begin(), points_.end(), [&](const Point& p) { return p.id == id; });
    return found == points_.end() ? nullptr : &*found;
}

Point* ProcessSet::mutablePoint(PointId id) {
    return const_cast<Point*>(std::as_const(*this).point(id));
}

const Point* ProcessSet::pointNamed(std::string_view name) const {
    const auto found = std::find_if(points_.begin(), points_.end(),
                                    [&](const Point& p) { return p.name == name; });
    return found == points_.end() ? nullptr : &*found;
}

std::optional<std::size_t> ProcessSet::producerOf(PointId id) const {
    for (std::size_t i = 0; i < processes_.size(); ++i) {
        const auto& outlets = processes_[i].outlets;
        if (std::find(outlets.begin(), outlets.end(), id) != outlets.end()) {
            return i;
        }
    }
    return std::nullopt;
}

std::string ProcessSet::nextPointName() const {
    for (int n = 0;; ++n) {
        std::string name = LetterName(n);
        if (pointNamed(name) == nullptr) {
            return name;
        }
    }
}

void ProcessSet::setAmbient(const ProcessAmbient& ambient) {
    ambient_ = ambient;
    recompute();
}

void ProcessSet::recompute() {
    // Indexes by id, so that a set of many thousands of points recomputes in linear time.
    std::unordered_map<PointId, std::size_t> at;
    std::unordered_map<PointId, std::size_t> madeBy;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        at.emplace(points_[i].id, i);
    }
    for (std::size_t i = 0; i < processes_.size(); ++i) {
        for (PointId outlet : processes_[i].outlets) {
            madeBy.emplace(outlet, i);
        }
    }
    const Outcome<AirModel> air = AirModel::Of(ambient_);
    for (Point& p : points_) {
        if (!air) {
            p.state = Fail(air.error());
        } else if (p.given) {
            p.state = air->Given(*p.given);
        } else {
            p.state = Fail(Failure(FailureKind::NoInput, "Not computed."));
        }
    }
    for (Process& process : processes_) {
        if (air) {
            computeProcess(*air, process, at, madeBy);
        } else {
            process.result = Fail(air.error());
        }
        for (std::size_t i = 0; i < process.outlets.size(); ++i) {
            Point& outlet = points_[at.at(process.outlets[i])];
            if (process.result) {
                outlet.state = process.result->outlets.at(i);
            } else {
                outlet.state = Fail(process.result.error());
            }
        }
    }
}

void ProcessSet::computeProcess(const AirModel& air, Process& process,
                                const std::unordered_map<PointId, std::size_t>& at,
                                const std::unordered_map<PointId, std::size_t>& madeBy) {
    const ProcessDefinition& d = process.definition;
    std::vector<AirState> inlets;
    std::vector<double> flows;
    for (std::size_t i = 0; i < d.inlets.size() && i < d.flows.size(); ++i) {
        const auto found = at.find(d.inlets[i]);
        const Point* inlet = found == at.end() ? nullptr : &points_[found->second];
        if (inlet == nullptr || !inlet->state) {
            process.result = Fail(Failure(FailureKind::NoInput,
                                          "The entering point " +
                                              (inlet ? Quoted(inlet->name) + " " : std::string()) +
                                              "has no state."));
            return;
        }
        std::optional<double> upstream;
        if (const auto producer = madeBy.find(inlet->id); producer != madeBy.end()) {
            if (const auto& made = processes_[producer->second].result) {
                upstream = made->loads.dryAirFlow;
            }
        }
        const Outcome<double> flow = DryAirFlow(d.flows[i], *inlet->state, upstream);
        if (!flow) {
            process.result = Fail(flow.error());
            return;
        }
        inlets.push_back(*inlet->state);
        flows.push_back(*flow);
    }
    process.result = ComputeProcess(air, d.kind, d.parameters, inlets, flows);
}

Outcome<Done> ProcessSet::checkName(const std::string& name, PointId except) const {
    if (auto named = CheckPointName(name); !named) {
        return named;
    }
    const Point* other = pointNamed(name);
    if (other != nullptr && other->id != except) {
        return Fail(Refused("Another point is named " + Quoted(name) + "."));
    }
    return Done{};
}

Outcome<Done> ProcessSet::checkInlets(const ProcessDefinition& d, std::size_t before) const {
    if (auto counted = CheckInletCount(d); !counted) {
        return counted;
    }
    for (PointId id : d.inlets) {
        const Point* inlet = point(id);
        if (inlet == nullptr) {
            return Fail(Refused("The entering point does not exist."));
        }
        const auto producer = producerOf(id);
        if (producer && *producer >= before) {
            return Fail(Refused("Point " + Quoted(inlet->name) + " is made by " +
                                ProcessNumber(*producer) + ", which comes later."));
        }
    }
    return Done{};
}

PointId ProcessSet::newPoint(std::string name, std::optional<PointConditions> given) {
    Point p;
    p.id = nextId_++;
    p.name = std::move(name);
    p.given = given;
    points_.push_back(std::move(p));
    return points_.back().id;
}

Outcome<PointId> ProcessSet::addPoint(const PointConditions& conditions, const std::string& name) {
    const std::string trimmed = name.empty() ? nextPointName() : TrimmedName(name);
    if (auto named = checkName(trimmed, 0); !named) {
        return Fail(named.error());
    }
    ProcessSet trial = *this;
    const PointId id = trial.newPoint(trimmed, conditions);
    trial.recompute();
    if (const auto& state = trial.point(id)->state; !state) {
        return Fail(state.error());
    }
    *this = std::move(trial);
    return id;
}

Outcome<Done> ProcessSet::setConditions(PointId id, const PointConditions& conditions) {
    const Point* p = point(id);
    if (p == nullptr || !p->given) {
        return Fail(Refused("Only a given point has conditions to change."));
    }
    ProcessSet trial = *this;
    trial.mutablePoint(id)->given = conditions;
    trial.recompute();
    if (const auto& state = trial.point(id)->state; !state) {
        return Fail(state.error());
    }
    *this = std::move(trial);
    return Done{};
}

Outcome<Done> ProcessSet::rename(PointId id, const std::string& name) {
    Point* p = mutablePoint(id);
    if (p == nullptr) {
        return Fail(Refused("The point does not exist."));
    }
    const std::string trimmed = TrimmedName(name);
    if (auto named = checkName(trimmed, id); !named) {
        return named;
    }
    p->name = trimmed;
    return Done{};
}

Outcome<Done> ProcessSet::deletePoint(PointId id) {
    const Point* p = point(id);
    if (p == nullptr) {
        return Fail(Refused("The point does not exist."));
    }
    for (std::size_t i = 0; i < processes_.size(); ++i) {
        const auto& inlets = processes_[i].definition.inlets;
        if (std::find(inlets.begin(), inlets.end(), id) != inlets.end()) {
            return Fail(Refused(ProcessNumber(i) + " uses point " + Quoted(p->name) +
                                ": delete that process first."));
        }
    }
    if (const auto producer = producerOf(id)) {
        return Fail(Refused("Point " + Quoted(p->name) + " is made by " + ProcessNumber(*producer) +
                            ": delete that process instead."));
    }
    std::erase_if(points_, [&](const Point& q) { return q.id == id; });
    return Done{};
}

Outcome<std::size_t> ProcessSet::addProcess(const ProcessDefinition& definition) {
    if (auto inlets = checkInlets(definition, processes_.size()); !inlets) {
        return Fail(inlets.error());
    }
    ProcessSet trial = *this;
    Process process;
    process.definition = definition;
    for (int i = 0; i < InfoOf(definition.kind).outlets; ++i) {
        process.outlets.push_back(trial.newPoint(trial.nextPointName(), std::nullopt));
    }
    trial.processes_.push_back(std::move(process));
    trial.recompute();
    if (const auto& result = trial.processes_.back().result; !result) {
        return Fail(result.error());
    }
    *this = std::move(trial);
    return processes_.size() - 1;
}

Outcome<Done> ProcessSet::changeProcess(std::size_t index, const ProcessDefinition& definition) {
    if (index >= processes_.size()) {
        return Fail(Refused("The process does not exist."));
    }
    if (static_cast<std::size_t>(InfoOf(definition.kind).outlets) !=
        processes_[index].outlets.size()) {
        return Fail(Refused("A process can only become one with as many outlet points."));
    }
    if (auto inlets = checkInlets(definition, index); !inlets) {
        return inlets;
    }
    ProcessSet trial = *this;
    trial.processes_[index].definition = definition;
    trial.recompute();
    if (const auto& result = trial.processes_[index].result; !result) {
        return Fail(result.error());
    }
    *this = std::move(trial);
    return Done{};
}

Outcome<Done> ProcessSet::deleteProcess(std::size_t index) {
    if (index >= processes_.size()) {
        return Fail(Refused("The process does not exist."));
    }
    const std::vector<PointId> outlets = processes_[index].outlets;
    for (std::size_t i = index + 1; i < processes_.size(); ++i) {
        for (PointId inlet : processes_[i].definition.inlets) {
            if (std::find(outlets.begin(), outlets.end(), inlet) != outlets.end()) {
                return Fail(Refused(ProcessNumber(i) + " uses point " + Quoted(point(inlet)->name) +
                                    ": delete that process first."));
            }
        }
    }
    processes_.erase(processes_.begin() + static_cast<std::ptrdiff_t>(index));
    std::erase_if(points_, [&](const Point& p) {
        return std::find(outlets.begin(), outlets.end(), p.id) != outlets.end();
    });
    recompute();
    return Done{};
}

Outcome<ProcessSet> ProcessSet::FromRecords(const SetRecords& records) {
    ProcessSet set;
    set.ambient_ = records.ambient;
    // Names and claims by lookup, so that a file of many thousands of points opens in linear time.
    std::unordered_map<std::string, std::size_t> named;
    for (const PointRecord& record : records.points) {
        if (auto named = CheckPointName(record.name); !named) {
            return Fail(named.error());
        }
        if (!named.emplace(record.name, set.points_.size()).second) {
            return Fail(Refused("Another point is named " + Quoted(record.name) + "."));
        }
        if (TrimmedName(record.name) != record.name) {
            return Fail(Refused("Point " + Quoted(record.name) + " has blanks around its name."));
        }
        set.newPoint(record.name, record.given);
    }
    const auto pointNamed = [&](const std::string& name) -> const Point* {
        const auto found = named.find(name);
        return found == named.end() ? nullptr : &set.points_[found->second];
    };
    std::unordered_set<PointId> claimed;
    for (std::size_t i = 0; i < records.processes.size(); ++i) {
        const ProcessRecord& record = records.processes[i];
        Process process;
        process.definition.kind = record.kind;
        process.definition.flows = record.flows;
        process.definition.parameters = record.parameters;
        for (const std::string& name : record.inlets) {
            const Point* inlet = pointNamed(name);
            if (inlet == nullptr) {
                return Fail(
                    Refused(ProcessNumber(i) + " names an unknown point " + Quoted(name) + "."));
            }
            if (!inlet->given && !claimed.contains(inlet->id)) {
                return Fail(Refused(ProcessNumber(i) + " uses point " + Quoted(name) +
                                    " before a process makes it."));
            }
            process.definition.inlets.push_back(inlet->id);
        }
        // Every inlet is given or made by an earlier process, as checked just above.
        if (auto counted = CheckInletCount(process.definition); !counted) {
            return Fail(Refused(ProcessNumber(i) + ": " + counted.error().message));
        }
        if (record.outlets.size() != static_cast<std::size_t>(InfoOf(record.kind).outlets)) {
            return Fail(Refused(ProcessNumber(i) + " has the wrong number of outlet points."));
        }
        for (const std::string& name : record.outlets) {
            const Point* outlet = pointNamed(name);
            if (outlet == nullptr || outlet->given || !claimed.insert(outlet->id).second) {
                return Fail(Refused(ProcessNumber(i) + " names " + Quoted(name) +
                                    " as its outlet, which is not a point of its own."));
            }
            process.outlets.push_back(outlet->id);
        }
        set.processes_.push_back(std::move(process));
    }
    for (const Point& p : set.points_) {
        if (!p.given && !claimed.contains(p.id)) {
            return Fail(Refused("Point " + Quoted(p.name) + " has no conditions and no process."));
        }
    }
    set.recompute();
    return set;
}

SetRecords ProcessSet::Records() const {
    SetRecords records;
    records.ambient = ambient_;
    std::unordered_map<PointId, const std::string*> names;
    for (const Point& p : points_) {
        names.emplace(p.id, &p.name);
    }
    const auto nameOf = [&](PointId id) { return *names.at(id); };
    for (const Point& p : points_) {
        records.points.push_back({p.name, p.given});
    }
    for (const Process& process : processes_) {
        ProcessRecord record;
        record.kind = process.definition.kind;
        record.flows = process.definition.flows;
        record.parameters = process.definition.parameters;
        std::transform(process.definition.inlets.begin(), process.definition.inlets.end(),
                       std::back_inserter(record.inlets), nameOf);
        std::transform(process.outlets.begin(), process.outlets.end(),
                       std::back_inserter(record.outlets), nameOf);
        records.processes.push_back(std::move(record));
    }
    return records;
}

} // namespace hygrovane::processes
