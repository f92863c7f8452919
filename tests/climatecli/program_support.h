#pragma once

#include <string>
#include <vector>

namespace hygrovane::climatecli::testing {

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

// The built hygrovane-climate run with these arguments in `folder` (the current one when
// empty), its standard input from `input` (nothing when empty) and its standard output to
// `outputFile` when given (captured otherwise).
Ran RunProgram(const std::vector<std::string>& args, const std::string& folder = {},
               const std::string& input = {}, const std::string& outputFile = {});

// chicago.epw of the shared data, its text read once.
std::string ChicagoPath();
const std::string& ChicagoText();

// A fresh folder for a test's files, removed at the end of the test program.
std::string TemporaryFolder();
std::string TextOf(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

} // namespace hygrovane::climatecli::testing
