// tests/gis/layer_close_test.cpp: closing layers: the final header values, files cut where their
// headers say they end, the units released in their order, and write failures found at the end.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

namespace fs = std::filesystem;

class LayerCloseTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        useColumns({{"ID", "Char", 4}});
    }
    // A line layer of n two-vertex lines, closed.
    void lineLayer(std::string_view name, int n) {
        int id = openOutput(name, "L");
        object.pline = true;
        for (int i = 0; i < n; ++i) write(id, {0, 0, 1.0 + i, 2.0 * i}, "\"l" + std::to_string(i) + "\"");
        table->closeLayer(id);
        EXPECT_EQ(id, 0);
    }
    // From here on no file may grow beyond the limit; a write past it fails instead of killing.
    static void limitFileSize(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
};

// Each layer is written over the longer one before it, so stale bytes would show in the sizes.
TEST_F(LayerCloseTest, FinishedFilesHoldTheFinalCountsAndEndWhereTheirHeadersSay) {
    for (const unsigned n : {6u, 3u, 0u}) {
        SCOPED_TRACE(n);
        lineLayer("s.shp", static_cast<int>(n));
        // The .prj and the little-endian .shx units were released after the header.
        const std::string transcript = console.text();
        EXPECT_EQ(transcript.substr(transcript.rfind(" Closing")),
                  " Closing GIS Layer 1 [s.shp]...\n...Closed File Unit:1006\n...Closed File Unit:1001\n"
                  "...Closed File Unit:1002\n...Closed File Unit:1004\n");
        const auto dbf = readBytes("s_L.dbf");
        EXPECT_EQ(le(dbf, 4), n);
        EXPECT_EQ(dbf.size(), 65u + 5 * n + 1);
        EXPECT_EQ(dbf.back(), 0x1A);
        const auto shp = readBytes("s_L.shp");
        const auto shx = readBytes("s_L.shx");
        EXPECT_EQ(std::vector({be32(shp, 24), be32(shx, 24)}), std::vector({50 + 44 * n, 50 + 4 * n}));
        EXPECT_EQ(std::vector({shp.size(), shx.size()}), std::vector<std::size_t>({100 + 88 * n, 100 + 8 * n}));
        const std::vector<double> extent =
            n > 0 ? std::vector<double>{0, 0, n + 0.0, 2.0 * (n - 1)} : std::vector<double>{0, 0, -1, -1};
        EXPECT_EQ(box(shp, 36), extent);
        EXPECT_EQ(Bytes(shx.begin() + 28, shx.begin() + 100), Bytes(shp.begin() + 28, shp.begin() + 100));

        const std::string counted = std::to_string(n) + " Records in file";
        EXPECT_NE(runReader({"shpinfo", "s_L.shp"}).out.find(counted), std::string::npos);
        EXPECT_NE(runReader({"dbfinfo", "s_L.dbf"}).out.find(counted), std::string::npos);
        EXPECT_NE(ogrinfo("s_L.shp").find("Feature Count: " + std::to_string(n) + "\n"), std::string::npos);
    }
}

TEST_F(LayerCloseTest, MapInfoAndInputLayersAreReleasedWithoutRewriting) {
    lineLayer("in.shp", 2);
    const auto before = readBytes("in_L.shp");
    const int input = table->openLayer("in.shp", "L", "I ", false);
    const int mif = openOutput("m.mif", "");
    const int mid = table->slot(mif).mif.midUnit;
    EXPECT_TRUE(table->closeAllLayers());
    EXPECT_EQ(readBytes("in_L.shp"), before);
    EXPECT_EQ(readBytes("in_L.dbf").size(), 65u + 2 * 5 + 1);
    EXPECT_EQ(units().file(mid), nullptr);
    EXPECT_TRUE(table->slot(input).endOfFile && !table->slot(input).open);
    int none = 0;
    table->closeLayer(none);
    EXPECT_FALSE(table->closeAllLayers());
    const std::string transcript = console.text();
    EXPECT_NE(transcript.find(" Closing any unclosed GIS layers...\n Closing GIS Layer 1 [in.shp]...\n"),
              std::string::npos);
    EXPECT_EQ(transcript.substr(transcript.find("SOFTWARE")),
              "SOFTWARE CHECK - Trying to close a GIS Layer that's not open.  Please contact " +
                  std::string(kContactAddress) + ".\n Closing any unclosed GIS layers...\n");
}

TEST_F(LayerCloseTest, TheSystemNamesWorkOnTheTableOfTheProcess) {
    layers().gisAttributeTemplate.columns = {{"ID", "Char", 4}};
    int id = gisOpenLayer("n.shp", "P", "O ", false);
    gisWriteHeader(id);
    gisInitialiseObject(object);
    object.point = true;
    layers().gisObjectVertices.setCount(1);
    layers().gisAttributeLine = "\"j1\"";
    gisWriteObject(id, object);
    gisWriteRecord(id, object);
    gisCloseLayer(id);
    EXPECT_EQ(id, 0);
    EXPECT_NE(ogrinfo("n_P.shp").find("  ID (String) = j1\n  POINT (0 0)\n"), std::string::npos);
}

TEST_F(LayerCloseTest, WriteFailuresEndTheRunWithTheirMessage) {
    const std::string contact = " - please contact " + contactPattern() + "\\.\n";
    // 1000 lines make a .shp and a .mif file beyond the limit; the console output stays below it.
    auto beyondTheLimit = [&](std::string name) {
        return [=, this] {
            int id = openOutput(name, "L");
            limitFileSize(64 * 1024);
            for (int i = 0; i < 1000; ++i) put(id, &GisObject::pline, {0, 0, 1, 1}, "\"x\"");
            table->closeLayer(id);
        };
    };
    fs::create_symlink("/dev/full", "full_L.dbf");
    fs::create_symlink("/dev/full", "full_P.shp");
    expectStops({
        {[&] { table->writeEoF(0); }, "^Should not be here gisWriteEoF\\[gisID=0\\]" + contact},
        {[&] { table->writeEoF(5); }, "^ Should not be here \\[gisWriteHeader\\]" + contact},
        {[&] {
             int free = 5;
             table->closeLayer(free);
         },
         "\n Should not be here \\[gisCloseLayer\\]" + contact},
        {beyondTheLimit("big.shp"), "\n\nERROR 0413 - Rewriting \\.dbf file header with final information\\.\n"},
        {beyondTheLimit("big.mif"), "\n\nERROR 0439 - Writing \\.mif file object coordinates\\.\n"},
        {[&] { openOutput("full.shp", "L"); }, "\n\nERROR 0413 - Writing \\.dbf file header\\.\n"},
        {[&] { openOutput("full.shp", "P"); }, "\n\nERROR 0437 - Writing \\.shp file header\\.\n"},
    });
}

}  // namespace
}  // namespace zx::test
