#include "analysis_support.h"

#include <gtest/gtest.h>

namespace hygrovane::climateanalysis::testing {

ClimateResult Analysed(const ClimateSettings& settings) {
    const auto data = Chicago();
    if (!data) {
        return {};
    }
    auto result = Analyse(data, settings);
    EXPECT_TRUE(result.has_value()) << (result ? "" : Describe(result.error()));
    return result ? result.value() : ClimateResult{};
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "a quote left open";
    EXPECT_TRUE(row.empty() && field.empty()) << "the last row has no line end";
    return rows;
}

} // namespace hygrovane::climateanalysis::testing
