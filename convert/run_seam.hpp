// convert/run_seam.hpp: a test seam for harnesses (tests, fuzz targets) that run whole
// conversions one after another inside their own process. The converter itself never calls it.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace zx::convert {

// Puts back the process-wide state that a run leaves behind as it was at process start: the unit
// table (closing any file still open), the layer table, the message block and the run's success.
void resetRunState();

// Runs the converter with the arguments (the program name first) in the working folder, its
// console writing to out and reading from in, and returns the exit status that the process would
// have ended with. The state is reset before and after the run, and the floating-point mode that
// the run sets is undone.
int runInProcess(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* in);

}  // namespace zx::convert
