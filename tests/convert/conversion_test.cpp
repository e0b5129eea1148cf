// tests/convert/conversion_test.cpp: whole conversions run as a user runs them: the console
// transcript and every file written for the bundled example and a hand-made model full of
// warnings, recorded in golden/ from the converter and checked by hand and with ogrinfo, shpdump
// and dbfdump.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <tuple>

#include "build_info.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;

// Every file under the folder by its relative name, without the ones named. A .dbf file's date of
// last update (header bytes 1 to 3) is the day of the run: it is left out of the comparison.
std::map<std::string, std::vector<unsigned char>> filesUnder(const fs::path& folder,
                                                             const std::vector<std::string>& without) {
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (!entry.is_regular_file() || std::find(without.begin(), without.end(), name) != without.end()) continue;
        auto bytes = test::readBytes(entry.path());
        if (entry.path().extension() == ".dbf" && bytes.size() > 3) bytes[1] = bytes[2] = bytes[3] = 0;
        files[name] = std::move(bytes);
    }
    return files;
}

TEST(Conversion, WritesTheRecordedTranscriptLayersAndTables) {
    // The recording in golden/, the folder of the model and its projection file, the arguments.
    const std::tuple<std::string_view, std::string_view, std::string_view, std::string_view> recorded[] = {
        {"example-shp", "examples", "-shp", "example.inp"},
        {"example-mif", "examples", "-mif", "example.inp"},
        // Links that cannot be drawn, tables without a link and repeated stations: each is
        // reported, the rest is written.
        {"warnings-mif", "tests/convert/models/warnings", "-mif", "model.inp"},
        // The same model with the lone CR line ends of old Mac editors converts alike.
        {"example-shp", "examples", "-shp", "example.inp\r"},
    };
    for (auto [name, inputs, format, model] : recorded) {
        SCOPED_TRACE(std::string(name) + (model.ends_with('\r') ? " (CR)" : ""));
        const bool crLineEnds = model.ends_with('\r');
        if (crLineEnds) model.remove_suffix(1);
        test::TempDir dir;
        std::vector<std::string> copied{"console.txt"};
        for (const auto& input : fs::directory_iterator(fs::path(ZX_SOURCE_DIR) / inputs)) {
            copied.push_back(input.path().filename().string());
            fs::copy_file(input.path(), dir.path() / copied.back());
        }
        if (crLineEnds) {
            std::string text = test::readText(dir.path() / model);
            std::replace(text.begin(), text.end(), '\n', '\r');
            test::writeText(dir.path() / model, text);
        }
        const auto result = test::run({ZX_EXECUTABLE, std::string(format), std::string(model)}, dir.path());
        EXPECT_EQ(result.status, 0);
        const fs::path golden = fs::path(ZX_SOURCE_DIR) / "tests/convert/golden" / name;
        // The recorded transcript shows the build label as "<label>".
        std::string console = test::readText(golden / "console.txt");
        const std::string_view label = "<label>";
        console.replace(console.find(label), label.size(), kBuildLabel);
        EXPECT_EQ(result.out, console);
        const auto expected = filesUnder(golden, copied);
        const auto written = filesUnder(dir.path(), copied);
        for (const auto& [file, bytes] : expected)
            EXPECT_TRUE(written.contains(file) && written.at(file) == bytes) << file;
        for (const auto& [file, bytes] : written) EXPECT_TRUE(expected.contains(file)) << file << " not expected";
    }
}

// Models that users do produce: numbers too wide for their fields, names holding quotes, commas,
// blanks and slashes, size codes beyond the integers, names that agree in their first 12
// characters. Each converts in both forms; GDAL reads every layer with the values of the model, and
// no number of a layer or table turns into asterisks.
const std::string kAwkwardModel = R"([JUNCTIONS]
J"1 1234.5 0 0 0 0
LongJunctionName_A 1235 0 0 0 0
LongJunctionName_B 1236 0 0 0 0
[COORDINATES]
J"1 -13000000.5 -10000000.25
LongJunctionName_A 1000000000.5 123456789.25
LongJunctionName_B 5 5
[CONDUITS]
C1/2 J"1 LongJunctionName_A 100 0.01 0 0 0 0
C1/3 LongJunctionName_A LongJunctionName_B 100 0.01 0 0 0 0
"C,1 ""x""" LongJunctionName_B J"1 100 0.01 0 0 0 0
A1 J"1 LongJunctionName_B 100 0.01 0 0 0 0
A2 J"1 LongJunctionName_B 100 0.01 0 0 0 0
[ORIFICES]
O1 LongJunctionName_A LongJunctionName_B BOTTOM 0 0.6 NO 0
[XSECTIONS]
C1/2 CIRCULAR 1 0 0 0 1
C1/3 CIRCULAR 1 0 0 0 1
"C,1 ""x""" CIRCULAR 1 0 0 0 1
A1 ARCH 1 2 2147483648 0 1
A2 ARCH 3000000000 0 0 0 1
O1 CIRCULAR 1 0 0 0
)";

TEST(Conversion, AwkwardNamesAndNumbersReachEveryLayerIntact) {
    ZX_REQUIRE_PROGRAM("ogrinfo");
    const std::string_view seen[] = {
        "A1 Arch Geometry Properties Set To Size Code ID: 2147483648\n",
        "A2 Arch Geometry Properties Set To Size Code ID: 3000000000\n",
        "\nWARNING - Objects of layer 1d_nwk_model.inp_junctions.{ext} share an ID (the first 12 characters of "
        "their names):\n  LongJunction: LongJunctionName_A, LongJunctionName_B\n",
    };
    // Layer, then what ogrinfo shows of it, in order.
    const std::vector<std::pair<std::string, std::vector<std::string>>> layers = {
        {"1d_nwk_model.inp{L}",
         {"ID (String) = C1/2", "LINESTRING (-13000000.5 -10000000.25,1000000000.5 123456789.25)",
          "ID (String) = C1/3", "LINESTRING (1000000000.5 123456789.25,5 5)", "ID (String) = C,1 \"x\"",
          "Comment (String) = C,1 \"x\"", "ID (String) = O1"}},
        {"1d_nwk_model.inp_junctions{P}",
         {"ID (String) = J\"1", "Comment (String) = J\"1", "POINT (-13000000.5 -10000000.25)",
          "Comment (String) = LongJunctionName_A", "POINT (1000000000.5 123456789.25)"}},
        {"xs/1d_hw_model.inp{L}", {"Source (String) = A1.csv", "Source (String) = A2.csv"}},
    };
    for (const std::string ext : {"mif", "shp"}) {
        SCOPED_TRACE(ext);
        test::TempDir dir;
        test::writeText(dir.path() / "model.inp", kAwkwardModel);
        test::writeText(dir.path() / "Header.mif", "Version 300\nCoordSys Earth Projection 1, 104\nData\n");
        test::writeText(dir.path() / "Header.prj",
                        "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
                        "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]\n");
        const auto result = test::run({ZX_EXECUTABLE, "-" + ext, "model.inp"}, dir.path());
        ASSERT_EQ(result.status, 0) << result.out;
        for (std::string text : std::vector<std::string>(std::begin(seen), std::end(seen))) {
            if (const auto at = text.find("{ext}"); at != std::string::npos) text.replace(at, 5, ext);
            EXPECT_NE(result.out.find(text), std::string::npos) << text;
        }
        for (const auto& [layer, shown] : layers) {
            std::string name = layer;
            const auto brace = name.find('{');
            name = name.substr(0, brace) + (ext == "shp" ? "_" + name.substr(brace + 1, 1) + ".shp" : ".mif");
            const auto read = test::runFromPath({"ogrinfo", "-ro", "-al", "-q", name}, dir.path());
            EXPECT_EQ(read.err, "") << name;
            std::size_t from = 0;
            for (const std::string& line : shown) {
                from = read.out.find(line, from);
                EXPECT_NE(from, std::string::npos) << name << ": " << line << "\n" << read.out;
            }
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            const auto extension = entry.path().extension();
            if (extension != ".csv" && extension != ".mif") continue;
            EXPECT_EQ(test::readText(entry.path()).find('*'), std::string::npos) << entry.path();
        }
    }
}

// What SWMM reads in a model reaches the layers: every block of a section, headers that are
// indented or carry text behind the bracket, the last line given for an object, lines of any
// length; a line for every channel on a shared transect and none for a pipe whose diameter is
// written like a transect's name; conduit inverts at offsets and at outfalls; LINK_OFFSETS
// ELEVATION with "*" for no offset; levels below a node raised to it in either mode; names in any
// case.
// ogrinfo reads the layers of both forms.
TEST(Conversion, LayersHoldWhatSwmmReadsInTheModel) {
    ZX_REQUIRE_PROGRAM("ogrinfo");
    const std::string nodes = "[JUNCTIONS]\nJ1 10 0 0 0 0\nJ2 8 0 0 0 0\n[OUTFALLS]\nO1 5 FREE NO\n"
                              "[COORDINATES]\nJ1 0 0\nJ2 10 0\nO1 20 0\n";
    const std::string longName(55, 'L');
    // A link's ID, then its inverts as ogrinfo shows them six lines on.
    const auto link = [](const std::string& id, const std::string& us, const std::string& ds) {
        return "ID \\(String\\) = " + id + "\n(.*\n){5}  US_Invert \\(Real\\) = " + us +
               "\\.?0*\n  DS_Invert \\(Real\\) = " + ds + "\\.?0*\n";
    };
    // The model after the nodes; per layer, what ogrinfo shows of it, in order (regular expressions).
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> cases = {
        {"[CONDUITS]\nC1 J1 J2 10 0.01 0 0 0 0\nC2 J2 O1 10 0.01 0 2 0 0\nC3 J1 O1 10 0.01 1 0 0 0\n"
         "[XSECTIONS]\nC1 CIRCULAR 2 0 0 0 1\nC2 IRREGULAR 2 0 0 0 1\n[LOSSES]\nC1 0 0 0 YES\n"
         "[TRANSECTS]\nNC 0.1 0.1 0.03\nX1 2 2 0 10 0 0 0 0 0\nGR 1 0 1 10\n \t[XSECTIONS]x\nC3 IRREGULAR 2 0 0 0 1\n"
         "[LOSSES]\nC1 0 0 0 NO\n",
         {{"1d_nwk_model.inp{L}", "ID \\(String\\) = C1\n  Type \\(String\\) = C\n"},
          {"1d_nwk_model.inp{L}", "US_Invert \\(Real\\) = -99999(\\.0+)?\n  DS_Invert \\(Real\\) = 7(\\.0+)?\n"},
          {"1d_nwk_model.inp{L}", "US_Invert \\(Real\\) = 11(\\.0+)?\n  DS_Invert \\(Real\\) = 5(\\.0+)?\n"},
          {"xs/1d_xs_model.inp_transects{L}", "Feature Count: 2\n"},
          {"xs/1d_xs_model.inp_transects{L}", "Source \\(String\\) = 2.csv\n(.*\n)*  LINESTRING \\(15 -5,15 5\\)"},
          {"xs/1d_xs_model.inp_transects{L}", "Source \\(String\\) = 2.csv\n(.*\n)*  LINESTRING \\(10 -10,10 10\\)"}}},
        {"[OPTIONS]\nLINK_OFFSETS DEPTH\nLINK_OFFSETS ELEVATION\n[CONDUITS]\n" + longName + " J1 O1 10 0.01 11 4 0 0\n"
         "C4 J2 O1 10 0.01 * * 0 0\n[WEIRS]\nW1 J1 J2 TRANSVERSE 9.5 3.3\nW2 J2 J1 TRANSVERSE * 3.3\n[ORIFICES]\n"
         "O2 J1 J2 SIDE 10.5 0.6 NO 0\nO3 J2 J1 SIDE *x 0.6 NO 0\n[XSECTIONS]\n" + longName +
         " RECT_OPEN 1 2 0 0 1\nC4 CIRCULAR 1 0 0 0 1\nW1 RECT_CLOSED 1 2 0 0 1\nW2 RECT_CLOSED 1 2 0 0 1\n"
         "O2 CIRCULAR 1 0 0 0\nO3 CIRCULAR 1 0 0 0\n[COORDINATES]\nJ1 -10" + std::string(1000, ' ') + "0\n",
         {{"1d_nwk_model.inp{L}", "US_Invert \\(Real\\) = 11(\\.0+)?\n  DS_Invert \\(Real\\) = 5(\\.0+)?\n"},
          {"1d_nwk_model.inp{L}", link("C4", "-99999", "5")},
          {"1d_nwk_model.inp{L}", link("W1", "10", "10")},  // raised to J1
          {"1d_nwk_model.inp{L}", link("W2", "8", "8")},
          {"1d_nwk_model.inp{L}", link("O2", "10.5", "-99999")},
          {"1d_nwk_model.inp{L}", link("O3", "8", "-99999")},
          {"xs/1d_xs_model.inp_transects{L}",
           "Source \\(String\\) = " + longName.substr(0, 46) + ".csv\n(.*\n)*  LINESTRING \\(5 -15,5 15\\)"}}},
        // Under DEPTH too a level below the node is raised to it: the crest of a bottom orifice
        // 2 above its Node2, a whole level of the matrices.
        {"[CONDUITS]\nC5 J1 J2 10 0.01 -0.5 -0.02 0 0\nC6 J2 O1 10 0.01 0.5 -1 0 0\n[WEIRS]\n"
         "W3 J1 J2 TRANSVERSE -0.5 3.3\n[ORIFICES]\nO4 J1 J2 SIDE -765.91 0.6 NO 0\nO5 J1 J2 BOTTOM -0.5 0.6 NO 0\n"
         "[XSECTIONS]\nC5 CIRCULAR 1 0 0 0 1\nC6 CIRCULAR 1 0 0 0 1\nW3 RECT_CLOSED 1 2 0 0 1\nO4 CIRCULAR 1 0 0 0\n"
         "O5 CIRCULAR 1 0 0 0\n",
         {{"1d_nwk_model.inp{L}", link("C5", "-99999", "-99999")},
          {"1d_nwk_model.inp{L}", link("C6", "8.5", "5")},
          {"1d_nwk_model.inp{L}", link("W3", "10", "10")},
          {"1d_nwk_model.inp{L}", link("O4", "10", "-99999")},
          {"1d_nwk_model.inp{L}", link("O5", "10", "-99999")},
          {"matrix_flow/O5_Q.csv", "\n1, 0.00,.* 0.90, 1.00, 2.00, 3.00,"}}},
        {"[CONDUITS]\nC1 J1 J2 10 0.01 0 0 0 0\nA1 J2 O1 10 0.01 0 0 0 0\n[XSECTIONS]\nC1 IRREGULAR street 0 0 0 1\n"
         "a1 ARCH 1 2 0 0 1\n[TRANSECTS]\nNC 0.1 0.1 0.03\nX1 Street 2 0 10 0 0 0 0 0\nGR 1 0 1 10\n",
         {{"xs/1d_xs_model.inp_transects{L}", "Source \\(String\\) = Street.csv\n(.*\n)*  LINESTRING \\(5 -5,5 5\\)"},
          {"xs/1d_hw_model.inp{L}", "Source \\(String\\) = a1.csv\n(.*\n)*  LINESTRING \\(15 -5,15 5\\)"}}},
    };
    for (const auto& [model, shown] : cases) {
        for (const std::string form : {"shp", "mif"}) {
            SCOPED_TRACE(form + "\n" + model);
            test::TempDir dir;
            test::writeText(dir.path() / "model.inp", nodes + model);
            for (std::string_view projection : {"Projection.prj", "Projection.mif"})
                fs::copy_file(fs::path(ZX_SOURCE_DIR) / "examples" / projection, dir.path() / projection);
            const auto result = test::run({ZX_EXECUTABLE, "-" + form, "model.inp"}, dir.path());
            ASSERT_EQ(result.status, 0) << result.out;
            for (const auto& [layer, pattern] : shown) {
                // A layer is read by ogrinfo; a name without a brace is a table, read as it stands.
                const auto brace = layer.find('{');
                std::string name = layer;
                std::string text;
                if (brace == std::string::npos) {
                    text = test::readText(dir.path() / name);
                } else {
                    name = layer.substr(0, brace) +
                           (form == "shp" ? "_" + layer.substr(brace + 1, 1) + ".shp" : ".mif");
                    text = test::runFromPath({"ogrinfo", "-ro", "-al", name}, dir.path()).out;
                }
                EXPECT_TRUE(std::regex_search(text, std::regex(pattern))) << name << ": " << pattern << "\n" << text;
            }
        }
    }
}

TEST(Conversion, NumbersThatAreNotFiniteStopTheRun) {
    const std::tuple<std::string, std::string> cases[] = {
        {"[COORDINATES]\nJ1 nan 0\n", "ERROR - Reading Coordinates line.  Erroneous line is:\nJ1 nan 0"},
        {"[JUNCTIONS]\nJ1 -Infinity 0 0 0 0\n", "ERROR - Reading [junction] block line.  Erroneous line is:\n"},
        {"[XSECTIONS]\nC1 RECT_CLOSED 1 inf 0 0 1\n", "ERROR - Reading [xsections] block line.  Erroneous line is:\n"},
        // SWMM reads decimal numbers alone, not Fortran's other forms.
        {"[JUNCTIONS]\nJ1 1-3 0 0 0 0\n", "ERROR - Reading [junction] block line.  Erroneous line is:\nJ1 1-3"},
        {"[CONDUITS]\nC1 J1 J2 1d3 0.01 0 0 0 0\n", "ERROR - Reading [conduits] block line.  Erroneous line is:\n"},
        {"[JUNCTIONS]\nJ1 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\n[CONDUITS]\nC1 J1 J1 1 0.01 0 0 0 0\n"
         "[XSECTIONS]\nC1 CIRCULAR NaN 0 0 0 1\n",
         "ERROR - Geom1 of link C1 is not a number: NaN"},
        // Finite values whose results are not: a table or a layer would hold them.
        {"[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 1 1\n[CONDUITS]\n"
         "A1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nA1 ARCH 1e20 1e20 0 0 1\n",
         "\nERROR - A number of table xs\\A1.csv is beyond the range of real numbers.\n"},
        {"[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 1 1\n[WEIRS]\nW1 J1 J2 SIDEFLOW 1 3.3\n"
         "[XSECTIONS]\nW1 RECT_OPEN 1 0 0 0 1\n",
         "\nERROR - A number of link W1 is beyond the range of real numbers.\n"},
        {"[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 -1.7e308 0\nJ2 1.7e308 0\n[CONDUITS]\n"
         "C1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 IRREGULAR T1 0 0 0 1\n[TRANSECTS]\nNC 0.1 0.1 0.1\n"
         "X1 T1 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n",
         "\nERROR 0439 - Writing .shp file object coordinates.\n"
         "Vertex 1 is not a finite number in layer xs\\1d_xs_model.inp_transects.shp\n"},
    };
    for (const auto& [model, stop] : cases) {
        SCOPED_TRACE(model);
        test::TempDir dir;
        test::writeText(dir.path() / "model.inp", model);
        const auto result = test::run({ZX_EXECUTABLE, "model.inp"}, dir.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.out.find(stop), std::string::npos) << result.out;
    }
}

}  // namespace
}  // namespace zx
