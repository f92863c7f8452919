#pragma once

#include "processes/air_model.h"
#include "processes/flows.h"
#include "processes/process_kinds.h"
#include "processes/process_result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hygrovane::processes {

using PointId = int;

// A named state point: given by its conditions, or the outlet of a process.
struct Point {
    PointId id = 0;
    std::string name;
    std::optional<PointConditions> given; // empty for a process's outlet
    Outcome<AirState> state = Fail(Failure(FailureKind::NoInput, "Not computed."));
};

// What the user gives for a process. inlets and flows: one each (two for mixing).
struct ProcessDefinition {
    ProcessKind kind = ProcessKind::SensibleToDryBulb;
    std::vector<PointId> inlets;
    std::vector<AirFlow> flows;
    ProcessParameters parameters;
};

struct Process {
    ProcessDefinition definition;
    std::vector<PointId> outlets; // made by the set, named like other points
    Outcome<ProcessResult> result = Fail(Failure(FailureKind::NoInput, "Not computed."));
};

// A set as files hold it: points and processes refer to points by name.
struct PointRecord {
    std::string name;
    std::optional<PointConditions> given;

    friend bool operator==(const PointRecord&, const PointRecord&) = default;
};
struct ProcessRecord {
    ProcessKind kind = ProcessKind::SensibleToDryBulb;
    std::vector<std::string> inlets;
    std::vector<AirFlow> flows;
    ProcessParameters parameters;
    std::vector<std::string> outlets;

    friend bool operator==(const ProcessRecord&, const ProcessRecord&) = default;
};
struct SetRecords {
    ProcessAmbient ambient;
    std::vector<PointRecord> points;
    std::vector<ProcessRecord> processes;

    friend bool operator==(const SetRecords&, const SetRecords&) = default;
};

// The points and processes of one set, all at the set's pressure and formulation. Every change
// recomputes every point and process in order (a process uses only points given or made before
// it). A command that cannot be carried out changes nothing and says why.
class ProcessSet {
  public:
    ProcessSet() { recompute(); }

    // A set from records; refuses records that do not form one (names, references, order).
    static Outcome<ProcessSet> FromRecords(const SetRecords& records);
    SetRecords Records() const;

    const ProcessAmbient& ambient() const { return ambient_; }
    const std::vector<Point>& points() const { return points_; }
    const std::vector<Process>& processes() const { return processes_; }
    const Point* point(PointId id) const;
    const Point* pointNamed(std::string_view name) const;
    // The process whose outlet the point is; none for a given point.
    std::optional<std::size_t> producerOf(PointId id) const;

    // Recomputes everything at another pressure or formulation; failures stay on the points and
    // processes they reach.
    void setAmbient(const ProcessAmbient& ambient);

    // A given point, named name or the next free name (A, B, ... Z, AA, AB ...); refused when the
    // core refuses its conditions.
    Outcome<PointId> addPoint(const PointConditions& conditions, const std::string& name = {});
    Outcome<Done> setConditions(PointId id, const PointConditions& conditions);
    // Names are unique, 1 to 24 characters after trimming blanks, without control characters or
    // invisible ones (see CheckPointName).
    Outcome<Done> rename(PointId id, const std::string& name);
    // Refused for a point a process uses, and for a process's outlet (delete the process).
    Outcome<Done> deletePoint(PointId id);

    // Adds a process with new outlet points; refused when it cannot be computed.
    Outcome<std::size_t> addProcess(const ProcessDefinition& definition);
    // Changes a process's flows and parameters (and kind, keeping its number of outlets);
    // refused when it could then not be computed.
    Outcome<Done> changeProcess(std::size_t index, const ProcessDefinition& definition);
    // Deletes a process and its outlets; refused while a later process uses an outlet.
    Outcome<Done> deleteProcess(std::size_t index);

    std::string nextPointName() const;

  private:
    void recompute();
    void computeProcess(const AirModel& air, Process& process,
                        const std::unordered_map<PointId, std::size_t>& at,
                        const std::unordered_map<PointId, std::size_t>& madeBy);
    Point* mutablePoint(PointId id);
    Outcome<Done> checkName(const std::string& name, PointId except) const;
    Outcome<Done> checkInlets(const ProcessDefinition& definition, std::size_t before) const;
    PointId newPoint(std::string name, std::optional<PointConditions> given);

    ProcessAmbient ambient_;
    std::vector<Point> points_;
    std::vector<Process> processes_;
    PointId nextId_ = 1;
};

// The dry-air flow (kg/s) of a flow given in a unit, at its entering state; Upstream needs the
// dry-air flow of the process that made the entering point.
Outcome<double> DryAirFlow(const AirFlow& flow, const AirState& entering,
                           std::optional<double> upstream);

// A name trimmed of blanks at both ends.
std::string TrimmedName(std::string_view name);

// Done when a (trimmed) text can be a point's name; otherwise why not: empty, longer than 24
// characters, not UTF-8, or holding a control character, a line or paragraph separator, or a
// character that is invisible or turns the direction of the text (bidirectional marks, embeddings,
// overrides and isolates, zero-width spaces and joiners, the byte-order mark) and so could make one
// name look like another.
Outcome<Done> CheckPointName(std::string_view name);

} // namespace hygrovane::processes
