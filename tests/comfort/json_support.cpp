#include "json_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace hygrovane::comfort::test {

const Json* Json::find(const std::string& key) const {
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
}

namespace {

class Parser {
  public:
    explicit Parser(const std::string& text) : s_(text) {}

    std::optional<Json> document(std::string* error) {
        std::optional<Json> v = value();
        skip();
        if (v && pos_ != s_.size()) {
            v.reset();
            fail("text after the document");
        }
        if (!v && error) {
            *error = error_ + " at offset " + std::to_string(pos_);
        }
        return v;
    }

  private:
    void skip() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) {
            ++pos_;
        }
    }
    std::nullopt_t fail(const char* why) {
        if (error_.empty()) {
            error_ = why;
        }
        return std::nullopt;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (s_.compare(pos_, w.size(), w) == 0) {
            pos_ += w.size();
            return true;
        }
        return false;
    }
    std::optional<std::string> string() {
        std::string out;
        ++pos_; // the opening quote
        while (pos_ < s_.size() && s_[pos_] != '"') {
            if (s_[pos_] == '\\' && pos_ + 1 < s_.size()) {
                ++pos_;
            }
            out += s_[pos_++];
        }
        if (pos_ >= s_.size()) {
            return fail("unterminated string");
        }
        ++pos_;
        return out;
    }
    std::optional<Json> value() {
        skip();
        if (pos_ >= s_.size()) {
            return fail("unexpected end");
        }
        Json v;
        const char c = s_[pos_];
        if (c == '{') {
            v.type = Json::Type::Object;
            ++pos_;
            skip();
            if (pos_ < s_.size() && s_[pos_] == '}') {
                ++pos_;
                return v;
            }
            while (true) {
                skip();
                if (pos_ >= s_.size() || s_[pos_] != '"') {
                    return fail("expected a key");
                }
                std::optional<std::string> key = string();
                skip();
                if (!key || pos_ >= s_.size() || s_[pos_++] != ':') {
                    return fail("expected ':'");
                }
                std::optional<Json> member = value();
                if (!member) {
                    return std::nullopt;
                }
                v.members[*key] = std::move(*member);
                skip();
                if (pos_ < s_.size() && s_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < s_.size() && s_[pos_] == '}') {
                    ++pos_;
                    return v;
                }
                return fail("expected ',' or '}'");
            }
        }
        if (c == '[') {
            v.type = Json::Type::Array;
            ++pos_;
            skip();
            if (pos_ < s_.size() && s_[pos_] == ']') {
                ++pos_;
                return v;
            }
            while (true) {
                std::optional<Json> item = value();
                if (!item) {
                    return std::nullopt;
                }
                v.items.push_back(std::move(*item));
                skip();
                if (pos_ < s_.size() && s_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < s_.size() && s_[pos_] == ']') {
                    ++pos_;
                    return v;
                }
                return fail("expected ',' or ']'");
            }
        }
        if (c == '"') {
            std::optional<std::string> text = string();
            if (!text) {
                return std::nullopt;
            }
            v.type = Json::Type::String;
            v.text = std::move(*text);
            return v;
        }
        if (literal("true") || literal("false")) {
            v.type = Json::Type::Bool;
            v.boolean = s_[pos_ - 1] == 'e' && s_[pos_ - 2] == 'u';
            return v;
        }
        if (literal("null")) {
            return v;
        }
        const char* begin = s_.c_str() + pos_;
        char* end = nullptr;
        v.number = std::strtod(begin, &end);
        if (end == begin) {
            return fail("expected a value");
        }
        v.type = Json::Type::Number;
        pos_ += static_cast<std::size_t>(end - begin);
        return v;
    }

    const std::string& s_;
    std::size_t pos_ = 0;
    std::string error_;
};

} // namespace

std::optional<Json> ParseJson(const std::string& text, std::string* error) {
    return Parser(text).document(error);
}

std::size_t CasesOf(const Json& row) {
    std::size_t n = 1;
    for (const char* part : {"inputs", "outputs"}) {
        if (const Json* p = row.find(part)) {
            for (const auto& [key, value] : p->members) {
                if (value.type == Json::Type::Array) {
                    n = std::max(n, value.items.size());
                }
            }
        }
    }
    return n;
}

const Json& CaseValue(const Json& field, std::size_t i) {
    return field.type == Json::Type::Array ? field.items.at(i) : field;
}

const Json* Field(const Json& row, const char* part, const char* key, std::size_t i) {
    const Json* p = row.find(part);
    const Json* f = p ? p->find(key) : nullptr;
    return f ? &CaseValue(*f, i) : nullptr;
}

std::string RowText(const Json& row, std::size_t i) {
    std::ostringstream out;
    if (const Json* source = row.find("source")) {
        out << source->text << ": ";
    }
    if (const Json* inputs = row.find("inputs")) {
        for (const auto& [key, value] : inputs->members) {
            const Json& v = CaseValue(value, i);
            out << key << "=";
            if (v.type == Json::Type::Number) {
                out << v.number;
            } else if (v.type == Json::Type::String) {
                out << v.text;
            } else if (v.type == Json::Type::Bool) {
                out << (v.boolean ? "true" : "false");
            }
            out << " ";
        }
    }
    return out.str();
}

std::string ComfortDataPath(const std::string& name) {
    return std::string(HYGROVANE_COMFORT_DATA) + "/" + name;
}

std::string SharedDataPath(const std::string& name) {
    return std::string(HYGROVANE_SHARED_DATA) + "/" + name;
}

Json LoadTable(const std::string& name) {
    std::ifstream in(ComfortDataPath(name));
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    std::optional<Json> json = ParseJson(text.str(), &error);
    EXPECT_TRUE(in.good() || in.eof()) << name;
    EXPECT_TRUE(json.has_value()) << name << ": " << error;
    return json ? *json : Json{};
}

} // namespace hygrovane::comfort::test
