// tests/convert/conversion_test.cpp: whole conversions run as a user runs them: the console
// transcript and every file written, for the bundled example (recorded in golden/, made by the
// converter and checked with ogrinfo, shpdump and dbfdump) and for small hand-made models whose
// warnings or stops matter.
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
    if (const auto at = console.find(label); at != std::string::npos) console.replace(at, label.size(), "Build <label>\n");
    return console;
}

TEST(BundledExample, ConvertsToTheRecordedTranscriptLayersAndTables) {
    const std::vector<std::string> inputs = {"example.inp", "Projection.prj", "Projection.mif"};
    for (const std::string format : {"shp", "mif"}) {
        SCOPED_TRACE(format);
        test::TempDir dir;
        for (const auto& input : inputs) fs::copy_file(fs::path(ZX_SOURCE_DIR) / "examples" / input, dir.path() / input);
        const auto result = run({ZX_EXECUTABLE, "-" + format, "example.inp"}, dir.path());
        EXPECT_EQ(result.status, 0);
        const fs::path golden = kGolden / ("example-" + format);
        EXPECT_EQ(withoutBuildLabel(result.out), readText(golden / "console.txt"));

        Files expected = filesUnder(golden, {"console.txt"});
        expected.merge(filesUnder(kGolden / "example-tables"));
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

// Links that cannot be drawn, tables without a link and repeated stations: each is reported, the
// rest is written.
constexpr std::string_view kWarningsModel = R"([JUNCTIONS]
J1 10 2 0 0 0
J2 9 2 0 0 0
J3 8 2 0 0 0
[CONDUITS]
C1 J1 J2 100 0.02 0 0 0 0
C2 J2 J3 5 0.015 0 0 0 0
[WEIRS]
W1 J1 J2 ROADWAY 1 2.8 NO 0 0 NO 30 PAVED
[ORIFICES]
O1 J1 NOPE SIDE 0 0.6 NO 0
[XSECTIONS]
C1 IRREGULAR T1 0 0 0 1
C2 RECT_OPEN 1 2 0 0 1
W1 RECT_OPEN 1 30 0 0 1
O1 CIRCULAR 0.5 0 0 0 1
[TRANSECTS]
NC 0.05 0.05 0.03
X1 T1 3 0 10 0 0 0 0 0
GR 2 0 1 5 2 5
X1 T2 2 0 10 0 0 0 0 0
GR 2 0 2 10
[COORDINATES]
J1 0 0
J2 10 0
J3 10 0
[VERTICES]
C1 5 0
C1 10 0
)";

constexpr std::string_view kWarningsTranscript = R"(Reading [VERTICES] data...
   Finished.
Found 1 links with a total of 2 additional vertices.
Opening GIS Layer: 1d_nwk_model.inp.mif
GIS Layer assigned ID of 1
 Trying to open file 1d_nwk_model.inp.mif...OK.  File Unit:1002
 Trying to open file 1d_nwk_model.inp.mid...OK.  File Unit:1003

Outputting conduit data to 1d_nwk file.

Convert special SWMM cross Xsections to Transects
CHECK - [RECT_OPEN] cross section C2 is converted to ORVALE cross section .csv based on 
        full_height:     1.000
        top_width  :     2.000
CHECK - [RECT_OPEN] cross section W1 is converted to ORVALE cross section .csv based on 
        full_height:     1.000
        top_width  :    30.000

WARNNING - vertices overlapping, skip vertex2 for conduit: C1                                                                                                  
Please check [VERTICES] and [COORDINATES] block for the following vertices: 
vertex1:           10.000,           0.000
vertex2:           10.000,           0.000

Outputting weir data to 1d_nwk file - some SWMM weir types do not have a direct coversion to ORVALE yet.
WARNING - ROADWAY weirs not supported yet in ORVALE: W1

Outputting orifice data to 1d_nwk file - some SWMM orifice types do not have a direct conversion to ORVALE yet.

WARNING: Unable to find coordinates for ds node NOPE orifice O1
 Closing GIS Layer 1 [1d_nwk_model.inp.mif]...
...Closed File Unit:1002
...Closed File Unit:1003

Outputting junction data to 1d_nwk file.

Opening GIS Layer: 1d_nwk_model.inp_junctions.mif
GIS Layer assigned ID of 1
 Trying to open file 1d_nwk_model.inp_junctions.mif...OK.  File Unit:1002
 Trying to open file 1d_nwk_model.inp_junctions.mid...OK.  File Unit:1003
 Closing GIS Layer 1 [1d_nwk_model.inp_junctions.mif]...
...Closed File Unit:1002
...Closed File Unit:1003

Outputting transect data to .csv file.

 Trying to open file xs\T1.csv...OK.  File Unit:1002

WARNING - ORVALE cannot handle two overapping points in a cross section, x added by 0.00001xs\T1.csvpoint           3
...Closed File Unit:1002
 Trying to open file xs\T2.csv...OK.  File Unit:1002
...Closed File Unit:1002
 Trying to open file xs\C2.csv...OK.  File Unit:1002
...Closed File Unit:1002
 Trying to open file xs\W1.csv...OK.  File Unit:1002
...Closed File Unit:1002

Outputting transect data to 1d_xs file.

Opening GIS Layer: xs\1d_xs_model.inp_transects.mif
GIS Layer assigned ID of 1
 Trying to open file xs\1d_xs_model.inp_transects.mif...OK.  File Unit:1002
 Trying to open file xs\1d_xs_model.inp_transects.mid...OK.  File Unit:1003

WARNING: Unable to find xsection for transect: T2

WARNING: The nodes of link C2 coincide: no line for table C2.csv
 Closing GIS Layer 1 [xs\1d_xs_model.inp_transects.mif]...
...Closed File Unit:1002
...Closed File Unit:1003
CHECK - Please check if the 1d_xs, 1d_hw lines are crossing the correct 1d_nwk channels and only intersect a single channel.
Paused - press Enter to continue
CHECK - Please check for unsupported weir types in 1d_nwk denoted with [?] in the TYPE attribute
Paused - press Enter to continue
CHECK - Please check unsupported ORIFICE types in 1d_nwk denoted with [?] in the TYPE attribute
Paused - press Enter to continue

Finished.

Press Enter to Close
)";

TEST(Conversion, ReportsWhatItCannotDrawAndWritesTheRest) {
    test::TempDir dir;
    writeText(dir.path() / "model.inp", kWarningsModel);
    writeText(dir.path() / "Projection.mif", "CoordSys Earth Projection 1, 104\n");
    const auto result = run({ZX_EXECUTABLE, "-mif", "model.inp"}, dir.path());
    EXPECT_EQ(result.status, 0);
    const auto from = result.out.find("Reading [VERTICES]");
    ASSERT_NE(from, std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(from), kWarningsTranscript);

    const std::string linkLayer = readText(dir.path() / "1d_nwk_model.inp.mif");
    EXPECT_EQ(linkLayer.substr(linkLayer.find("Data\n")),
              "Data\n\nPline 3\n        0.000000        0.000000\n        5.000000        0.000000\n"
              "       10.000000        0.000000\nPline 2\n       10.000000        0.000000\n"
              "       10.000000        0.000000\nPline 2\n        0.000000        0.000000\n"
              "       10.000000        0.000000\n");
    EXPECT_EQ(readText(dir.path() / "1d_nwk_model.inp.mid"),
              "\"C1\",\"S\",\"F\",\"T\",   100.000,     0.000,-99999.000,-99999.000,     0.000,     0.000,\"\",\"\",       0,"
              "     0.000,     0.000,       1,     0.000,     0.000,     0.000,     0.000,C1\n"
              "\"C2\",\"S\",\"F\",\"T\",     5.000,     0.000,-99999.000,-99999.000,     0.000,     0.000,\"\",\"\",       0,"
              "     0.000,     0.000,       1,     0.000,     0.000,     0.000,     0.000,C2\n"
              "\"W1\",\"WR?\",\"F\",\"F\",     0.000,     0.000,    11.000,    11.000,     0.000,     0.000,\"\",\"\",       0,"
              "    30.000,     0.000,       0,     0.000,     0.000,     0.000,     0.000,W1\n");
    EXPECT_EQ(readText(dir.path() / "xs/1d_xs_model.inp_transects.mid"),
              "\"T1.csv\",\"XZ\",\"N\",\"\",\"\",\"\",\"\",\"\",\"\",     0.000,-99999.000,     0.000\n"
              "\"W1.csv\",\"HW\",\"N\",\"\",\"\",\"\",\"\",\"\",\"\",     0.000,-99999.000,     0.000\n");
    const std::string transectLayer = readText(dir.path() / "xs/1d_xs_model.inp_transects.mif");
    EXPECT_EQ(transectLayer.substr(transectLayer.find("Data\n")),
              "Data\n\nPline 2\n        5.000000       -5.000000\n        5.000000        5.000000\nPline 2\n"
              "        5.000000       -5.000000\n        5.000000        5.000000\n");
    EXPECT_EQ(readText(dir.path() / "xs/T2.csv"), "X, Z, N\n      0.0000000,      2.0000000,      0.0300000\n"
                                                  "     10.0000000,      2.0000000,      0.0300000\n");
    EXPECT_EQ(readText(dir.path() / "xs/W1.csv"), "H, W, N\n      0.0000000,     30.0000000,      0.0000000\n"
                                                  "      1.0000000,     30.0000000,      0.0000000\n");
    EXPECT_FALSE(fs::exists(dir.path() / "matrix_flow"));
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
