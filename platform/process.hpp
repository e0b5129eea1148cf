// platform/process.hpp: how a run ends. The exit status is decided in one place: a run ends with
// status 0 only when the main program has declared the normal end; every other stop fails.
#pragma once
#include <string_view>

namespace zx::platform {

// Declared once by the main program right before its normal end.
void markRunSuccessful();
// A failure found after the normal end (a file that could not be written) still fails the run.
void markRunFailed();
bool runSuccessful();

// Flushes the console and ends the process with the status of the run.
[[noreturn]] void endProcess();

// Test seam for harnesses that run many conversions in one process (tests, fuzz targets): while
// a RunLanding exists, endProcess throws RunEnded with the run's exit status instead of ending
// the process, and the harness catches it where it started the run. The converter itself never
// makes one, so its runs end as above.
struct RunEnded {
    int status;
};
class RunLanding {
public:
    RunLanding();
    ~RunLanding();
    RunLanding(const RunLanding&) = delete;
    RunLanding& operator=(const RunLanding&) = delete;
};

// A direct stop: the message as one console line, then the failing end.
[[noreturn]] void stopProcess(std::string_view message);

}  // namespace zx::platform
