// platform/process.cpp: the end of a run and its exit status.
#include "platform/process.hpp"

#include <cstdio>
#include <cstdlib>

#include "platform/console.hpp"

namespace zx::platform {
namespace {
bool& successFlag() {
    static bool successful = false;
    return successful;
}
}  // namespace

void markRunSuccessful() { successFlag() = true; }
void markRunFailed() { successFlag() = false; }
bool runSuccessful() { return successFlag(); }

void endProcess() {
    console().flush();
    std::fflush(nullptr);
    std::exit(runSuccessful() ? EXIT_SUCCESS : EXIT_FAILURE);
}

void stopProcess(std::string_view message) {
    successFlag() = false;
    console().writeLine(message);
    endProcess();
}

}  // namespace zx::platform
