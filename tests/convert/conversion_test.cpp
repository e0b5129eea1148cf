// tests/convert/conversion_test.cpp: whole conversions run as a user runs them: the console
// transcript and every file written for the bundled example and a hand-made model full of
// warnings (recorded in golden/ from the converter, checked by hand and with ogrinfo, shpdump and
// dbfdump), and the stops of small hand-made models.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "build_info.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::run;
using test::writeText;

const fs::path kGolden = fs::path(ZX_SOURCE_DIR) / "tests" / "convert" / "golden";

using Files = std::map<std::string, std::vector<unsigned char>>;

// Every file under the folder by its relative name, without the ones named. A .dbf file's date of
// last update (header bytes 1 to 3) is the day of the run: it is left out of the comparison.
Files filesUnder(const fs::path& folder, const std::vector<std::string>& without = {}) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), folder).string();
        if (std::find(without.begin(), without.end(), name) != without.end()) continue;
        auto bytes = test::readBytes(entry.path());
        if (entry.path().extension() == ".dbf" && bytes.size() > 3) bytes[1] = bytes[2] = bytes[3] = 0;
        files[name] = std::move(bytes);
    }
    return files;
}

std::string withoutBuildLabel(std::string console) {
    const std::string label = "Build " + std::string(kBuildLabel) + "\n";
    if (const auto at = console.find(label); at != std::string::npos)
        console.replace(at, label.size(), "Build <label>\n");
    return console;
}

// Conversions recorded in golden/<name>: the transcript (console.txt) and every file written.
struct Recorded {
    std::string_view name;
    std::string_view inputs;  // the folder of the model and its projection file
    std::string_view model;
    std::string_view format;
};
const Recorded kRecorded[] = {
    {"example-shp", "examples", "example.inp", "shp"},
    {"example-mif", "examples", "example.inp", "mif"},
    // Links that cannot be drawn, tables without a link and repeated stations: each is reported,
    // the rest is written.
    {"warnings-mif", "tests/convert/models/warnings", "model.inp", "mif"},
};

TEST(Conversion, WritesTheRecordedTranscriptLayersAndTables) {
    for (const Recorded& c : kRecorded) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        std::vector<std::string> inputs;
        for (const auto& input : fs::directory_iterator(fs::path(ZX_SOURCE_DIR) / c.inputs)) {
            inputs.push_back(input.path().filename().string());
            fs::copy_file(input.path(), dir.path() / inputs.back());
        }
        const auto result = run({ZX_EXECUTABLE, "-" + std::string(c.format), std::string(c.model)}, dir.path());
        EXPECT_EQ(result.status, 0);
        const fs::path golden = kGolden / c.name;
        EXPECT_EQ(withoutBuildLabel(result.out), readText(golden / "console.txt"));

        const Files expected = filesUnder(golden, {"console.txt"});
        const Files written = filesUnder(dir.path(), inputs);
        for (const auto& [name, bytes] : expected) {
            const auto found = written.find(name);
            if (found == written.end()) {
                ADD_FAILURE() << name << " not written";
            } else {
                EXPECT_TRUE(found->second == bytes) << name << " differs";
            }
        }
        for (const auto& [name, bytes] : written) EXPECT_TRUE(expected.contains(name)) << name << " not expected";
    }
}

struct StopCase {
    std::string_view model;
    std::string_view lastLine;
    std::string_view neverWritten;  // a path that the stop keeps from being made
};

TEST(Conversion, StopsBeforeWritingAnythingForANameThatWouldLeaveItsFolder) {
    constexpr std::string_view kNodes = "[JUNCTIONS]\nJ1 2 0 0 0 0\nJ2 1 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 1 1\n";
    const StopCase cases[] = {
        // A slash ends the values of a line: only a quoted name can hold one.
        {"[TRANSECTS]\nNC 0.1 0.1 0.1\nX1 \"a/b\" 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n",
         "ERROR - The name of transect a/b cannot be used as a file name.", "xs/a"},
        {"[TRANSECTS]\nNC 0.1 0.1 0.1\nX1 .. 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n",
         "ERROR - The name of transect .. cannot be used as a file name.", "xs/...csv"},
        {"[CONDUITS]\n\"up/C5\" J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\n\"up/C5\" ARCH 1 2 0 0 1\n",
         "ERROR - The name of link up/C5 cannot be used as a file name.", "xs/up"},
        {"[ORIFICES]\nm\\O1 J1 J2 BOTTOM 0 0.6 NO 0\n[XSECTIONS]\nm\\O1 CIRCULAR 1 0 0 0\n",
         "ERROR - The name of orifice m\\O1 cannot be used as a file name.", "matrix_flow/m"},
        // Without [XSECTIONS] a conduit has no shape to be written with.
        {"[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n", "ERROR - Unable to find XSection data for link: C1", "xs"},
        {"[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 RECT_OPEN deep 2 0 0 1\n",
         "ERROR - Geom1 of link C1 is not a number: deep", "xs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        test::TempDir dir;
        writeText(dir.path() / "model.inp", std::string(kNodes) + std::string(c.model));
        const auto result = run({ZX_EXECUTABLE, "model.inp"}, dir.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.out.ends_with("\n" + std::string(c.lastLine) + "\n\nPress Enter to Close\n")) << result.out;
        EXPECT_FALSE(fs::exists(dir.path() / c.neverWritten));
    }
}

}  // namespace
}  // namespace zx
