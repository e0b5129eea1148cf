// tests/gis/layer_to_grid_test.cpp: the two drivers that sample a layer onto a grid, one object
// per call, on hand-written MIF layers: the order of objects and calls, objects of other kinds,
// values that cannot be read, and the caller's own objects handed to the second driver.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/units.hpp"
#include "gis/grid_sampling.hpp"
#include "gis/layer_table.hpp"
#include "gis/gis_test_support.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::partLog;

constexpr std::string_view kHeader =
    "Version 300\nCharset \"Neutral\"\nDelimiter \",\"\nColumns 2\n  val Float\n  name Char(10)\nData\n\n";

struct Grid {
    std::vector<std::int32_t> integers = std::vector<std::int32_t>(100);
    std::vector<float> centres = std::vector<float>(100), columnFaces = std::vector<float>(100),
                       rowFaces = std::vector<float>(100);
    GridArrays arrays() {
        return {integers.data(), centres.data(), integers.data(), columnFaces.data(), integers.data(),
                rowFaces.data()};
    }
    float at(int j, int i) const { return centres[static_cast<std::size_t>((i - 1) * 10 + j - 1)]; }
};

SamplingGrid unitGrid() {
    SamplingGrid grid;
    grid.rows = grid.columns = grid.n1 = grid.n2 = 10;
    return grid;
}

class LayerToGrid : public ::testing::Test {
protected:
    void SetUp() override { INITUNITS(1000); }
    void TearDown() override {
        test::ConsoleCapture console;
        if (gisID > 0) gisCloseLayer(gisID);
        units().closeEverythingOnExit();
    }
    void open(std::string_view objects, std::string_view records) {
        test::writeText(dir.file("layer.mif"), std::string(kHeader) + std::string(objects));
        test::writeText(dir.file("layer.mid"), records);
        test::ConsoleCapture console;
        gisID = gisOpenLayer(dir.file("layer.mif"), "", "I ", false);
        ASSERT_GT(gisID, 0);
        gisReadHeader(gisID);
    }
    // One call of the first driver: its count and the console lines it wrote, the open and close
    // lines of the units left out.
    std::pair<std::int32_t, std::string> next(Grid& grid, const SamplingSwitches& switches = {}) {
        test::ConsoleCapture console;
        std::int32_t count = -1;
        gisAssignLayerToGrid(gisID, unitGrid(), switches, grid.arrays(), count);
        return {count, console.text()};
    }

    test::TempDir dir{true};
    int gisID = 0;
};

TEST_F(LayerToGrid, OneObjectPerCallWithAllItsPartsUntilTheLayerEnds) {
    open("Point 2.5 3.5\n"
         "Pline Multiple 3\n  2\n0.3 0.4\n2.7 0.6\n  2\n0.3 5.4\n2.7 5.6\n  2\n0.4 8.3\n0.6 9.7\n"
         "Text\n    \"label\"\n    1 1 2 2\n"
         "Region 1\n  5\n6.2 6.2\n7.8 6.2\n7.8 7.8\n6.2 7.8\n6.2 6.2\n",
         "7.5,\"a\"\n2,\"b\"\n9,\"c\"\n3,\"d\"\n");
    Grid grid;
    auto [count, log] = next(grid);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(log, partLog("POINT", "     1", "7.5", "     1 cells"));
    EXPECT_EQ(grid.at(4, 3), 7.5F);

    // Three sections, each walked alone: no cell between the sections is set.
    std::tie(count, log) = next(grid);
    EXPECT_EQ(count, 3 + 3 + 2);
    EXPECT_EQ(log, partLog("PLINE MULTIPLE", "     2", "2.", "     3 cells") +
                       partLog("PLINE MULTIPLE", "     2", "2.", "     3 cells") +
                       partLog("PLINE MULTIPLE", "     2", "2.", "     2 cells"));
    EXPECT_EQ(grid.at(1, 1), 2.0F);
    EXPECT_EQ(grid.at(6, 3), 2.0F);
    EXPECT_EQ(grid.at(10, 1), 2.0F);
    for (int j = 2; j <= 5; ++j)
        for (int i = 1; i <= 2; ++i) EXPECT_EQ(grid.at(j, i), 0.0F) << j << "," << i;

    const std::vector<float> before = grid.centres;
    std::tie(count, log) = next(grid);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(log, "WARNING 2073 - Object ignored.  Only Points, Lines, Polylines & Regions used.\n"
                   "GIS Object = TEXT\n");
    EXPECT_EQ(grid.centres, before);

    std::tie(count, log) = next(grid);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(log, "...GIS REGION (     6 vertices /  1 polygons) assigned 3. to     4 cells\n");
    EXPECT_EQ(grid.at(7, 7), 3.0F);

    ASSERT_TRUE(layers().slot(gisID).endOfFile);
    std::tie(count, log) = next(grid);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(log, "");
}

TEST_F(LayerToGrid, ARecordWithoutAFirstNumberStopsTheRun) {
    open("Point 2.5 3.5\n", "\"north\",\"a\"\n");
    ZX_EXPECT_STOP(
        {
            Grid grid;
            std::int32_t count = 0;
            gisAssignLayerToGrid(gisID, unitGrid(), {}, grid.arrays(), count);
        },
        "ERROR 2148 - Reading attribute data from data line below.\nData Line = \"north\",\"a\"");
}

TEST_F(LayerToGrid, SecondDriverOnTheCallersObjectUsesTheLastValueReadAndItsVerticesOnce) {
    open("Point 2.5 3.5\n", "6,\"a\"\n");
    Grid grid;
    GisObject object;
    std::int32_t count = -1;
    IndexBox box;
    std::vector<std::uint8_t> marks(100, 9);
    const std::vector<double> x{0.3, 0.4, 3.6}, y{0.4, 2.6, 2.7};
    GisObject line;
    line.pline = true;
    line.kindName = "PLINE MULTIPLE";
    line.count = 3;  // three sections in the record, one handed over
    {
        test::ConsoleCapture console;
        // Nothing read yet: the value is 0.
        gisAssignLayerToGrid2(gisID, line, unitGrid(), {}, grid.arrays(), true, false, {x.data(), y.data(), 3}, count,
                              box, marks.data());
        EXPECT_EQ(console.text(), partLog("PLINE MULTIPLE", "     3", "0.", "     7 cells"));
    }
    EXPECT_EQ(count, 7);  // (3, 1) ends the first segment and starts the second
    EXPECT_EQ(box.firstRow, 2);
    EXPECT_EQ(box.lastRow, 3);
    EXPECT_EQ(box.lastColumn, 4);

    {
        test::ConsoleCapture console;
        gisAssignLayerToGrid2(gisID, object, unitGrid(), {}, grid.arrays(), true, true, {}, count, box, marks.data());
    }
    EXPECT_EQ(count, 1);
    EXPECT_EQ(grid.at(4, 3), 6.0F);
    EXPECT_EQ(box.firstRow, 4);
    EXPECT_EQ(box.firstColumn, 3);

    // A region of the caller's, without a value read: the last value, 6, and its marks.
    GisObject region;
    region.region = true;
    region.kindName = "REGION";
    region.nr = 1;
    region.ir = {5};
    const std::vector<double> rx{4.2, 5.8, 5.8, 4.2, 4.2, 5.8}, ry{0.2, 0.2, 1.8, 1.8, 0.2, 0.2};
    {
        test::ConsoleCapture console;
        gisAssignLayerToGrid2(gisID, region, unitGrid(), {}, grid.arrays(), false, false, {rx.data(), ry.data(), 6},
                              count, box, marks.data());
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(grid.at(1, 5), 6.0F);
    EXPECT_EQ(grid.at(2, 6), 6.0F);
    int marked = 0;
    for (const auto m : marks) marked += m;
    EXPECT_EQ(marked, 4);
}

}  // namespace
}  // namespace zx
