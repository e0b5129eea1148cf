// tests/convert/special_shapes_test.cpp: height-width tables made from open channel shapes and
// ARCH size codes. The other shapes' table files are checked on the bundled example.
#include "convert/special_shapes.hpp"

#include <gtest/gtest.h>

#include "convert/arch_tables.hpp"
#include "convert/inp_file.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;

// A width of 0 at the bottom would close the channel. Tables are made without [TRANSECTS] too.
TEST(SpecialShapes, TurnATriangleIntoATwoPointHeightWidthTableWithAnOpenBottom) {
    Network network =
        test::readModel("[CONDUITS]\nC3 J1 J2 10 0.025 0 0 0 0\n[XSECTIONS]\nC3 TRIANGULAR 1.5 2 0 0 1\n");
    ConsoleCapture console;
    xsConvertSpecialShapes(network);
    ASSERT_EQ(network.xsTableSet.size(), 1U);
    const xsTable& table = network.xsTableSet[0];
    EXPECT_EQ(std::tie(table.ID, table.Type, table.Nchannel), std::make_tuple("C3", "HW", 0.025F));
    EXPECT_EQ(table.XorH, (std::vector<float>{0, 1.5F}));
    EXPECT_EQ(table.ZorW, (std::vector<float>{0.001F, 2}));
}

TEST(ArchSizeCode, TakesAStandardSizeInFeetFromTheCodeOrFromAWholeHeightWithoutWidth) {
    const std::string code5 =
        "\nC5 Arch Geometry Properties Set To Size Code ID: 5\n    Full Height:    1.8750 ft\n"
        "    Max Width:      3.0208 ft\n    Full Area:      4.4000 ft2\n";
    const std::tuple<float, float, float, ArchDimensions, std::string> cases[] = {
        // height, width, code; the dimensions taken and what the console shows
        {1.0F, 2.0F, 5.0F, {22.5F / 12, 36.25F / 12, 4.4F}, code5},
        {5.0F, 0.0F, 0.0F, {22.5F / 12, 36.25F / 12, 4.4F},
         "\nWARNING: C5 Arch Conduit has a width of 0... assuming geom1 parameter is size code\n" + code5},
        // A code beyond the table: the given size taken as inches, no standard area.
        {24.0F, 36.0F, 150.0F, {2.0F, 3.0F, 0.0F},
         "\nC5 Arch Geometry Properties Set To Size Code ID: 150\n    Full Height:    2.0000 ft\n"
         "    Max Width:      3.0000 ft\n    Full Area:      0.0000 ft2\n"},
        // Neither a code nor a whole height without width: nothing changes.
        {5.5F, 0.0F, 0.0F, {5.5F, 0.0F, 0.0F}, ""},
    };
    for (const auto& [height, width, code, expected, shown] : cases) {
        SCOPED_TRACE(shown);
        ConsoleCapture console;
        const ArchDimensions arch = xsArchSizeCode(height, width, code, "C5");
        EXPECT_FLOAT_EQ(arch.height, expected.height);
        EXPECT_FLOAT_EQ(arch.width, expected.width);
        EXPECT_FLOAT_EQ(arch.area, expected.area);
        EXPECT_EQ(console.text(), shown);
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
