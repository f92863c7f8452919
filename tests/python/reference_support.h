#pragma once

// What the reference programs share: one request per line of standard input, named by its first
// word, and one answer per line, numbers as C hex floats (%a) so that they read back exactly.

#include <functional>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace hygrovane::reference {

// The next word of a request as a double (strtod reads hex floats and "nan" as written).
double Number(std::istream& in);

// "ok" and the values.
void Print(const std::vector<double>& values);

// "fail" and the sentence.
void PrintFailure(const std::string& message);

using Command = std::function<void(std::istream&)>;

// Answers every line of standard input with the command its first word names; 0 at its end.
int Serve(const std::map<std::string, Command>& commands);

} // namespace hygrovane::reference
