// tests/common/paths_test.cpp: splitting and joining names.
#include "common/paths.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace zx {
namespace {

using PathRoutine = std::string (*)(std::string_view);
const std::tuple<PathRoutine, std::string_view, std::string_view> kPathCases[] = {
    {FILEEXT, "C:\\dir.x\\model", ""},                   {FILEEXT, "dir/sub.d/layer.MIF  ", ".mif"},
    {FILEEXTKC, "model.INP", ".INP"},                    {FILENAMEEXT, "C:\\data\\model.inp", "model.inp"},
    {FILENAME, "C:\\data\\model.inp", "model"},          {FILENAME, "data/a.b.c", "a.b"},
    {FILENAME, "C:\\data\\.cfg", ".cfg"},                {FILENAME, ".cfg", ""},
    {FILENAMENO_, "C:\\out\\layer_L.shp", "layer"},      {FILE___EXT, "C:\\out\\layer_L.shp", "_l"},
    {FILE___EXT, "layer.shp", ""},                       {FILENAMEPATH, "dir.x\\model", "dir.x\\model"},
    {FILENAMEPATH, "1d_nwk_model.inp.shp", "1d_nwk_model.inp"},
    {FILENAMEPATHNO_, "C:\\out\\layer_L.shp", "C:\\out\\layer"},
    {FILENAMEPATHNO_, "C:\\my_dir\\layer.shp", "C:\\my_dir\\layer"},
    {FILEFOLDERPATH, "models/a.inp", "models/"},
    {REMOVEDOTDOT, "a\\b\\..\\..\\c", "c"},              {REMOVEDOTDOT, "..\\..\\a\\..\\b", "..\\..\\b"},
    {REMOVEDOTDOT, "  ab\\\\c\\.\\d  ", "ab\\c\\d"},
    // A current step before a parent step: the parent step removes b, not the "." step.
    {REMOVEDOTDOT, "a\\b\\.\\..\\c", "a\\c"},
};

TEST(PathRoutines, SplitAndNormaliseAsTheirRulesSay) {
    for (const auto& [routine, path, expected] : kPathCases) EXPECT_EQ(routine(path), expected) << path;
}

TEST(PathRoutines, AddFolderJoinsAndNormalises) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"C:\\data", "..\\x.prj", "C:\\x.prj"},    {"C:\\data\\", ".\\x", "C:\\data\\x"},
        {"C:\\data", "D:\\y", "D:\\y"},            {"a", "\\\\server\\x", "\\\\server\\x"},
        {"models/", "Header.prj", "models/Header.prj"}, {"", "", "."},
    };
    for (const auto& [folder, name, expected] : cases) EXPECT_EQ(ADDFOLDER(folder, name), expected) << folder << name;
}

TEST(PathRoutines, CleanPathAndDriveFolderChangeTheTextInPlace) {
    const std::pair<std::string, std::string> cleaned[] = {
        {"a//b\\\\c", "a/b\\c"}, {"  \\\\server\\\\share ", "\\\\server\\\\share"}};  // the network prefix stays
    for (auto [path, expected] : cleaned) {
        EXPECT_EQ(CLEANPATH(path), expected);
        EXPECT_EQ(path, expected);
    }
    const std::tuple<std::string, std::string, int> drives[] = {
        {"c:\\data\\run", "C Drive\\data\\run", 0}, {"\\\\server\\share", "URL\\server\\share", 0},
        {"relative\\folder", "relative\\folder", -1}};
    for (auto [path, expected, result] : drives) {
        EXPECT_EQ(DRIVEFOLDER(path), result);
        EXPECT_EQ(path, expected);
    }
}

}  // namespace
}  // namespace zx
