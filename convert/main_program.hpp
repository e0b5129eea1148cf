// convert/main_program.hpp: the converter's only entry, and its reading step.
#pragma once
#include "convert/network.hpp"

namespace zx::convert {

// The whole run; it never returns.
[[noreturn]] void mainProgram(int argc, char** argv);

// Scans the open .inp file, then reads every section present from the file's start, in the
// fixed order, with the check that links and cross-sections pair up.
void readNetwork(Network& network, int unit);

}  // namespace zx::convert
