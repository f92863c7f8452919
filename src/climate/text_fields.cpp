#include "climate/text_fields.h"

#include "text/number_parse.h"
#include "text/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace hygrovane::climate {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        lines.push_back(line);
    }
    return lines;
}

bool LineReader::Next(std::string_view& line) {
    if (at_ >= text_.size()) {
        return false;
    }
    // The next LF and the next CR, each found by memchr and kept until passed: a search for
    // either of the two would test every byte against both.
    const auto next = [&](char c, std::size_t& found) {
        if (found < at_ || found == kUnknown) {
            found = std::min(text_.find(c, at_), text_.size());
        }
        return found;
    };
    const std::size_t end = std::min(next('\n', lf_), next('\r', cr_));
    line = text_.substr(at_, end - at_);
    at_ = end;
    if (at_ < text_.size() && text_[at_] == '\r') {
        ++at_;
    }
    if (at_ < text_.size() && text_[at_] == '\n') {
        ++at_;
    }
    ++count_;
    return true;
}

bool LineReader::RestBlank() const {
    return text_.find_first_not_of(" \t\"\r\n", at_) == std::string_view::npos;
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields, bool quoted) {
    fields.clear();
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        if (quoted && end < line.size() && line[end] == '"') {
            const std::size_t close = line.find('"', end + 1);
            end = close == std::string_view::npos ? line.size() : close;
        }
        end = line.find(',', end);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> NumberOf(std::string_view field) {
    field = Trimmed(field);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    return text::ParseNumber(field);
}

std::optional<long> IntegerOf(std::string_view field) {
    field = Trimmed(field);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    return text::ParseInteger<long>(field);
}

std::string Utf8Of(std::string_view text) {
    return text::IsValidUtf8(text) ? std::string(text) : text::Latin1ToUtf8(text);
}

} // namespace hygrovane::climate
