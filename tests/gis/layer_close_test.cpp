// tests/gis/layer_close_test.cpp: closing layers: the final header values, files cut where their
// headers say they end, input layers released, and write failures found at the end.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class LayerCloseTest : public LayerTest {
protected:
    // A line layer of n two-vertex lines, closed.
    void lineLayer(std::string_view name, int n) {
        table->gisAttributeTemplate.columns = {{"ID", "Char", 4}};
        int id = openOutput(name, "L");
        for (int i = 0; i < n; ++i) put(id, &GisObject::pline, {0, 0, 1.0 + i, 2.0 * i}, "\"l\"");
        table->closeLayer(id);
    }
};

// Each layer is written over the longer one before it, so stale bytes would show in the sizes.
TEST_F(LayerCloseTest, FinishedFilesHoldTheFinalCountsAndEndWhereTheirHeadersSay) {
    for (const unsigned n : {6u, 3u, 0u}) {
        SCOPED_TRACE(n);
        lineLayer("s.shp", static_cast<int>(n));
        const auto dbf = readBytes("s_L.dbf");
        EXPECT_EQ(std::vector<std::size_t>({le(dbf, 4), dbf.size(), dbf.back()}),
                  std::vector<std::size_t>({n, 65 + 5 * n + 1, 0x1A}));
        const auto shp = readBytes("s_L.shp"), shx = readBytes("s_L.shx");
        EXPECT_EQ(std::vector<std::size_t>({be32(shp, 24), shp.size(), be32(shx, 24), shx.size()}),
                  std::vector<std::size_t>({50 + 44 * n, 100 + 88 * n, 50 + 4 * n, 100 + 8 * n}));
        // The extent of the lines, or the empty box of a set without records.
        const std::vector<double> extent{0, 0, n + 0.0, 2.0 * n - 2};
        EXPECT_EQ(box(shp, 36), (n > 0 ? extent : std::vector<double>{0, 0, -1, -1}));
        const std::string counted = std::to_string(n) + " Records in file";
        EXPECT_NE(runReader({"shpinfo", "s_L.shp"}).out.find(counted), std::string::npos);
        EXPECT_NE(runReader({"dbfinfo", "s_L.dbf"}).out.find(counted), std::string::npos);
        EXPECT_NE(ogrinfo("s_L.shp").find("Feature Count: " + std::to_string(n) + "\n"), std::string::npos);
    }
}

TEST_F(LayerCloseTest, InputLayersAreReleasedWithoutRewriting) {
    lineLayer("in.shp", 2);
    const auto before = readBytes("in_L.shp");
    table->openLayer("in.shp", "L", "I ", false);
    EXPECT_TRUE(table->closeAllLayers());
    EXPECT_FALSE(table->closeAllLayers());
    EXPECT_EQ(readBytes("in_L.shp"), before);
    EXPECT_EQ(readBytes("in_L.dbf").size(), 65u + 2 * 5 + 1);
}

TEST_F(LayerCloseTest, WriteFailuresEndTheRunWithTheirMessage) {
    // 1000 lines make a .shp and a .mif file beyond the limit; the console output stays below it.
    auto beyondTheLimit = [&](std::string name) {
        return [=, this] {
            int id = openOutput(name, "L");
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
            const rlimit limit{64 * 1024, 64 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            for (int i = 0; i < 1000; ++i) put(id, &GisObject::pline, {0, 0, 1, 1}, "\"x\"");
            table->closeLayer(id);
        };
    };
    std::filesystem::create_symlink("/dev/full", "full_L.dbf");
    std::filesystem::create_symlink("/dev/full", "full_P.shp");
    table->gisAttributeTemplate.columns = {{"ID", "Char", 4}};
    for (const auto& [call, pattern] : Stops{
             {beyondTheLimit("big.shp"), "\n\nERROR 0413 - Rewriting \\.dbf file header with final information\\.\n"},
             {beyondTheLimit("big.mif"), "\n\nERROR 0439 - Writing \\.mif file object coordinates\\.\n"},
             {[&] { openOutput("full.shp", "L"); }, "\n\nERROR 0413 - Writing \\.dbf file header\\.\n"},
             {[&] { openOutput("full.shp", "P"); }, "\n\nERROR 0437 - Writing \\.shp file header\\.\n"},
         }) {
        ZX_EXPECT_STOP(call(), pattern);
    }
}

}  // namespace
}  // namespace zx::test
