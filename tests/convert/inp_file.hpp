// tests/convert/inp_file.hpp: an .inp text in a temporary file, open on a unit as the main
// program opens it, for the scan, the readers and the network built from it.
#pragma once
#include <string>
#include <string_view>

#include "common/units.hpp"
#include "convert/main_program.hpp"
#include "support/test_support.hpp"

namespace zx::test {

class InpFile {
public:
    explicit InpFile(std::string_view text) {
        writeText(dir_.path() / "model.inp", text);
        INITUNITS(1000);
        OPENFREEUNIT(unit_, "I ", dir_.file("model.inp"), 80);
    }
    ~InpFile() { CLOSER(unit_); }
    InpFile(const InpFile&) = delete;
    InpFile& operator=(const InpFile&) = delete;
    int unit() const { return unit_; }

private:
    TempDir dir_;
    int unit_ = 0;
};

// Runs the call on the unit of the text with the console captured; gives back what the call
// wrote (the opener's lines left out).
template <typename Call>
std::string consoleOf(std::string_view text, Call call) {
    ConsoleCapture console;
    InpFile file(text);
    const std::size_t opened = console.text().size();
    call(file.unit());
    return console.text().substr(opened);
}

// The network of a hand-made .inp text as the main program reads it, the reading lines left off
// the console.
inline convert::Network readModel(std::string_view text) {
    convert::Network network;
    consoleOf(text, [&](int unit) { convert::readNetwork(network, unit); });
    return network;
}

}  // namespace zx::test
