#pragma once

// hygrovane-climate with --stream: the streams read from the input and the --stream-file files
// through the logger reader, aligned, judged and written all or nothing.

#include "climatecli/command_line.h"

#include <cstdio>
#include <string>

namespace hygrovane::climatecli {

// The exit status; `input` is the input file's text, already read.
int RunStreams(const CommandLine& line, std::string input, std::FILE* out, std::FILE* err);

} // namespace hygrovane::climatecli
