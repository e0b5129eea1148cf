// convert/main_program.cpp: command line, projection file, input file and the order of work.
#include "convert/main_program.hpp"

#include "common/exit.hpp"
#include "common/units.hpp"

namespace zx::convert {

void mainProgram(int, char**) {
    INITUNITS(1000);
    EXITS();
}

}  // namespace zx::convert
