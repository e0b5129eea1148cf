// tests/convert/table_names_test.cpp: whole conversions of models whose tables would share a file
// or outgrow their references: every table gets a file of its own, whose name ends in ".csv" and
// fits Source, and the layers, as GDAL reads them in both forms, name the files written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;

const std::string kNodes = "[JUNCTIONS]\nJ1 0 0 0 0 0\nJ2 0 0 0 0 0\n[COORDINATES]\nJ1 0 0\nJ2 10 0\n";
const std::string kLong1 = std::string(47, 'L') + "1";  // the first 46 characters make a file name
const std::string kLong2 = std::string(47, 'l') + "2";  // the same name without case
const std::string kArch = "Arch" + std::string(56, 'A') + "_end";

struct TableCase {
    std::string model;                                       // after the nodes
    std::vector<std::string> files;                          // the table files, sorted
    std::vector<std::string> shown;                          // on the console
    std::vector<std::pair<std::string, std::string>> holds;  // a file and a text it holds
    std::vector<std::pair<std::string, std::string>> read;   // a layer and what ogrinfo shows of it
};

TEST(TableFileNames, EveryTableGetsItsOwnFileAndEveryReferenceNamesIt) {
    ZX_REQUIRE_PROGRAM("ogrinfo");
    const std::string clash = "\nWARNING - Two tables would be written to one file: ";
    const TableCase cases[] = {
        // A transect and a conduit of one name; a station repeated above 256; no stations.
        {"[CONDUITS]\n1415 J1 J2 100 0.01 0 0 0 0\nC2 J1 J2 100 0.01 0 0 0 0\n[XSECTIONS]\n"
         "1415 TRAPEZOIDAL 6 15 4 4 1\nC2 IRREGULAR 1415 0 0 0 1\n[TRANSECTS]\nNC 0.1 0.1 0.03\n"
         "X1 1415 3 0 400 0 0 0 0 0\nGR 1 300 2 300 3 400\nX1 T2 0 0 10 0 0 0 0 0\n",
         {"xs/1415.csv", "xs/1415~2.csv", "xs/T2.csv"},
         {clash + "transect 1415 keeps xs\\1415.csv, link 1415 gets xs\\1415~2.csv\n",
          "x added by 0.00001xs\\1415.csvpoint           2\n",
          "\nWARNING - [TRANSECTS] No stations (GR lines) given. Transect name:T2\n"},
         {{"xs/1415.csv", "\n    300.0000305,"}, {"xs/1415~2.csv", "H, W, N\n"}, {"xs/T2.csv", "X, Z, N\n"}},
         {{"xs/1d_xs_model.inp_transects", "Source (String) = 1415.csv\n"},
          {"xs/1d_xs_model.inp_transects", "Source (String) = 1415~2.csv\n"}}},
        // Long link names, two of them alike in their first 50 characters but for case.
        {"[CONDUITS]\n" + kLong1 + " J1 J2 1 0.01 0 0 0 0\n" + kLong2 + " J1 J2 1 0.01 0 0 0 0\n" + kArch +
             " J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\n" + kLong1 + " RECT_OPEN 1 2 0 0 1\n" + kLong2 +
             " RECT_OPEN 1 3 0 0 1\n" + kArch + " ARCH 1 2 0 0 1\n",
         {"xs/" + kArch.substr(0, 46) + ".csv", "xs/" + kLong1.substr(0, 46) + ".csv",
          "xs/" + kLong2.substr(0, 44) + "~2.csv"},
         {clash + "link " + kLong1 + " keeps xs\\" + kLong1.substr(0, 46) + ".csv, link " + kLong2 + " gets xs\\" +
          kLong2.substr(0, 44) + "~2.csv\n"},
         {},
         {{"xs/1d_xs_model.inp_transects", "Source (String) = " + kLong2.substr(0, 44) + "~2.csv\n"},
          {"xs/1d_hw_model.inp", "Source (String) = " + kArch.substr(0, 46) + ".csv\n"}}},
        // BOTTOM orifices named alike but for case, and one whose references pass 50 characters.
        {"[ORIFICES]\nO1 J1 J2 BOTTOM 0 0.6 NO 0\no1 J1 J2 BOTTOM 0 0.6 NO 0\nOR_CSO_1 J1 J2 BOTTOM 0 0.6 NO 0\n"
         "[XSECTIONS]\nO1 CIRCULAR 1 0 0 0\nOR_CSO_1 CIRCULAR 1 0 0 0\n",
         {"matrix_flow/O1_A.csv", "matrix_flow/O1_Q.csv", "matrix_flow/OR_CSO_1_A.csv", "matrix_flow/OR_CSO_1_Q.csv",
          "matrix_flow/o1~2_A.csv", "matrix_flow/o1~2_Q.csv"},
         {clash + "orifice O1 keeps matrix_flow\\O1_Q.csv | matrix_flow\\O1_A.csv, orifice o1 gets "
                  "matrix_flow\\o1~2_Q.csv | matrix_flow\\o1~2_A.csv\n"},
         {{"matrix_flow/o1~2_Q.csv", "! O1 BOTTOM Orifice channel Flow Matrix\n"}},
         {{"1d_nwk_model.inp", "Inlet_Type: String (55.0)\n"},
          {"1d_nwk_model.inp", "Inlet_Type (String) = matrix_flow\\o1~2_Q.csv | matrix_flow\\o1~2_A.csv\n"},
          {"1d_nwk_model.inp",
           "Inlet_Type (String) = matrix_flow\\OR_CSO_1_Q.csv | matrix_flow\\OR_CSO_1_A.csv\n"}}},
    };
    for (const TableCase& c : cases) {
        for (const std::string form : {"shp", "mif"}) {
            SCOPED_TRACE(form + "\n" + c.model);
            test::TempDir dir;
            test::writeText(dir.path() / "model.inp", kNodes + c.model);
            for (std::string_view projection : {"Projection.prj", "Projection.mif"})
                fs::copy_file(fs::path(ZX_SOURCE_DIR) / "examples" / projection, dir.path() / projection);
            const auto result = test::run({ZX_EXECUTABLE, "-" + form, "model.inp"}, dir.path());
            ASSERT_EQ(result.status, 0) << result.out;
            std::vector<std::string> files;
            for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
                if (entry.path().extension() == ".csv") files.push_back(fs::relative(entry, dir.path()).string());
            }
            std::sort(files.begin(), files.end());
            EXPECT_EQ(files, c.files);
            for (const std::string& text : c.shown) EXPECT_NE(result.out.find(text), std::string::npos) << text;
            for (const auto& [file, text] : c.holds) {
                EXPECT_NE(test::readText(dir.path() / file).find(text), std::string::npos) << file << ": " << text;
            }
            for (const auto& [layer, text] : c.read) {
                const std::string name = layer + (form == "shp" ? "_L.shp" : ".mif");
                const auto read = test::runFromPath({"ogrinfo", "-ro", "-al", name}, dir.path());
                EXPECT_NE(read.out.find(text), std::string::npos) << name << ": " << text << "\n" << read.out;
            }
        }
    }
}

}  // namespace
}  // namespace zx
