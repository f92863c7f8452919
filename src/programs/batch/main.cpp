// hygrovane-batch: the psychrometric state of every row of a logger file.
#include "batch/command_line.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return hygrovane::batch::RunCommandLine(args, stdout, stderr, isatty(fileno(stderr)) != 0);
}
