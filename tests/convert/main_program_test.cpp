// tests/convert/main_program_test.cpp: the converter run as a user runs it: its console
// transcript and exit status for the command line, the projection files, the input prompt and
// the reading of the tables. Whole conversions are in conversion_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>

#include "build_info.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::run;
using test::writeText;

std::string startLines(int arguments) {
    return "\nBuild " + std::string(kBuildLabel) + "\n\n\nFound  " + std::to_string(arguments) + " arguments\n";
}

const std::string kCloseLines = "\nPress Enter to Close\n";

// Read in a fixed order whatever the file's order; no section here starts an output stage.
constexpr std::string_view kQuietModel =
    "[VERTICES]\nC1 5 5\nC1 6 6\n[LOSSES]\nC1 0 0 0 YES\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\n"
    "[COORDINATES]\nJ1 0 0\n[TAGS]\n";

TEST(MainProgram, WithoutArgumentsShowsTheUsageAndFails) {
    test::TempDir dir;
    const auto result = run({ZX_EXECUTABLE}, dir.path());
    EXPECT_EQ(result.out, startLines(1) +
                              "\nThis development utility converts an EPA swmm file to GIS files.\n\n   Syntax is:\n"
                              "      zervanix.exe -mif SWMM.inp\n      zervanix.exe -shp SWMM.inp\n\n" + kCloseLines);
    EXPECT_EQ(result.status, 1);
}

TEST(MainProgram, ReadsTheSectionsInTheirFixedOrderAndFinishes) {
    test::TempDir dir;
    writeText(dir.path() / "model.inp", kQuietModel);
    const auto result = run({ZX_EXECUTABLE, "model.inp"}, dir.path());
    EXPECT_EQ(result.out, startLines(2) +
                              " Trying to open file model.inp...OK. Opened File Unit:1001\n"
                              "\nWARNING - Unrecognised Section Flag: [TAGS]\n"
                              "\nReading [COORDINATES] data...\n   Finished.\nFound 1 coordinate points.\n"
                              "\nReading [XSECTIONS] data...\n   Finished.\nFound 1 xsections.\n"
                              "\nReading [LOSSES] data...\n   Finished.\nFound 1 LOSSES.\n"
                              "\nReading [VERTICES] data...\n   Finished.\n"
                              "Found 1 links with a total of 2 additional vertices.\n"
                              "\nFinished.\n" + kCloseLines);
    EXPECT_EQ(result.status, 0);
}

struct CommandCase {
    std::vector<std::string> arguments;
    std::vector<std::pair<std::string, std::string_view>> files;
    int status;
    std::string_view shown;  // a stretch of the transcript
};

TEST(MainProgram, SwitchesPickTheOutputAndItsProjectionFile) {
    constexpr std::string_view kMif = "Version 300\nCoordSys Earth Projection 8, 74\nData\n";
    const CommandCase cases[] = {
        {{"-MIF", "model.inp"}, {{"Header.mif", kMif}}, 0,
         "\nUsing Header.mif for setting projection.\n"},
        {{"-mifx", "model.inp"}, {{"Projection.mif", kMif}}, 0, "\nmif Projection: CoordSys Earth Projection 8, 74\n"},
        {{"-txt", "model.inp"}, {}, 1, "\nERROR - A Header.prj or Projection.prj file does not exist in folder.\n"},
        {{"-mif", "-shp", "model.inp"}, {}, 1, "\nERROR - Both mif and shp outputs specified, please use only one.\n"},
        {{"-mif", "model.inp"}, {}, 1, "\nERROR - A Header.mif or Projection.mif file does not exist in folder.\n"},
        {{"-mif", "model.inp"}, {{"Header.mif", "Version 300\n"}, {"Projection.mif", kMif}}, 1,
         "\nERROR - Unable to find CoordSys line in Header.mif\n"},
        {{"/shp", "model.inp"}, {}, 1, "\nERROR - A Header.prj or Projection.prj file does not exist in folder.\n"},
        {{"-shp", "model.inp"}, {{"Header.prj", ""}}, 1,
         "\nERROR - Projection line could not be found in \"GIS Projection\" .prj file.Header.prj\n"},
        {{"\xE2\x80\x93shp", "model.inp"}, {{"Header.prj", "\nsecond line\n"}}, 0,
         "GIS Projection being extracted from Header.prj\n"},
        {{"-shp", "model.inp"}, {{"Projection.prj", "PROJCS[\"x\"]\n"}}, 0, "\nshp Projection: PROJCS[\"x\"]\n"},
        // The last name wins, and its folder holds the projection file.
        {{"a.inp", "sub/b.inp", "-shp"}, {{"sub/b.inp", kQuietModel}, {"sub/Projection.prj", "P\n"}}, 0,
         "GIS Projection being extracted from sub/Projection.prj\n"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        std::filesystem::create_directory(dir.path() / "sub");
        writeText(dir.path() / "model.inp", kQuietModel);
        for (const auto& [name, text] : c.files) writeText(dir.path() / name, text);
        std::vector<std::string> argv{ZX_EXECUTABLE};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const auto result = run(argv, dir.path());
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.out.find(c.shown), std::string::npos) << result.out;
    }
}

TEST(MainProgram, AnAbsoluteInputNameIsNoSwitch) {
    test::TempDir dir;
    test::TempDir elsewhere;
    writeText(dir.path() / "model.inp", kQuietModel);
    writeText(dir.path() / "Header.prj", "P\n");
    const auto result = run({ZX_EXECUTABLE, "-shp", dir.file("model.inp")}, elsewhere.path());
    EXPECT_NE(result.out.find("GIS Projection being extracted from " + dir.file("Header.prj")), std::string::npos)
        << result.out;
    EXPECT_EQ(result.status, 0);
}

TEST(MainProgram, PromptsForAMissingInputUntilItExistsOrInputEnds) {
    test::TempDir dir;
    writeText(dir.path() / "model.inp", kQuietModel);
    const auto found = run({ZX_EXECUTABLE, "missing.inp"}, dir.path(), "wrong\nmodel\n");
    EXPECT_NE(found.out.find(" Please enter the .inp file ->  WARNING - Can''t find file wrong.inp, try again\n"
                             " Please enter the .inp file ->  Trying to open file model.inp...OK."),
              std::string::npos)
        << found.out;
    EXPECT_EQ(found.status, 0);

    const auto ended = run({ZX_EXECUTABLE, "missing.inp"}, dir.path(), "also_missing\n");
    EXPECT_EQ(ended.out, startLines(2) +
                             " Please enter the .inp file ->  WARNING - Can''t find file also_missing.inp, try again\n"
                             " Please enter the .inp file -> \n"
                             "\nERROR - No .inp file name given: standard input has ended.\n" + kCloseLines);
    EXPECT_EQ(ended.status, 1);
}

TEST(MainProgram, WarnsAndPausesWhenLinksAndCrossSectionsDoNotPairUpAndGoesOn) {
    test::TempDir dir;
    writeText(dir.path() / "model.inp",
              "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\nC2 J2 J3 1 0.01 0 0 0 0\n[WEIRS]\nW1 J1 J2 TRANSVERSE 1 2\n"
              "[ORIFICES]\nO1 J1 J2 SIDE 0 0.6 NO 0\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\nC2 CIRCULAR 1 0 0 0 1\n"
              "W1 RECT_OPEN 1 2 0 0 1\nO1 CIRCULAR 1 0 0 0 1\nX1 CIRCULAR 1 0 0 0 1\n"
              "[JUNCTIONS]\nJ1 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 1 0\nJ3 2 0\n");
    const auto result = run({ZX_EXECUTABLE, "model.inp"}, dir.path());
    EXPECT_NE(result.out.find("\nChecking number of sections matches number of CONDUITS...\n"
                              "\nWARNING number of xsection and CONDUITS + ORIFICES + WEIRS do not match.\n"
                              "  Number of conduits: 2\n  Number of weir: 1\n  Number of xsections: 5\n"
                              "Paused - press Enter to continue\n"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(result.out.ends_with("\nFinished.\n" + kCloseLines)) << result.out;
    EXPECT_EQ(result.status, 0);
}

}  // namespace
}  // namespace zx
