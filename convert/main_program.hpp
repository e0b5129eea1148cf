// convert/main_program.hpp: the converter's only entry; it never returns.
#pragma once

namespace zx::convert {
[[noreturn]] void mainProgram(int argc, char** argv);
}
