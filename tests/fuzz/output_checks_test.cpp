// tests/fuzz/output_checks_test.cpp: the converter fuzz target's checks find the faults of real
// layers (run-together and starred coordinates, unbalanced quotes, NaN in a shapefile, internal
// stops, tables written twice or not at all) and pass what the converter writes for ordinary
// models.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "build_info.hpp"
#include "fuzz/cross_section_check.hpp"
#include "fuzz/output_checks.hpp"
#include "gis/byte_order.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

struct TextCase {
    std::string_view text;
    std::string_view problem;  // a stretch of the answer; empty: no problem
};

void expectProblem(const std::string& answer, std::string_view problem) {
    if (problem.empty()) {
        EXPECT_EQ(answer, "");
    } else {
        EXPECT_NE(answer.find(problem), std::string::npos) << answer;
    }
}

constexpr std::string_view kMifHeader = "Version 300\nColumns 2\n  ID Char(12)\n  Len Float\nData\n\n";

constexpr TextCase kMifCases[] = {
    {"Point       361200.000000  4350800.000000\n    Symbol (34,0,6)\n", ""},
    {"Pline 2\n   361200.000000  4350800.000000\n       -1.500000        0.000000\n    Pen (1,2,0)\n", ""},
    {"Pline Multiple 1\n 2\n 1.0 2.0\n 3.0 4.0\nnone\n", ""},
    {"Point -13000000.500000-10000000.250000\n", "no finite number: Point -13000000.500000-10000000.250000"},
    {"Pline 2\n****************  4350800.000000\n 1 2\n", "no finite number: ****************"},
    {"Point nan 1\n", "no finite number"},
    {"Point 1 -Infinity\n", "no finite number"},
};

TEST(OutputChecks, MifObjectsHoldOnlyFiniteNumbers) {
    for (const TextCase& c : kMifCases) {
        SCOPED_TRACE(c.text);
        std::size_t columns = 0;
        expectProblem(fuzz::mifProblem(std::string(kMifHeader) + std::string(c.text), columns), c.problem);
        EXPECT_EQ(columns, 2U);
    }
    std::size_t columns = 0;
    EXPECT_EQ(fuzz::mifProblem("Version 300\nColumns 1\n", columns), "no Data line");
}

// The reader target's check: every .mif line after "Data" belongs to an object read, however the
// lines end; a column named Data does not end the header.
TEST(OutputChecks, MifLinesAreAccountedForByTheObjectsRead) {
    using Objects = std::vector<fuzz::DeliveredObject>;
    struct LinesCase {
        std::string_view objects;
        Objects read;
        std::string_view problem;
    };
    const LinesCase cases[] = {
        {"Point 1 1\r    Symbol (35,0,12)\r\nPline\n  2\n0 0\n1 1\n", {{"POINT", {1}}, {"PLINE", {2}}}, ""},
        {"Text\n  \"a\"\n  1 1 2 2\n  Font (\"Arial\")\nRegion 1\n 4\n0 0\n1 0\n1 1\n0 0\n    Center 1 1\n",
         {{"TEXT", {0}}, {"REGION", {5}}}, ""},
        {"Pline 2\n0 0\n1 1\n2 2\n", {{"PLINE", {2}}}, "line 9 \"2 2\" belongs to no object read"},
        {"None\n5 5\n", {{"NONE", {0}}}, "line 7 \"5 5\" belongs to no object read"},
        {"Point 1 1\nPoint 2 2\n", {{"POINT", {1}}}, "an object beyond the 1 read"},
        {"Point 1 1\n", {{"POINT", {1}}, {"POINT", {1}}}, "2 objects read from 1 keyword lines"},
    };
    for (const LinesCase& c : cases) {
        SCOPED_TRACE(c.objects);
        const std::string mif = "Version 300\nColumns 1\n  Data Char(4)\nData\n\n" + std::string(c.objects);
        expectProblem(fuzz::mifLinesProblem(mif, c.read), c.problem);
    }
}

constexpr TextCase kMidCases[] = {
    {"\"C1\",1.5\n\"C 2\",-99999.000\n", ""},
    {"\"say \"\"hi\"\"\",1\n", ""},
    {"\"a,b\",1\n", ""},
    {"\"P\"1\",1\n", "quoted value followed by more text"},
    {"\"P1,1\n", "quoted value not closed"},
    {"C1,1,extra\n", "3 values for 2 columns"},
};

TEST(OutputChecks, MidLinesHoldOneValuePerColumn) {
    for (const TextCase& c : kMidCases) {
        SCOPED_TRACE(c.text);
        expectProblem(fuzz::midProblem(c.text, 2), c.problem);
    }
}

constexpr TextCase kCsvCases[] = {
    {"! ARCH conduit Infinite_Lake*\nH, W, A\n      0.0000000,      1.2544000,      0.0441224\n", ""},
    {"X, Z, N\n***************,      5.0000000,      0.0300000\n", "asterisks"},
    {"H, W\n      1.0000000,       Infinity\n", "Infinity"},
    {"H, W\n      nan,       1.0\n", "NaN"},
};

TEST(OutputChecks, CsvTablesHoldOnlyFiniteNumbers) {
    for (const TextCase& c : kCsvCases) {
        SCOPED_TRACE(c.text);
        expectProblem(fuzz::csvProblem(c.text), c.problem);
    }
}

// A .shp file of one point record, with its length field and the header's ranges.
std::string pointShapefile(double x, double y) {
    std::array<unsigned char, 128> bytes{};
    bytes::putBE32(&bytes[0], 9994);
    bytes::putBE32(&bytes[24], bytes.size() / 2);
    bytes::putLE32(&bytes[28], 1000);
    bytes::putLE32(&bytes[32], 1);
    for (int i = 0; i < 8; ++i) bytes::putLE64(&bytes[36 + 8 * i], i < 4 ? x : 0.0);
    bytes::putBE32(&bytes[100], 1);
    bytes::putBE32(&bytes[104], 10);  // content length in 16-bit words
    bytes::putLE32(&bytes[108], 1);
    bytes::putLE64(&bytes[112], x);
    bytes::putLE64(&bytes[120], y);
    return std::string(bytes.begin(), bytes.end());
}

TEST(OutputChecks, ShapefileRecordsAreWholeAndFinite) {
    EXPECT_EQ(fuzz::shpProblem(pointShapefile(361200, 4350800)), "");
    EXPECT_EQ(fuzz::shpProblem(pointShapefile(std::nan(""), 1)), "a range in the header is not finite");
    std::string infiniteY = pointShapefile(1, 1);
    bytes::putLE64(reinterpret_cast<unsigned char*>(infiniteY.data()) + 120, HUGE_VAL);
    EXPECT_EQ(fuzz::shpProblem(infiniteY), "a point is not finite");
    EXPECT_EQ(fuzz::shpProblem(pointShapefile(1, 1) + std::string(4, '\0')), "length field is not the size");
    std::string longRecord = pointShapefile(1, 1);
    bytes::putBE32(reinterpret_cast<unsigned char*>(longRecord.data()) + 104, 12);
    EXPECT_EQ(fuzz::shpProblem(longRecord), "record runs past the end");
}

TEST(OutputChecks, AnnouncedFilesAreTheOutputsTheOpenerReported) {
    const std::string console =
        " Trying to open file m.inp...OK. Opened File Unit:1001\n"
        " Trying to open file 1d_nwk_m.inp_L.shp...OK.  File Unit:1002\n"
        " Trying to open file xs\\a...b.csv...OK.  File Unit:1003\n"
        "WARNING - Unrecognised Section Flag: [ Trying to open file x...OK.  File Unit:1004\n"
        " Trying to open file locked.csv...\n";
    EXPECT_EQ(fuzz::announcedFiles(console), (std::set<std::string>{"1d_nwk_m.inp_L.shp", "xs\\a...b.csv"}));
}

TEST(OutputChecks, InternalStopsAreFoundAnywhereInTheConsole) {
    const std::string address(kContactAddress);
    const std::string stops[] = {
        "Should not be here [dbfdataline] - please contact " + address + ".",
        "Finished.\nShould not be here [gisO_%nr]\n",
        "\nSOFTWARE CHECK - Trying to close a GIS Layer that's not open.  Please contact " + address + ".\n",
    };
    for (const std::string& console : stops) EXPECT_EQ(fuzz::internalStopProblem(console), "internal stop") << console;
    EXPECT_EQ(fuzz::internalStopProblem("ERROR - Unable to find coordinates for node J2\nShould not\n"), "");
    EXPECT_TRUE(fuzz::holdsPattern("abcabd", "abd"));
    EXPECT_FALSE(fuzz::holdsPattern("abcab", "abd"));
}

TEST(OutputChecks, EveryAnnouncedFileMustBeOnDisk) {
    test::TempDir dir(true);
    test::writeText(dir.file("t.csv"), "H, W\n 1.0, 2.0\n");
    EXPECT_EQ(fuzz::outputProblem(" Trying to open file t.csv...OK.  File Unit:1002\n"), "");
    EXPECT_EQ(fuzz::outputProblem(" Trying to open file gone.csv...OK.  File Unit:1002\n"),
              "gone.csv: announced but not on disk");
    test::writeText(dir.file("l.shp"), pointShapefile(1, 2));
    EXPECT_EQ(fuzz::outputProblem(" Trying to open file l.shp...OK.  File Unit:1002\n"), "l.shp: set without its .shx");
}

// The model converted in the folder as the fuzz target converts it, beside its projection files.
test::RunResult convertIn(const test::TempDir& dir, const std::string& form, const std::string& model) {
    test::writeText(dir.file("m.inp"), model);
    test::writeText(dir.file("Header.prj"), "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\"]]\n");
    test::writeText(dir.file("Header.mif"), "Version 300\nCoordSys Earth Projection 1, 104\n");
    return test::run({ZX_EXECUTABLE, "-" + form, "m.inp"}, dir.path());
}

TEST(OutputChecks, TableFilesAreWrittenOnceAndNamedByEveryReference) {
    const std::string model =
        "[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 10 0\n[CONDUITS]\n"
        "1415 J1 J2 1 0.01 0 0 0 0\nC2 J1 J2 1 0.01 0 0 0 0\n[ORIFICES]\nO1 J1 J2 BOTTOM 0 0.6 NO 0\n"
        "[XSECTIONS]\n1415 TRAPEZOIDAL 6 15 4 4 1\nC2 IRREGULAR 1415 0 0 0 1\nO1 CIRCULAR 1 0 0 0\n"
        "[TRANSECTS]\nNC 0.1 0.1 0.03\nX1 1415 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n";
    // The form, a table file removed after the run (none: the run as it is), the answer.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"shp", "", ""},
        {"mif", "", ""},
        {"shp", "xs/1415~2.csv", "xs\\1d_xs_m.inp_transects_L.shp: Source names no table file: 1415~2.csv"},
        {"mif", "xs/1415.csv", "xs\\1d_xs_m.inp_transects.mif: Source names no table file: 1415.csv"},
        {"shp", "matrix_flow/O1_A.csv",
         "1d_nwk_m.inp_L.shp: Inlet_Type names no table file: matrix_flow\\O1_Q.csv | matrix_flow\\O1_A.csv"},
        {"mif", "matrix_flow/O1_Q.csv",
         "1d_nwk_m.inp.mif: Inlet_Type names no table file: matrix_flow\\O1_Q.csv | matrix_flow\\O1_A.csv"},
    };
    for (const auto& [form, removed, problem] : cases) {
        SCOPED_TRACE(form + " " + removed);
        test::TempDir dir(true);
        const auto result = convertIn(dir, form, model);
        ASSERT_EQ(result.status, 0) << result.out;
        if (!removed.empty()) std::filesystem::remove(dir.path() / removed);
        EXPECT_EQ(fuzz::tableProblem(result.out), problem);
        if (!removed.empty()) continue;
        // The same table opened again, its name in other case.
        EXPECT_EQ(fuzz::tableProblem(result.out + " Trying to open file XS\\1415.CSV...OK.  File Unit:1003\n"),
                  "XS\\1415.CSV: created twice");
    }
}

TEST(OutputChecks, EveryIrregularChannelAndSpecialConduitHasItsLineAndNoOtherLinkOne) {
    const std::string model =
        "[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 10 0\n[CONDUITS]\n"
        "C1 J1 J2 1 0.01 0 0 0 0\nC2 J2 J1 1 0.01 0 0 0 0\nA1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\n"
        "C1 IRREGULAR T1 0 0 0 1\nC2 IRREGULAR t1 0 0 0 1\na1 ARCH 1 2 0 0 1\n[TRANSECTS]\nNC 0.1 0.1 0.03\n"
        "X1 T1 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n";
    // The form, what the check then reads as the model (more blocks than the run saw), the answer.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"shp", "", ""},
        {"mif", "", ""},
        {"shp", "[CONDUITS]\nC3 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC3 IRREGULAR T1 0 0 0 1\n",
         "link C3: no transect line (5 -5, 5 5)"},
        {"mif", "[XSECTIONS]\nc2 CIRCULAR 1 0 0 0 1\n", "a transect line on no IRREGULAR link: (5 5, 5 -5)"},
        {"shp", "[CONDUITS]\nA2 J2 J1 1 0.01 0 0 0 0\n[XSECTIONS]\nA2 RECT_TRIANGULAR 1 2 0.5 0 1\n",
         "link A2: no height-width line (5 5, 5 -5)"},
        {"mif", "[XSECTIONS]\nA1 CIRCULAR 1 0 0 0 1\n",
         "a height-width line on no ARCH or RECT_TRIANGULAR conduit: (5 -5, 5 5)"},
    };
    for (const auto& [form, added, problem] : cases) {
        SCOPED_TRACE(form + " " + added);
        test::TempDir dir(true);
        const auto result = convertIn(dir, form, model);
        ASSERT_EQ(result.status, 0) << result.out;
        test::writeText(dir.file("m.inp"), model + added);
        EXPECT_EQ(fuzz::crossSectionProblem("m.inp", result.out), problem);
    }
}

}  // namespace
}  // namespace zx
