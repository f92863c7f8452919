#include "climateanalysis/writer_support.h"

#include "text/number_text.h"
#include "textfile/csv_cell.h"
#include "textfile/json_string.h"

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

} // namespace hygrovane::climateanalysis::detail
