#include "climatecli/stream_options.h"

#include "text/number_parse.h"
#include "text/number_text.h"

#include <algorithm>

namespace hygrovane::climatecli {

namespace {

using Taken = Expected<Done, std::string>;

constexpr std::string_view kNames[] = {
    "--stream",          "--stream-file",        "--align",           "--align-tolerance", "--flow",
    "--frozen-readings", "--fraction-tolerance", "--heating-lockout", "--no-heating"};

// The options beside --stream: where the figures are written and the saturation formulation.
constexpr std::string_view kAlongside[] = {"-o", "--output", "--format", "--formulation"};

Taken Number(const std::string& option, const std::string& value, double low, double high,
             const char* unit, double& into) {
    const auto number = text::ParseNumber(value);
    if (!number || *number < low || *number > high) {
        return Fail(option + " takes a number from " + text::GeneralText(low, 6) + " to " +
                    text::GeneralText(high, 6) + " " + unit + " (not \"" + value + "\")");
    }
    into = *number;
    return Done{};
}

// NAME=TEXT with a stream's name; the text may be empty.
Expected<std::pair<streams::StreamName, std::string>, std::string> Named(const std::string& option,
                                                                         const std::string& value) {
    const std::size_t equals = value.find('=');
    const auto name = streams::StreamNamed(value.substr(0, equals));
    if (equals == std::string::npos || !name) {
        return Fail(option + " takes NAME=" + (option == "--stream" ? "PREFIX" : "FILE") +
                    " with NAME outdoor, return, mixed, after-recovery or supply (not \"" + value +
                    "\")");
    }
    return std::pair{*name, value.substr(equals + 1)};
}

} // namespace

bool StreamOptions::Any() const {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [](const auto& p) { return p.has_value(); });
}

cli::OptionTable StreamOptionTable(StreamOptions& o) {
    return {
        {{"--stream"},
         true,
         [&o](const std::string& value) -> Taken {
             const auto named = Named("--stream", value);
             if (!named) {
                 return Fail(named.error());
             }
             auto& prefix = o.prefixes[streams::IndexOf(named->first)];
             if (prefix) {
                 return Fail("--stream " + value.substr(0, value.find('=')) + " is given twice");
             }
             prefix = named->second;
             return Done{};
         }},
        {{"--stream-file"},
         true,
         [&o](const std::string& value) -> Taken {
             const auto named = Named("--stream-file", value);
             if (!named) {
                 return Fail(named.error());
             }
             if (named->second.empty()) {
                 return Fail(std::string("--stream-file takes NAME=FILE with a file name"));
             }
             o.files[streams::IndexOf(named->first)] = named->second;
             return Done{};
         }},
        {{"--align"},
         true,
         [&o](const std::string& value) -> Taken {
             if (value != "nearest" && value != "linear") {
                 return Fail(std::string("--align takes nearest or linear"));
             }
             o.alignment.how =
                 value == "nearest" ? streams::Alignment::Nearest : streams::Alignment::Linear;
             return Done{};
         }},
        {{"--align-tolerance"},
         true,
         [&o](const std::string& value) {
             return Number("--align-tolerance", value, 0, 86400, "s", o.alignment.toleranceSeconds);
         }},
        {{"--flow"},
         true,
         [&o](const std::string& value) -> Taken {
             double flow = 0;
             auto taken = Number("--flow", value, 0.001, 1000, "kg/s", flow);
             if (taken) {
                 o.judgement.massFlow = flow;
             }
             return taken;
         }},
        {{"--frozen-readings"},
         true,
         [&o](const std::string& value) -> Taken {
             const auto n = text::ParseInteger<int>(value);
             if (!n || *n < 2 || *n > 100000) {
                 return Fail("--frozen-readings takes a whole number from 2 to 100000 (not \"" +
                             value + "\")");
             }
             o.alignment.frozenReadings = *n;
             return Done{};
         }},
        {{"--fraction-tolerance"},
         true,
         [&o](const std::string& value) {
             return Number("--fraction-tolerance", value, 0, 1, "", o.judgement.fractionTolerance);
         }},
        {{"--heating-lockout"},
         true,
         [&o](const std::string& value) -> Taken {
             double t = 0;
             auto taken = Number("--heating-lockout", value, -50, 50, "degC", t);
             if (taken) {
                 o.judgement.heatingLockout = t;
             }
             return taken;
         }},
        {{"--no-heating"},
         false,
         [&o](const std::string&) -> Taken {
             o.judgement.heats = false;
             return Done{};
         }},
    };
}

Expected<Done, StreamOptionsFailure> CheckStreamOptions(const StreamOptions& options,
                                                        const std::vector<std::string>& given) {
    using Kind = StreamOptionsFailureKind;
    const auto isStreamOption = [](const std::string& o) {
        return std::find(std::begin(kNames), std::end(kNames), o) != std::end(kNames);
    };
    if (!options.Any()) {
        for (const std::string& option : given) {
            if (isStreamOption(option)) {
                return Fail(StreamOptionsFailure{Kind::NeedsStream, option + " needs a --stream"});
            }
        }
        return Done{};
    }
    for (std::size_t s = 0; s < streams::kStreamCount; ++s) {
        const std::string name = streams::KeyOf(static_cast<streams::StreamName>(s));
        if (!options.files[s].empty() && !options.prefixes[s]) {
            return Fail(StreamOptionsFailure{Kind::FileWithoutStream,
                                             "--stream-file " + name + " needs --stream " + name +
                                                 "=PREFIX (an empty prefix takes every column)"});
        }
    }
    for (const std::string& option : given) {
        if (!isStreamOption(option) && std::find(std::begin(kAlongside), std::end(kAlongside),
                                                 option) == std::end(kAlongside)) {
            return Fail(StreamOptionsFailure{
                Kind::NotWithStream,
                option + " does not apply with --stream (the figures are the streams' alone)"});
        }
    }
    return Done{};
}

const char* StreamHelpText() {
    return R"help(Logged air streams (the figures are then the streams' alone):
  --stream NAME=PREFIX     NAME outdoor, return, mixed, after-recovery or supply: the columns
                           whose headers start with PREFIX (then a blank, _, -, : or .), read
                           as hygrovane-batch reads a header's quantity and unit ("MA Temp (F)",
                           "MA RH %"); an empty PREFIX takes every column
  --stream-file NAME=FILE  that stream's columns are in FILE instead of the input
  --align nearest|linear   the nearest reading, or the line between the two around a step
                           (default nearest)
  --align-tolerance S      seconds: how far the nearest reading, or how far apart the two
                           readings, may lie (default 150)
  --flow KG/S              the dry-air flow through the coil: its loads and condensate
  --frozen-readings N      a sensor repeating one value N readings running is frozen (12)
  --fraction-tolerance F   the outdoor-air fractions on humidity ratio and on enthalpy may
                           differ by F, and lie F beyond 0 and 1 (default 0.05)
  --no-heating             the unit has no heating: a supply over 1 K warmer than its source
                           is a fault
  --heating-lockout T      the unit does not heat while the outdoor air is above T degC
)help";
}

} // namespace hygrovane::climatecli
