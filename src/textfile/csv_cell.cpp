#include "textfile/csv_cell.h"

namespace hygrovane::textfile {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// [+-] digits [. or , digits] [e [+-] digits], with a digit before or after the point.
bool IsNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t start = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
        }
        if (i == start) {
            return false;
        }
    }
    return i == text.size();
}

} // namespace

bool RunsAsFormula(std::string_view text) {
    if (text.empty() || std::string_view("=+-@").find(text.front()) == std::string_view::npos) {
        return false;
    }
    const bool loneSign = text.size() == 1 && (text.front() == '+' || text.front() == '-');
    return !loneSign && !IsNumber(text);
}

std::string KeptAsText(std::string_view text) {
    return RunsAsFormula(text) ? "'" + std::string(text) : std::string(text);
}

void AppendCsvCell(std::string& out, std::string_view text, char separator, bool always) {
    const std::string kept = KeptAsText(text);
    const char special[] = {separator, '"', '\r', '\n'};
    if (!always && kept.find_first_of(std::string_view(special, 4)) == std::string::npos) {
        out += kept;
        return;
    }
    out += '"';
    for (const char c : kept) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

} // namespace hygrovane::textfile
