#include "climateanalysis/writer_support.h"

#include "text/number_text.h"
#include "textfile/csv_cell.h"

#include <cmath>
#include <cstdio>

namespace hygrovane::climateanalysis::detail {

std::string Fixed(double value, int decimals, std::string_view none) {
    if (!std::isfinite(value)) {
        return std::string(none);
    }
    // "-0.0" reads as a sign that is not there.
    return text::FixedTextUnsignedZero(value, decimals);
}

std::string CsvField(std::string_view text) {
    std::string field;
    textfile::AppendCsvCell(field, text);
    return field;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

} // namespace hygrovane::climateanalysis::detail
