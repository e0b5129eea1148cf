// convert/run_seam.cpp: whole conversions inside the caller's process. The end of a run comes
// back here as RunEnded (platform/process.hpp) instead of ending the process.
#include "convert/run_seam.hpp"

#include <cfenv>
#include <cstdlib>

#include "common/messages.hpp"
#include "common/units.hpp"
#include "convert/main_program.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"
#include "platform/process.hpp"

namespace zx::convert {

void resetRunState() {
    // A fresh table drops every open file, which closes it.
    units() = UnitTable{};
    layers() = LayerTable{};
    resetMessageBlock();
    platform::markRunFailed();
}

int runInProcess(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* in) {
    std::vector<std::string> texts(arguments);
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    auto& console = platform::console();
    std::FILE* const previousOut = console.output();
    std::FILE* const previousIn = console.input();
    std::fenv_t floatingPointMode;
    std::fegetenv(&floatingPointMode);
    resetRunState();
    console.redirect(out, in);

    int status = EXIT_FAILURE;
    try {
        const platform::RunLanding landing;
        mainProgram(static_cast<int>(texts.size()), argv.data());
    } catch (const platform::RunEnded& end) {
        status = end.status;
    }

    console.flush();
    console.redirect(previousOut, previousIn);
    std::fesetenv(&floatingPointMode);
    resetRunState();
    return status;
}

}  // namespace zx::convert
