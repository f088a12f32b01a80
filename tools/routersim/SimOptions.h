// Command line of the routersim program.
#pragma once

#include "SimConfig.h"

#include <cstdint>
#include <string>
#include <vector>

namespace routersim {

struct SimOptions {
    SimConfig config;
    std::uint16_t port = 0;
    bool stdio = false;   // one session on standard input and output instead of a listener
    bool help = false;
};

// Parses the arguments (without the program name). False with a message on any mistake.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions* out, std::string* error);
std::string SimUsage();

// Turns \r, \n, \t, \\ and \xHH in a command-line text into the bytes they stand for.
bool UnescapeText(const std::string& text, std::string* out);

}  // namespace routersim
