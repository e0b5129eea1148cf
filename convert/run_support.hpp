// convert/run_support.hpp: what every stage of a conversion writes with: console lines, the one
// fatal path and the output folders. All of it goes to standard output.
#pragma once
#include <initializer_list>
#include <string_view>

namespace zx::convert {

// An empty line, then the line.
void writeAfterEmptyLine(std::string_view line);

enum class Spacing { None, EmptyLineBefore };
// Writes the lines (after an empty line when asked) and ends the run through EXITS.
[[noreturn]] void stopWith(std::initializer_list<std::string_view> lines, Spacing spacing = Spacing::None);

// Makes the output folder (an existing one is fine); when it cannot be made, the error line
// after an empty line and the end of the run.
void makeOutputFolder(std::string_view folder, std::string_view errorLine);

}  // namespace zx::convert
