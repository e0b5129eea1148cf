// fuzz/convert_fuzzer.cpp: the whole conversion of a fuzzed .inp model, inside this process, once
// with -shp and once with -mif, each in a fresh folder beside the projection files that let the
// run get through; standard input is at its end, so every pause returns. Beyond the sanitizers the
// run must pass the checks of output_checks.hpp; a failed check aborts, so the input is kept.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "convert/run_seam.hpp"
#include "fuzz/cross_section_check.hpp"
#include "fuzz/output_checks.hpp"
#include "fuzz/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModelName = "m.inp";
constexpr std::string_view kHeaderPrj = "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\"]]\n";
constexpr std::string_view kHeaderMif = "Version 300\nCoordSys Earth Projection 1, 104\n";

constexpr std::string_view kForms[] = {"-shp", "-mif"};

const zx::fuzz::ScratchFolder& fixture() { return zx::fuzz::scratchFolder("convert"); }

[[noreturn]] void fail(std::string_view form, std::string_view problem, std::string_view console) {
    constexpr std::size_t kTranscriptTail = 3000;
    const std::size_t tailStart = console.size() > kTranscriptTail ? console.size() - kTranscriptTail : 0;
    const std::string_view tail = console.substr(tailStart);
    std::fprintf(stderr, "\n==== conversion check failed (%.*s): %.*s\n---- end of the console:\n%.*s\n----\n",
                 static_cast<int>(form.size()), form.data(), static_cast<int>(problem.size()), problem.data(),
                 static_cast<int>(tail.size()), tail.data());
    std::error_code ignored;
    fs::remove_all(fixture().folder, ignored);
    std::abort();
}

void convertOnce(std::string_view form, std::string_view model) {
    const zx::fuzz::ScratchFolder& f = fixture();
    const fs::path folder = f.folder / "run";
    fs::create_directory(folder);
    zx::fuzz::writeFile(folder / kModelName, model);
    zx::fuzz::writeFile(folder / "Header.prj", kHeaderPrj);
    zx::fuzz::writeFile(folder / "Header.mif", kHeaderMif);
    if (::chdir(folder.c_str()) != 0) std::abort();

    char* transcript = nullptr;
    std::size_t transcriptSize = 0;
    std::FILE* output = ::open_memstream(&transcript, &transcriptSize);
    if (output == nullptr) std::abort();
    const int status =
        zx::convert::runInProcess({"zervanix", std::string(form), std::string(kModelName)}, output, f.noInput);
    std::fclose(output);
    const std::string console(transcript, transcriptSize);
    std::free(transcript);

    std::string problem = zx::fuzz::internalStopProblem(console);
    if (problem.empty() && status == 0) problem = zx::fuzz::outputProblem(console);
    if (problem.empty() && status == 0) problem = zx::fuzz::tableProblem(console);
    if (problem.empty() && status == 0) problem = zx::fuzz::crossSectionProblem(kModelName, console);
    if (::chdir(f.home.c_str()) != 0) std::abort();
    // Outputs stay inside the run's folder, whatever the names in the model.
    for (const auto& entry : fs::directory_iterator(f.folder)) {
        if (problem.empty() && entry.path().filename() != "run") problem = "written outside the run's folder";
    }
    fs::remove_all(folder);
    if (!problem.empty()) fail(form, problem, console);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view model(reinterpret_cast<const char*>(data), size);
    for (const std::string_view form : kForms) convertOnce(form, model);
    return 0;
}
