#include "reference_support.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace hygrovane::reference {

double Number(std::istream& in) {
    std::string text;
    in >> text;
    return std::strtod(text.c_str(), nullptr);
}

void Print(const std::vector<double>& values) {
    std::printf("ok");
    for (double v : values) {
        std::printf(" %a", v);
    }
    std::printf("\n");
}

void PrintFailure(const std::string& message) {
    std::printf("fail %s\n", message.c_str());
}

int Serve(const std::map<std::string, Command>& commands) {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        const auto found = commands.find(command);
        if (found == commands.end()) {
            PrintFailure("unknown command");
        } else {
            found->second(in);
        }
    }
    return 0;
}

} // namespace hygrovane::reference
