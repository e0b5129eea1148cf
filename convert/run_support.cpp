// convert/run_support.cpp: console lines, the fatal stop and output folders of a conversion.
#include "convert/run_support.hpp"

#include "common/exit.hpp"
#include "platform/console.hpp"
#include "platform/filesystem.hpp"

namespace zx::convert {

void writeAfterEmptyLine(std::string_view line) {
    platform::console().writeLine();
    platform::console().writeLine(line);
}

void stopWith(std::initializer_list<std::string_view> lines, Spacing spacing) {
    auto& console = platform::console();
    if (spacing == Spacing::EmptyLineBefore) console.writeLine();
    for (std::string_view line : lines) console.writeLine(line);
    EXITS();
}

void makeOutputFolder(std::string_view folder, std::string_view errorLine) {
    if (platform::makeFolder(folder) == -1) stopWith({errorLine}, Spacing::EmptyLineBefore);
}

}  // namespace zx::convert
