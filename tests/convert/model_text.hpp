// tests/convert/model_text.hpp: a network read from a hand-made .inp text as the main program
// reads it, the reading lines left off the console.
#pragma once
#include <string_view>

#include "convert/inp_file.hpp"
#include "convert/main_program.hpp"

namespace zx::test {

inline convert::Network readModel(std::string_view text) {
    convert::Network network;
    consoleOf(text, [&](int unit) { convert::readNetwork(network, unit); });
    return network;
}

}  // namespace zx::test
