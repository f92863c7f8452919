#include "textfile/text_lines.h"

namespace hygrovane::textfile {

namespace {

// A quoted cell may hold a line break of the other kind; quotes never span lines.
bool BetweenQuotes(std::string_view line, std::size_t at) {
    std::size_t quotes = 0;
    for (std::size_t i = 0; i < at; ++i) {
        quotes += line[i] == '"' ? 1 : 0;
    }
    return quotes % 2 == 1;
}

} // namespace

std::string_view NameOf(LineEnd end) {
    switch (end) {
    case LineEnd::Lf:
        return "LF";
    case LineEnd::CrLf:
        return "CRLF";
    case LineEnd::Cr:
        break;
    }
    return "CR";
}

std::string_view BytesOf(LineEnd end) {
    switch (end) {
    case LineEnd::Lf:
        return "\n";
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::Cr:
        break;
    }
    return "\r";
}

std::size_t MarkLength(std::string_view bytes) {
    return bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
}

std::optional<LineEnd> FirstLineEnd(std::string_view bytes, std::size_t from, bool complete) {
    const std::size_t at = bytes.find_first_of("\r\n", from);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    if (bytes[at] == '\n') {
        return LineEnd::Lf;
    }
    if (at + 1 == bytes.size()) {
        return complete ? std::optional(LineEnd::Cr) : std::nullopt;
    }
    return bytes[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

std::string_view NameOf(LineFailureKind kind) {
    switch (kind) {
    case LineFailureKind::CrAlone:
        return "CR alone";
    case LineFailureKind::LfAlone:
        return "LF alone";
    case LineFailureKind::CrLf:
        return "CRLF";
    case LineFailureKind::Lf:
        return "LF";
    }
    return "CR alone";
}

std::string DescribeEnd(const LineFailure& failure) {
    return "ends with " + std::string(NameOf(failure.kind)) + " where the file's lines end with " +
           std::string(NameOf(failure.expected)) + "; save it with one kind of line end";
}

std::string Describe(const LineFailure& failure) {
    return "line " + std::to_string(failure.line) + " " + DescribeEnd(failure);
}

Lines::Lines(std::string_view text, LineEnd kind, bool complete, std::size_t firstLine)
    : text_(text), kind_(kind), complete_(complete), number_(firstLine - 1) {}

bool Lines::Next(std::string_view& line) {
    if (failure_ || at_ >= text_.size()) {
        return false;
    }
    const std::string_view rest = text_.substr(at_);
    std::size_t end = rest.find(kind_ == LineEnd::Cr ? '\r' : '\n');
    const bool ended = end != std::string_view::npos;
    std::size_t next = end + 1;
    if (!ended) {
        if (!complete_) {
            return false;
        }
        end = next = rest.size();
        if (kind_ == LineEnd::CrLf && end > 0 && rest[end - 1] == '\r') {
            --end; // a CRLF file cut after its last CR
        }
    } else if (kind_ == LineEnd::CrLf) {
        if (end == 0 || rest[end - 1] != '\r') {
            failure_ = LineFailure{LineFailureKind::LfAlone, number_ + 1, kind_};
            return false;
        }
        --end;
    }
    const std::string_view candidate = rest.substr(0, end);
    const char foreign = kind_ == LineEnd::Cr ? '\n' : '\r';
    for (std::size_t at = candidate.find(foreign); at != std::string_view::npos;
         at = candidate.find(foreign, at + 1)) {
        if (BetweenQuotes(candidate, at)) {
            continue;
        }
        if (kind_ == LineEnd::Cr) {
            // An LF just after the CR that ended the line before makes that one a CRLF.
            const bool pair = at == 0 && at_ > 0 && text_[at_ - 1] == '\r';
            failure_ = pair ? LineFailure{LineFailureKind::CrLf, number_, kind_}
                            : LineFailure{LineFailureKind::Lf, number_ + 1, kind_};
        } else {
            const bool pair = kind_ == LineEnd::Lf && ended && at + 1 == candidate.size();
            failure_ = LineFailure{pair ? LineFailureKind::CrLf : LineFailureKind::CrAlone,
                                   number_ + 1, kind_};
        }
        return false;
    }
    line = candidate;
    at_ += next;
    ++number_;
    return true;
}

} // namespace hygrovane::textfile
