// tests/convert/run_seam_test.cpp: conversions run one after another inside this process through
// the test seam, as the fuzz targets run them: each run writes what a run of its own process
// writes, a stop comes back with the failure status, and nothing of one run leaks into the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "build_info.hpp"
#include "convert/run_seam.hpp"
#include "platform/console.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(ZX_SOURCE_DIR) / "examples";
const fs::path kGolden = fs::path(ZX_SOURCE_DIR) / "tests/convert/golden";

using Files = std::map<std::string, std::vector<unsigned char>>;

// Every file under the folder by its relative name, but the ones named by skip. A .dbf file's date
// of last update (header bytes 1 to 3) is the day of the run: it is left out.
template <typename Skip>
Files filesUnder(const fs::path& folder, Skip skip) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || skip(entry.path())) continue;
        auto bytes = test::readBytes(entry.path());
        if (entry.path().extension() == ".dbf" && bytes.size() > 3) bytes[1] = bytes[2] = bytes[3] = 0;
        files[fs::relative(entry.path(), folder).string()] = std::move(bytes);
    }
    return files;
}

struct InProcessRun {
    int status = -1;
    std::string console;
    Files files;
};

// Runs the converter through the seam in a fresh folder holding the example's files and the
// given model, and collects what it wrote.
InProcessRun runInFolder(std::string_view form, std::string_view model = {}) {
    test::TempDir dir(true);
    for (const auto& input : fs::directory_iterator(kExamples)) {
        fs::copy_file(input.path(), dir.path() / input.path().filename());
    }
    if (!model.empty()) test::writeText(dir.path() / "example.inp", model);
    std::FILE* out = std::tmpfile();
    std::FILE* in = std::tmpfile();
    InProcessRun run;
    run.status = convert::runInProcess({"zervanix", std::string(form), "example.inp"}, out, in);
    std::rewind(out);
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) run.console.push_back(static_cast<char>(c));
    std::fclose(out);
    std::fclose(in);
    run.files = filesUnder(dir.path(), [](const fs::path& file) { return fs::exists(kExamples / file.filename()); });
    return run;
}

// The recorded run of the example: its transcript and files.
InProcessRun recorded(std::string_view form) {
    const fs::path folder = kGolden / ("example" + std::string(form));
    InProcessRun run{0, test::readText(folder / "console.txt"), {}};
    const std::string_view label = "<label>";
    run.console.replace(run.console.find(label), label.size(), kBuildLabel);
    run.files = filesUnder(folder, [](const fs::path& file) { return file.filename() == "console.txt"; });
    return run;
}

void expectSameRun(const InProcessRun& run, const InProcessRun& expected) {
    EXPECT_EQ(run.status, expected.status);
    EXPECT_EQ(run.console, expected.console);
    for (const auto& [file, bytes] : expected.files) {
        EXPECT_TRUE(run.files.contains(file) && run.files.at(file) == bytes) << file;
    }
    for (const auto& [file, bytes] : run.files) EXPECT_TRUE(expected.files.contains(file)) << file << " not expected";
}

TEST(RunSeam, RunsInARowWriteWhatTheProgramWrites) {
    for (std::string_view form : {"-shp", "-mif"}) {
        SCOPED_TRACE(form);
        const InProcessRun expected = recorded(form);
        expectSameRun(runInFolder(form), expected);
        expectSameRun(runInFolder(form), expected);
    }
}

struct StopCase {
    std::string_view form;
    std::string model;
    std::string_view lastLines;  // the end of the transcript, before "Press Enter to Close"
};

const StopCase kStops[] = {
    // A stop while the link layer's files are open.
    {"-shp", "[JUNCTIONS]\nJ1 1 1 0 0 0\n[CONDUITS]\nC1 J1 J2 10 0.01 0 0 0 0\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\n"
             "[COORDINATES]\nJ1 0 0\n",
     "Unable to find coordinates for node J2"},
    {"-mif", "[CONDUITS]\nC1 J1 J2 ten 0.01 0 0 0 0\n", "ERROR - Reading [conduits] block line.  Erroneous line is:"},
};

TEST(RunSeam, StopComesBackWithFailureAndTheNextRunStartsClean) {
    for (const StopCase& stop : kStops) {
        SCOPED_TRACE(stop.lastLines);
        const InProcessRun stopped = runInFolder(stop.form, stop.model);
        EXPECT_EQ(stopped.status, 1);
        EXPECT_NE(stopped.console.find(stop.lastLines), std::string::npos) << stopped.console;
        EXPECT_TRUE(stopped.console.ends_with("\nPress Enter to Close\n")) << stopped.console;
        // Unit numbers, layer ids and the success flag start afresh: the transcript is the recorded one.
        expectSameRun(runInFolder(stop.form), recorded(stop.form));
    }
}

TEST(RunSeam, CallerKeepsItsConsoleAndFloatingPointMode) {
    auto& console = platform::console();
    std::FILE* const out = console.output();
    std::FILE* const in = console.input();
    runInFolder("-shp");
    EXPECT_EQ(console.output(), out);
    EXPECT_EQ(console.input(), in);
    // The run flushes subnormal results to zero; the caller's arithmetic keeps them.
    volatile double tiny = 1e-310;
    EXPECT_NE(tiny * 0.5, 0.0);
}

}  // namespace
}  // namespace zx
