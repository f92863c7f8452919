#include "streams/stream_series.h"

namespace hygrovane::streams {

const char* KeyOf(StreamName name) {
    switch (name) {
    case StreamName::Outdoor:
        return "outdoor";
    case StreamName::Return:
        return "return";
    case StreamName::Mixed:
        return "mixed";
    case StreamName::AfterRecovery:
        return "after-recovery";
    case StreamName::Supply:
        return "supply";
    }
    return "";
}

std::optional<StreamName> StreamNamed(std::string_view key) {
    for (const StreamName name : kStreamNames) {
        if (key == KeyOf(name)) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace hygrovane::streams
