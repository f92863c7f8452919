#pragma once

// The published comfort tables under data/, read by Qt's JSON reader into a plain tree the tests
// walk. A malformed file fails the test that reads it.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::comfort::test {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;

    const Json* find(const std::string& key) const;
    bool isNull() const { return type == Type::Null; }
};

// The file under the comfort test data folder; fails the calling test when unreadable.
Json LoadTable(const std::string& name);

// The published tables give some rows as vectors (one case per element, scalars shared): the
// number of cases of a row, and the value of a field in case i.
std::size_t CasesOf(const Json& row);
const Json& CaseValue(const Json& field, std::size_t i);
// A field of the row's "inputs" or "outputs" in case i; nullptr when the row lacks it.
const Json* Field(const Json& row, const char* part, const char* key, std::size_t i);
// A text naming the row's inputs for failure messages.
std::string RowText(const Json& row, std::size_t i);

// Where the test data lies: the checked-in copies, and the shared weather files beside the clone.
std::string ComfortDataPath(const std::string& name);
std::string SharedDataPath(const std::string& name);

} // namespace hygrovane::comfort::test
