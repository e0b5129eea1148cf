// tests/convert/special_shapes_test.cpp: height-width tables made from open channel shapes, ARCH
// size codes and tables, RECT_TRIANGULAR tables and the height-width attribute line.
#include "convert/special_shapes.hpp"

#include <gtest/gtest.h>

#include "convert/arch_tables.hpp"
#include "convert/model_text.hpp"
#include "gis/layer_table.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;
using test::readModel;

struct ShapeCase {
    std::string_view xsection;  // the [XSECTIONS] line after the link name
    std::vector<float> heights, widths;
    std::string_view report;  // the dimension lines
};

TEST(SpecialShapes, TurnOpenChannelsIntoTwoPointHeightWidthTables) {
    const ShapeCase cases[] = {
        {"TRAPEZOIDAL 2 3 1 2 1", {0, 2}, {3, 9},
         "        full_height:     2.000\n        base_width :     3.000\n        left_slope :     1.000\n"
         "        right_slope:     2.000\n"},
        // A width of 0 at the bottom would close the channel.
        {"TRIANGULAR 1.5 2 0 0 1", {0, 1.5F}, {0.001F, 2}, "        full_height:     1.500\n        top_width  :     2.000\n"},
        {"rect_open 0.8 2.5 0 0 1", {0, 0.8F}, {2.5F, 2.5F}, "        full_height:     0.800\n        top_width  :     2.500\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xsection);
        // No [TRANSECTS] section: the tables are made all the same.
        Network network = readModel("[CONDUITS]\nC3 J1 J2 10 0.025 0 0 0 0\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\nC3 " +
                                    std::string(c.xsection) + "\n");
        ConsoleCapture console;
        xsConvertSpecialShapes(network);
        const std::string shape(c.xsection.substr(0, c.xsection.find(' ')));
        EXPECT_EQ(console.text(), "\nConvert special SWMM cross Xsections to Transects\n"
                                  "WARNNING - Unable to find CONDUITS data for Xsection: C1\n"
                                  "CHECK - [" + shape + "] cross section C3 is converted to ORVALE cross section .csv "
                                  "based on \n" + std::string(c.report));
        ASSERT_EQ(network.xsTableSet.size(), 1U);
        const xsTable& table = network.xsTableSet[0];
        EXPECT_EQ(table.ID, "C3");
        EXPECT_EQ(table.FileName, "C3.csv");
        EXPECT_EQ(table.Type, "HW");
        EXPECT_EQ(table.Nchannel, 0.025F);
        EXPECT_EQ(table.XorH, c.heights);
        EXPECT_EQ(table.ZorW, c.widths);
        EXPECT_TRUE(network.has(section::kTransects));
    }
}

TEST(SpecialShapes, AppendToTheTransectsAndGiveAWeirsTableNoRoughness) {
    Network network = readModel(
        "[TRANSECTS]\nNC 0.1 0.1 0.1\nX1 T1 2 0 1 0 0 0 0 0\nGR 1 0 1 1\n[WEIRS]\nW1 J1 J2 TRANSVERSE 1 2\n"
        "[XSECTIONS]\nW1 RECT_OPEN 1 2 0 0\n[CONDUITS]\n");
    ConsoleCapture console;
    xsConvertSpecialShapes(network);
    ASSERT_EQ(network.xsTableSet.size(), 2U);
    EXPECT_EQ(network.xsTableSet[1].ID, "W1");
    EXPECT_EQ(network.xsTableSet[1].Nchannel, 0.0F);
}

TEST(SpecialShapesDeathTest, StopOnlyWhenATableToBeMadeFindsNoRoom) {
    std::string transects = "[TRANSECTS]\nNC 0.1 0.1 0.1\n";
    for (int i = 0; i < kTableCapacity; ++i) transects += "X1 T" + std::to_string(i) + " 0 0 1 0 0 0 0 0\n";
    const std::string conduit = "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 ";
    Network full = readModel(transects + conduit + "CIRCULAR 1 0 0 0 1\n");
    {
        ConsoleCapture console;
        xsConvertSpecialShapes(full);
    }
    EXPECT_EQ(full.xsTableSet.size(), static_cast<std::size_t>(kTableCapacity));
    ZX_EXPECT_STOP(
        {
            Network network = readModel(transects + conduit + "RECT_OPEN 1 2 0 0 1\n");
            xsConvertSpecialShapes(network);
        },
        "\nERROR - Number of Transects Exceeds Maximum: 10000\n");
}

TEST(ArchSizeCode, TakesAStandardSizeInFeetFromTheCodeOrFromAWholeHeightWithoutWidth) {
    const std::string report = "\nC5 Arch Geometry Properties Set To Size Code ID: 5\n    Full Height:    1.8750 ft\n"
                               "    Max Width:      3.0208 ft\n    Full Area:      4.4000 ft2\n";
    struct Case {
        float height, width, code;
        std::string console;
    };
    const Case cases[] = {
        {1.0F, 2.0F, 5.0F, report},
        {5.0F, 0.0F, 0.0F,
         "\nWARNING: C5 Arch Conduit has a width of 0... assuming geom1 parameter is size code\n" + report},
    };
    for (const auto& c : cases) {
        ConsoleCapture console;
        const ArchDimensions arch = xsArchSizeCode(c.height, c.width, c.code, "C5");
        EXPECT_FLOAT_EQ(arch.height, 22.5F / 12);
        EXPECT_FLOAT_EQ(arch.width, 36.25F / 12);
        EXPECT_FLOAT_EQ(arch.area, 4.4F);
        EXPECT_EQ(console.text(), c.console);
    }
    // Neither a code nor a whole height without width: nothing changes.
    for (const auto& [height, width] : {std::pair{2.0F, 3.0F}, std::pair{5.5F, 0.0F}}) {
        ConsoleCapture console;
        const ArchDimensions arch = xsArchSizeCode(height, width, 0, "C5");
        EXPECT_EQ(arch.height, height);
        EXPECT_EQ(arch.width, width);
        EXPECT_EQ(arch.area, 0.0F);
        EXPECT_EQ(console.text(), "");
    }
}

TEST(ArchSizeCode, StandardAreasAreInSquareFeetLikeTheAreaOfTheirRiseAndSpan) {
    // An arch fills about 0.7879 of the rectangle of its rise and span; the table's areas agree
    // with that in square feet, so they are taken as they stand.
    for (std::size_t i = 0; i < kArchSizes.size(); ++i) {
        const ArchSize& size = kArchSizes[i];
        const float rectangle = size.riseInches * size.spanInches / 144.0F;
        EXPECT_NEAR(size.areaSquareFeet / rectangle, 0.7879F, 0.1F) << "code " << i + 1;
    }
}

TEST(ArchTables, ScaleTheCurvesByHeightWidthAndAreaWithTheFallbackArea) {
    ConsoleCapture console;
    const ArchTable table = xsArchTables(2.0F, 3.0F, 0.0F, "C5");
    EXPECT_FLOAT_EQ(table.area.back(), 0.7879F * 2 * 3);
    EXPECT_FLOAT_EQ(table.depth[5], 0.4F);
    EXPECT_FLOAT_EQ(table.width[5], 3 * 0.9846F);
    EXPECT_FLOAT_EQ(table.area[5], 0.7879F * 2 * 3 * 0.19F);
    EXPECT_EQ(table.depth.front(), 0.0F);
    EXPECT_EQ(table.width.back(), 0.0F);

    // A code beyond the table: the given size read as inches, the fallback area.
    const ArchTable unknown = xsArchTables(24.0F, 36.0F, 150.0F, "C5");
    EXPECT_FLOAT_EQ(unknown.depth.back(), 2.0F);
    EXPECT_FLOAT_EQ(unknown.area.back(), 0.7879F * 2 * 3);
    EXPECT_NE(console.text().find("Size Code ID: 150\n    Full Height:    2.0000 ft"), std::string::npos);
}

TEST(RectTriangularTable, RunsFromTheTriangleToFullAndClosesJustAbove) {
    const RectTriangularTable table = xsRectTriangularTable(2.0F, 3.0F, 0.5F);
    EXPECT_EQ(table.height, (std::array<float, 4>{0.0F, 0.5F, 2.0F, 2.001F}));
    EXPECT_EQ(table.width, (std::array<float, 4>{0.0F, 3.0F, 3.0F, 0.0F}));
}

TEST(HeightWidthRecord, NamesTheTableFileAndItsColumns) {
    xsHwRecord("A", "C5");
    EXPECT_EQ(layers().gisAttributeLine,
              "\"C5.csv\",\"HW\",\"A\",\"H\",\"W\",\"A\",\"\",\"\",\"\",     0.000,     0.000,     0.000");
    xsHwRecord("", std::string(60, 'L'));
    EXPECT_EQ(layers().gisAttributeLine, "\"" + std::string(50, 'L') +
                                             "\",\"HW\",\"\",\"H\",\"W\",\"\",\"\",\"\",\"\",     0.000,     0.000,     0.000");
}

}  // namespace
}  // namespace zx::convert
