#include "climate/read_failure.h"

namespace hygrovane::climate {

std::string Describe(const ReadFailure& failure) {
    std::string text;
    if (failure.line > 0) {
        text = "line " + std::to_string(failure.line);
        if (failure.field > 0) {
            text += ", field " + std::to_string(failure.field);
        }
        text += ": ";
    }
    return text + failure.detail;
}

} // namespace hygrovane::climate
