// tests/convert/special_shapes_test.cpp: height-width tables made from open channel shapes and
// ARCH size codes. The ARCH and RECT_TRIANGULAR table files are checked on the bundled example.
#include "convert/special_shapes.hpp"

#include <gtest/gtest.h>

#include "convert/arch_tables.hpp"
#include "convert/model_text.hpp"
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
        {"TRAPEZOIDAL 2 3 1 2 1",
         {0, 2},
         {3, 9},
         "        full_height:     2.000\n        base_width :     3.000\n        left_slope :     1.000\n"
         "        right_slope:     2.000\n"},
        // A width of 0 at the bottom would close the channel.
        {"TRIANGULAR 1.5 2 0 0 1",
         {0, 1.5F},
         {0.001F, 2},
         "        full_height:     1.500\n        top_width  :     2.000\n"},
        {"rect_open 0.8 2.5 0 0 1",
         {0, 0.8F},
         {2.5F, 2.5F},
         "        full_height:     0.800\n        top_width  :     2.500\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xsection);
        // No [TRANSECTS] section: the tables are made all the same.
        Network network = readModel("[CONDUITS]\nC3 J1 J2 10 0.025 0 0 0 0\n[XSECTIONS]\nC1 CIRCULAR 1 0 0 0 1\nC3 " +
                                    std::string(c.xsection) + "\n");
        ConsoleCapture console;
        xsConvertSpecialShapes(network);
        const std::string shape(c.xsection.substr(0, c.xsection.find(' ')));
        EXPECT_EQ(console.text(),
                  "\nConvert special SWMM cross Xsections to Transects\n"
                  "WARNNING - Unable to find CONDUITS data for Xsection: C1\n"
                  "CHECK - [" +
                      shape +
                      "] cross section C3 is converted to ORVALE cross section .csv "
                      "based on \n" +
                      std::string(c.report));
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
    const std::string code5 =
        "\nC5 Arch Geometry Properties Set To Size Code ID: 5\n    Full Height:    1.8750 ft\n"
        "    Max Width:      3.0208 ft\n    Full Area:      4.4000 ft2\n";
    const struct {
        float height, width, code;
        ArchDimensions expected;
        std::string console;
    } cases[] = {
        {1.0F, 2.0F, 5.0F, {22.5F / 12, 36.25F / 12, 4.4F}, code5},
        {5.0F,
         0.0F,
         0.0F,
         {22.5F / 12, 36.25F / 12, 4.4F},
         "\nWARNING: C5 Arch Conduit has a width of 0... assuming geom1 parameter is size code\n" + code5},
        // A code beyond the table: the given size taken as inches, no standard area.
        {24.0F,
         36.0F,
         150.0F,
         {2.0F, 3.0F, 0.0F},
         "\nC5 Arch Geometry Properties Set To Size Code ID: 150\n    Full Height:    2.0000 ft\n"
         "    Max Width:      3.0000 ft\n    Full Area:      0.0000 ft2\n"},
        // Neither a code nor a whole height without width: nothing changes.
        {2.0F, 3.0F, 0.0F, {2.0F, 3.0F, 0.0F}, ""},
        {5.5F, 0.0F, 0.0F, {5.5F, 0.0F, 0.0F}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.console);
        ConsoleCapture console;
        const ArchDimensions arch = xsArchSizeCode(c.height, c.width, c.code, "C5");
        EXPECT_FLOAT_EQ(arch.height, c.expected.height);
        EXPECT_FLOAT_EQ(arch.width, c.expected.width);
        EXPECT_FLOAT_EQ(arch.area, c.expected.area);
        EXPECT_EQ(console.text(), c.console);
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

}  // namespace
}  // namespace zx::convert
