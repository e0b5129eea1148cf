// tests/common/paths_test.cpp: splitting and joining names.
#include <gtest/gtest.h>

#include <functional>

#include "common/fortran_abi.hpp"
#include "common/paths.hpp"

extern "C" void FILENAME(char*, std::size_t, const char*, std::size_t);
extern "C" void CLEANPATH(char*, std::size_t, char*, std::size_t);

namespace zx {
namespace {

struct PathCase {
    std::string_view routine;
    std::string (*function)(std::string_view);
    std::string_view path;
    std::string_view expected;
};

const PathCase kPathCases[] = {
    {"FILEEXT", FILEEXT, "C:\\dir.x\\model", ""},
    {"FILEEXT", FILEEXT, "model.INP  ", ".inp"},
    {"FILEEXT", FILEEXT, "model", ""},
    {"FILEEXT", FILEEXT, "dir/sub.d/layer.MIF", ".mif"},
    {"FILEEXTKC", FILEEXTKC, "model.INP", ".INP"},
    {"FILENAME", FILENAME, "C:\\data\\model.inp", "model"},
    {"FILENAME", FILENAME, "model.inp", "model"},
    {"FILENAME", FILENAME, "C:\\data\\.cfg", ".cfg"},
    {"FILENAME", FILENAME, ".cfg", ""},
    {"FILENAME", FILENAME, "C:\\data\\", ""},
    {"FILENAME", FILENAME, "data/a.b.c", "a.b"},
    {"FILENAMEEXT", FILENAMEEXT, "C:\\data\\model.inp", "model.inp"},
    {"FILENAMEEXT", FILENAMEEXT, "model.inp", "model.inp"},
    {"FILENAMENO_", FILENAMENO_, "C:\\out\\layer_L.shp", "layer"},
    {"FILENAMENO_", FILENAMENO_, "_L.shp", ""},
    {"FILENAMENO_", FILENAMENO_, "layer.shp", "layer"},
    {"FILE___EXT", FILE___EXT, "C:\\out\\layer_L.shp", "_l"},
    {"FILE___EXT", FILE___EXT, "layer_L.shp", "_l"},
    {"FILE___EXT", FILE___EXT, "layer.shp", ""},
    {"FILENAMEPATH", FILENAMEPATH, "C:\\out\\layer.shp", "C:\\out\\layer"},
    {"FILENAMEPATH", FILENAMEPATH, ".hidden", ".hidden"},
    {"FILENAMEPATH", FILENAMEPATH, "1d_nwk_model.inp.shp", "1d_nwk_model.inp"},
    {"FILENAMEPATH", FILENAMEPATH, "dir.x\\model", "dir.x\\model"},
    {"FILENAMEPATHNO_", FILENAMEPATHNO_, "C:\\out\\layer_L.shp", "C:\\out\\layer"},
    {"FILENAMEPATHNO_", FILENAMEPATHNO_, "C:\\my_dir\\layer.shp", "C:\\my_dir\\layer"},
    {"FILENAMEPATHNO_", FILENAMEPATHNO_, "_L.shp", "_L"},
    {"FILEFOLDERPATH", FILEFOLDERPATH, "C:\\data\\model.inp", "C:\\data\\"},
    {"FILEFOLDERPATH", FILEFOLDERPATH, "models/a.inp", "models/"},
    {"FILEFOLDERPATH", FILEFOLDERPATH, "model.inp", ""},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "a\\b\\..\\..\\c", "c"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "..\\..\\x", "..\\..\\x"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "ab\\\\c", "ab\\c"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "a\\\\b", "a\\\\b"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "  x\\.\\y  ", "x\\y"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "..\\..\\a\\..\\b", "..\\..\\b"},
    // A current step before a parent step: the parent step removes b, not the "." step.
    {"REMOVEDOTDOT", REMOVEDOTDOT, "a\\b\\.\\..\\c", "a\\c"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "\\..\\x", "\\..\\x"},
};

TEST(PathRoutines, SplitAndNormaliseAsTheirRulesSay) {
    for (const auto& c : kPathCases) {
        SCOPED_TRACE(std::string(c.routine) + " of \"" + std::string(c.path) + "\"");
        EXPECT_EQ(c.function(c.path), c.expected);
    }
}

struct JoinCase {
    std::string_view folder, name, expected;
};
const JoinCase kJoinCases[] = {
    {"C:\\data", "..\\x.prj", "C:\\x.prj"},
    {"C:\\data\\", ".\\x", "C:\\data\\x"},
    {"C:\\data", "D:\\y", "D:\\y"},
    {"", "", "."},
    {"folder", "", "folder"},
    {"", " name ", "name"},
    {"models/", "Header.prj", "models/Header.prj"},
    {"a", "\\\\server\\x", "\\\\server\\x"},
};

TEST(PathRoutines, AddFolderJoinsAndNormalises) {
    for (const auto& c : kJoinCases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + std::string(c.name));
        EXPECT_EQ(ADDFOLDER(c.folder, c.name), c.expected);
    }
}

TEST(PathRoutines, CleanPathCollapsesDoubledSeparatorsButKeepsANetworkPrefix) {
    const std::pair<std::string, std::string> cases[] = {
        {"a//b\\\\c", "a/b\\c"},
        {"  \\\\server\\\\share ", "\\\\server\\\\share"},
        {"x\\y", "x\\y"},
    };
    for (auto [path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CLEANPATH(path), expected);
        EXPECT_EQ(path, expected);
    }
}

TEST(PathRoutines, DriveFolderTurnsARootIntoAFolderName) {
    const std::tuple<std::string, std::string, int> cases[] = {
        {"c:\\data\\run", "C Drive\\data\\run", 0},
        {"\\\\server\\share", "URL\\server\\share", 0},
        {"relative\\folder", "relative\\folder", -1},
    };
    for (auto [path, expected, result] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(DRIVEFOLDER(path), result);
        EXPECT_EQ(path, expected);
    }
}

TEST(PathRoutines, ExportedFormsFillAndCutTheCallersTexts) {
    char result[6];
    ::FILENAME(result, sizeof result, "C:\\data\\model.inp   ", 20);
    EXPECT_EQ(std::string_view(result, 6), "model ");
    ::FILENAME(result, 3, "C:\\data\\model.inp", 17);
    EXPECT_EQ(std::string_view(result, 3), "mod");

    char path[12] = {'a', '/', '/', 'b', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    char cleaned[12];
    ::CLEANPATH(cleaned, sizeof cleaned, path, sizeof path);
    EXPECT_EQ(std::string_view(cleaned, 12), "a/b         ");
    EXPECT_EQ(std::string_view(path, 12), "a/b         ");
}

}  // namespace
}  // namespace zx
