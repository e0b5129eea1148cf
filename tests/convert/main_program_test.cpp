// tests/convert/main_program_test.cpp: the converter run as a user runs it on small hand-made
// models: the command line, the projection files, the input prompt, the stops before anything is
// written and the exit status. Whole conversions are in conversion_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// No section here starts an output stage.
constexpr std::string_view kQuiet = "[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\n[COORDINATES]\nJ1 0 0\n";
constexpr std::string_view kMif = "Version 300\nCoordSys Earth Projection 8, 74\nData\n";
const std::string kNodes = "[JUNCTIONS]\nJ1 2 0 0 0 0\nJ2 1 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 1 1\n";

struct RunCase {
    std::vector<std::string> arguments{"model.inp"};
    std::string model{kQuiet};  // model.inp
    std::vector<std::pair<std::string, std::string_view>> files{};
    std::string_view input{};  // standard input
    int status = 0;
    std::string shown{};              // a stretch of the transcript; a stop's last line
    std::string_view neverWritten{};  // a path that the stop keeps from being made
    std::pair<std::string_view, std::string> written{};  // a file the run writes, and all it holds
};

const std::string kLongPrj(1500, 'P');

const RunCase kRuns[] = {
    {.arguments = {}, .status = 1,
     .shown = "\nThis development utility converts an EPA swmm file to GIS files.\n\n   Syntax is:\n"
              "      zervanix.exe -mif SWMM.inp\n      zervanix.exe -shp SWMM.inp\n"},
    // The sections are read in a fixed order whatever the file's order.
    {.shown = "Found 1 coordinate points.\n\nReading [XSECTIONS] data..."},
    {.arguments = {"-MIF", "model.inp"}, .files = {{"Header.mif", kMif}},
     .shown = "\nUsing Header.mif for setting projection.\n"},
    {.arguments = {"-mif", "-shp", "model.inp"}, .status = 1,
     .shown = "\nERROR - Both mif and shp outputs specified, please use only one."},
    {.arguments = {"-mif", "model.inp"}, .status = 1,
     .shown = "\nERROR - A Header.mif or Projection.mif file does not exist in folder."},
    {.arguments = {"-mif", "model.inp"}, .files = {{"Header.mif", "Version 300\n"}, {"Projection.mif", kMif}},
     .status = 1, .shown = "\nERROR - Unable to find CoordSys line in Header.mif"},
    // An unknown switch stops with the message of a missing .prj file, whatever the folder holds.
    {.arguments = {"-txt", "model.inp"}, .files = {{"Header.prj", "P\n"}}, .status = 1,
     .shown = "\nERROR - A Header.prj or Projection.prj file does not exist in folder."},
    {.arguments = {"/shp", "model.inp"}, .files = {{"Header.prj", ""}}, .status = 1,
     .shown = "\nERROR - Projection line could not be found in \"GIS Projection\" .prj file.Header.prj"},
    // A dash that a word processor made longer.
    {.arguments = {"\xE2\x80\x93mif", "model.inp"}, .files = {{"Projection.mif", kMif}},
     .shown = "\nmif Projection: CoordSys Earth Projection 8, 74\n"},
    // The last name wins, and its folder holds the projection file; a name from the root is no switch.
    {.arguments = {"a.inp", "{dir}/sub/b.inp", "-shp"}, .files = {{"sub/b.inp", kQuiet}, {"sub/Projection.prj", "P\n"}},
     .shown = "/sub/Projection.prj\n"},
    // A missing input is asked for until it exists or standard input ends.
    {.arguments = {"missing.inp"}, .input = "wrong\nmodel\n",
     .shown = " Please enter the .inp file ->  WARNING - Can''t find file wrong.inp, try again\n"
              " Please enter the .inp file ->  Trying to open file model.inp...OK."},
    {.arguments = {"missing.inp"}, .input = "also_missing\n", .status = 1,
     .shown = " Please enter the .inp file ->  WARNING - Can''t find file also_missing.inp, try again\n"
              " Please enter the .inp file -> \n\nERROR - No .inp file name given: standard input has ended."},
    {.model = kNodes + "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\nX1 CIRCULAR 1 0 0 0\n",
     .shown = "\nWARNING number of xsection and CONDUITS + ORIFICES + WEIRS do not match.\n  Number of conduits: 1\n"
              "  Number of weir: 0\n  Number of xsections: 2\nPaused - press Enter to continue\n"},
    // Names that would leave the output folder; a slash is a character of a name.
    {.model = kNodes + "[TRANSECTS]\nNC 0.1 0.1 0.1\nX1 a/b 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n", .status = 1,
     .shown = "\nERROR - The name of transect a/b cannot be used as a file name.", .neverWritten = "xs/a"},
    {.model = kNodes + "[TRANSECTS]\nNC 0.1 0.1 0.1\nX1 .. 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n", .status = 1,
     .shown = "\nERROR - The name of transect .. cannot be used as a file name.", .neverWritten = "xs/...csv"},
    {.model = kNodes + "[CONDUITS]\n\"up/C5\" J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\n\"up/C5\" ARCH 1 2 0 0 1\n",
     .status = 1,
     .shown = "\nERROR - The name of link up/C5 cannot be used as a file name.", .neverWritten = "xs/up"},
    {.model = kNodes + "[ORIFICES]\nm\\O1 J1 J2 BOTTOM 0 0.6 NO 0\n[XSECTIONS]\nm\\O1 CIRCULAR 1 0 0 0\n", .status = 1,
     .shown = "\nERROR - The name of orifice m\\O1 cannot be used as a file name.", .neverWritten = "matrix_flow/m"},
    // Without [XSECTIONS] a conduit has no shape to be written with.
    {.model = kNodes + "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n", .status = 1,
     .shown = "\nERROR - Unable to find XSection data for link: C1", .neverWritten = "xs"},
    {.model = kNodes + "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 RECT_OPEN deep 2 0 0 1\n", .status = 1,
     .shown = "\nERROR - Geom1 of link C1 is not a number: deep", .neverWritten = "xs"},
    // How the file was saved: a UTF-8 mark is skipped, UTF-16 cannot be read, nothing to read is no model.
    {.model = "\xEF\xBB\xBF" + kNodes, .shown = "Found 2 junctions."},
    {.model = "\xFF\xFE[\0J\0U\0N\0C\0T\0I\0O\0N\0S\0]\0\r\0\n\0"s, .status = 1,
     .shown = "\nERROR - The .inp file model.inp is saved as UTF-16 (Unicode): it must be saved as ANSI or UTF-8."},
    {.model = "\0[\0J\0U\0N\0C\0T\0I\0O\0N\0S\0]\0\n"s, .status = 1,
     .shown = "\nERROR - The .inp file model.inp is saved as UTF-16 (Unicode): it must be saved as ANSI or UTF-8."},
    {.model = "", .status = 1,
     .shown = "\nERROR - The .inp file model.inp is empty or holds no section header such as [CONDUITS]."},
    {.model = ";[JUNCTIONS]\nJ1 2 0 0 0 0\n", .status = 1,
     .shown = "\nERROR - The .inp file model.inp is empty or holds no section header such as [CONDUITS]."},
    {.model = "[SUBCATCHMENTS]\nS1 R1 J1 1 1 1 1\n[TIMESERIES]\n",
     .shown = "\nWARNING - No [JUNCTIONS], [CONDUITS], [WEIRS] or [ORIFICES] section in the .inp file: there is no "
              "network to convert.\n\nFinished."},
    // A NUL byte, and words that only a list-directed reading would take for numbers.
    {.model = "[JUNCTIONS]\nJ\0" "1 2 0 0 0 0\n"s, .status = 1,
     .shown = "ERROR - Reading [junction] block line.  Erroneous line is:\nJ\0" "1 2 0 0 0 0"s},
    {.model = kNodes + "[CONDUITS]\nC1 J1 J2 3* 0.01 0 0 0 0\n", .status = 1,
     .shown = "ERROR - Reading [conduits] block line.  Erroneous line is:\nC1 J1 J2 3* 0.01 0 0 0 0"},
    // The projection text is copied whole: every line, any length.
    {.arguments = {"-shp", "model.inp"}, .model = kNodes, .files = {{"Header.prj", "GEOG[\"A\",  \r\n  B[1]]  \n\n"}},
     .shown = "\nshp Projection: GEOG[\"A\",\n  B[1]]\n",
     .written = {"1d_nwk_model.inp_junctions_P.prj", "GEOG[\"A\",\n  B[1]]\n"}},
    // GDAL finds no coordinate system in a .prj that starts with an empty line.
    {.arguments = {"-shp", "model.inp"}, .model = kNodes, .files = {{"Header.prj", "\n \r\nGEOG[\"A\"]\n"}},
     .shown = "\nshp Projection: GEOG[\"A\"]\n", .written = {"1d_nwk_model.inp_junctions_P.prj", "GEOG[\"A\"]\n"}},
    {.arguments = {"-shp", "model.inp"}, .model = kNodes, .files = {{"Header.prj", kLongPrj}},
     .shown = "\nshp Projection: " + kLongPrj + "\n", .written = {"1d_nwk_model.inp_junctions_P.prj", kLongPrj + "\n"}},
};

TEST(MainProgram, ShowsItsTranscriptAndEndsWithTheStatusOfTheRun) {
    for (const RunCase& c : kRuns) {
        SCOPED_TRACE(c.shown);
        test::TempDir dir;
        fs::create_directory(dir.path() / "sub");
        test::writeText(dir.path() / "model.inp", c.model);
        for (const auto& [name, text] : c.files) test::writeText(dir.path() / name, text);
        std::vector<std::string> argv{ZX_EXECUTABLE};
        for (std::string argument : c.arguments)
            argv.push_back(argument.starts_with("{dir}") ? argument.replace(0, 5, dir.path().string()) : argument);
        const auto result = test::run(argv, dir.path(), c.input);
        EXPECT_EQ(result.status, c.status);
        // Only a run that reached the end says so; a stop shows its message last.
        const std::string close = "\n\nPress Enter to Close\n";
        EXPECT_TRUE(c.status == 0 ? result.out.find(c.shown) != std::string::npos &&
                                        result.out.ends_with("\nFinished." + close)
                                  : result.out.ends_with(c.shown + close))
            << result.out;
        EXPECT_TRUE(c.neverWritten.empty() || !fs::exists(dir.path() / c.neverWritten)) << c.neverWritten;
        if (!c.written.first.empty()) {
            EXPECT_EQ(test::readText(dir.path() / c.written.first), c.written.second);
        }
    }
}

}  // namespace
}  // namespace zx
