// hygrovane-climate: a weather file's hours in comfort and strategy zones, and its design
// conditions.
#include "climatecli/command_line.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return hygrovane::climatecli::RunCommandLine(args, stdout, stderr);
}
