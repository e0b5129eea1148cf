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
bool& landingInstalled() {
    static bool installed = false;
    return installed;
}
}  // namespace

RunLanding::RunLanding() { landingInstalled() = true; }
RunLanding::~RunLanding() { landingInstalled() = false; }

void markRunSuccessful() { successFlag() = true; }
void markRunFailed() { successFlag() = false; }
bool runSuccessful() { return successFlag(); }

void endProcess() {
    console().flush();
    std::fflush(nullptr);
    const int status = runSuccessful() ? EXIT_SUCCESS : EXIT_FAILURE;
    if (landingInstalled()) throw RunEnded{status};
    std::exit(status);
}

void stopProcess(std::string_view message) {
    successFlag() = false;
    console().writeLine(message);
    endProcess();
}

}  // namespace zx::platform
