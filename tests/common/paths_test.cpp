// tests/common/paths_test.cpp: splitting and joining names.
#include "common/paths.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>

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
    {"FILEEXT", FILEEXT, "dir/sub.d/layer.MIF  ", ".mif"},
    {"FILEEXTKC", FILEEXTKC, "model.INP", ".INP"},
    {"FILENAME", FILENAME, "C:\\data\\model.inp", "model"},
    {"FILENAME", FILENAME, "C:\\data\\.cfg", ".cfg"},
    {"FILENAME", FILENAME, ".cfg", ""},
    {"FILENAME", FILENAME, "data/a.b.c", "a.b"},
    {"FILENAMEEXT", FILENAMEEXT, "C:\\data\\model.inp", "model.inp"},
    {"FILENAMENO_", FILENAMENO_, "C:\\out\\layer_L.shp", "layer"},
    {"FILENAMENO_", FILENAMENO_, "layer.shp", "layer"},
    {"FILE___EXT", FILE___EXT, "C:\\out\\layer_L.shp", "_l"},
    {"FILE___EXT", FILE___EXT, "layer.shp", ""},
    {"FILENAMEPATH", FILENAMEPATH, "C:\\out\\layer.shp", "C:\\out\\layer"},
    {"FILENAMEPATH", FILENAMEPATH, "1d_nwk_model.inp.shp", "1d_nwk_model.inp"},
    {"FILENAMEPATH", FILENAMEPATH, "dir.x\\model", "dir.x\\model"},
    {"FILENAMEPATHNO_", FILENAMEPATHNO_, "C:\\out\\layer_L.shp", "C:\\out\\layer"},
    {"FILENAMEPATHNO_", FILENAMEPATHNO_, "C:\\my_dir\\layer.shp", "C:\\my_dir\\layer"},
    {"FILEFOLDERPATH", FILEFOLDERPATH, "models/a.inp", "models/"},
    {"FILEFOLDERPATH", FILEFOLDERPATH, "model.inp", ""},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "a\\b\\..\\..\\c", "c"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "..\\..\\a\\..\\b", "..\\..\\b"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "ab\\\\c", "ab\\c"},
    {"REMOVEDOTDOT", REMOVEDOTDOT, "  x\\.\\y  ", "x\\y"},
    // A current step before a parent step: the parent step removes b, not the "." step.
    {"REMOVEDOTDOT", REMOVEDOTDOT, "a\\b\\.\\..\\c", "a\\c"},
};

TEST(PathRoutines, SplitAndNormaliseAsTheirRulesSay) {
    for (const auto& c : kPathCases) {
        SCOPED_TRACE(std::string(c.routine) + " of \"" + std::string(c.path) + "\"");
        EXPECT_EQ(c.function(c.path), c.expected);
    }
}

TEST(PathRoutines, AddFolderJoinsAndNormalises) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"C:\\data", "..\\x.prj", "C:\\x.prj"},
        {"C:\\data\\", ".\\x", "C:\\data\\x"},
        {"C:\\data", "D:\\y", "D:\\y"},
        {"a", "\\\\server\\x", "\\\\server\\x"},
        {"models/", "Header.prj", "models/Header.prj"},
        {"", "", "."},
    };
    for (const auto& [folder, name, expected] : cases) EXPECT_EQ(ADDFOLDER(folder, name), expected) << folder << name;
}

TEST(PathRoutines, CleanPathAndDriveFolderChangeTheTextInPlace) {
    const std::pair<std::string, std::string> cleaned[] = {
        {"a//b\\\\c", "a/b\\c"},
        {"  \\\\server\\\\share ", "\\\\server\\\\share"},  // the network prefix stays
    };
    for (auto [path, expected] : cleaned) {
        EXPECT_EQ(CLEANPATH(path), expected);
        EXPECT_EQ(path, expected);
    }
    const std::tuple<std::string, std::string, int> drives[] = {
        {"c:\\data\\run", "C Drive\\data\\run", 0},
        {"\\\\server\\share", "URL\\server\\share", 0},
        {"relative\\folder", "relative\\folder", -1},
    };
    for (auto [path, expected, result] : drives) {
        EXPECT_EQ(DRIVEFOLDER(path), result);
        EXPECT_EQ(path, expected);
    }
}

}  // namespace
}  // namespace zx
