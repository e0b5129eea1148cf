// tests/convert/orifice_matrices_test.cpp: the level grid of the bottom-orifice matrices, the
// orifice's hydraulic values and the discharge rules.
#include "convert/orifice_matrices.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "common/fortran_format.hpp"
#include "convert/model_text.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

// The grid's levels as the matrices print them.
std::string printed(const LevelGrid& grid) {
    std::string text;
    for (const float level : grid.levels()) text += fmt::fixed(level, 5, 2);
    return text;
}

const std::string kRegular =
    " 0.00 0.10 0.20 0.30 0.40 0.50 0.60 0.70 0.80 0.90 1.00 2.00 3.00 4.00 5.00 6.00 7.00 8.00 9.00";

std::string withLevel(std::string grid, std::string_view after, std::string_view level) {
    return grid.insert(grid.find(after) + after.size(), level);
}

TEST(LevelGrid, InsertsTransitionDepthAndCrestStrictlyBetweenRegularLevels) {
    const struct {
        float transitionDepth, crestLevel;
        std::string expected;
    } cases[] = {
        {-1.0F, 12.0F, kRegular},
        {0.289F, -0.5F, withLevel(kRegular, " 0.20", " 0.29")},
        {9.5F, 2.5F, withLevel(kRegular, " 2.00", " 2.50")},
        // Both in one step, in order; one value given twice comes once.
        {3.7F, 3.2F, withLevel(kRegular, " 3.00", " 3.20 3.70")},
        {0.05F, 0.05F, withLevel(kRegular, " 0.00", " 0.05")},
        // Regular levels: from 2 on the sums are whole numbers, and 0.5 is met exactly.
        {2.0F, 0.5F, kRegular},
        {9.0F, 0.0F, kRegular},
        // 1.0 lies just below the tenth sum of 0.1.
        {1.0F, 99.0F, withLevel(kRegular, " 0.90", " 1.00")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const LevelGrid grid = mtxLevelGrid(c.transitionDepth, c.crestLevel);
        EXPECT_EQ(printed(grid), c.expected);
        EXPECT_TRUE(std::is_sorted(grid.levels().begin(), grid.levels().end()));
        EXPECT_TRUE(std::adjacent_find(grid.levels().begin(), grid.levels().end()) == grid.levels().end());
    }
}

OrificeHydraulics hydraulicsOf(std::string_view xsection, std::string_view gated, float offset) {
    const Network network = test::readModel("[ORIFICES]\nO1 J1 J2 BOTTOM " + std::to_string(offset) + " 0.6 " +
                                            std::string(gated) + " 0\n[XSECTIONS]\nO1 " + std::string(xsection) + "\n");
    return orificeHydraulics(network.inpXsectionTable[0], network.inpOrificeTable[0], 10.0F, 8.0F);
}

TEST(OrificeHydraulics, ComeFromTheCrossSectionAndTheJunctionsAroundTheOrifice) {
    const OrificeHydraulics rectangle = hydraulicsOf("RECT_CLOSED 0.5 2 0 0", "NO", 0.5F);
    EXPECT_FLOAT_EQ(rectangle.area, 1.0F);
    EXPECT_FLOAT_EQ(rectangle.perimeter, 5.0F);
    EXPECT_FLOAT_EQ(rectangle.weirCoefficient, 16.65F);
    EXPECT_NEAR(rectangle.transitionDepth, 0.289F, 0.0005F);
    EXPECT_FLOAT_EQ(rectangle.crestLevel, 2.5F);
    EXPECT_FALSE(rectangle.gated);

    const OrificeHydraulics circle = hydraulicsOf("CIRCULAR 1 0 0 0", "yes", 0);
    EXPECT_FLOAT_EQ(circle.area, 0.7853982F);
    EXPECT_FLOAT_EQ(circle.perimeter, 3.1415927F);
    EXPECT_TRUE(circle.gated);
}

TEST(OrificeFlow, IsWeirFlowBelowTheTransitionDepthOrificeFlowAboveAndBackwardsOnlyUngated) {
    OrificeHydraulics h{1.0F, 5.0F, 16.65F, 0.6F, 2.5F, 0.6F, false};
    EXPECT_EQ(mtxFlow(h, 0.5F, 0.5F), 0.0F);
    // Empty below: the column level is the head.
    EXPECT_FLOAT_EQ(mtxFlow(h, 0.0F, 0.5F), 16.65F * 0.5F * std::sqrt(0.5F));
    EXPECT_FLOAT_EQ(mtxFlow(h, 0.0F, 2.0F), 0.6F * std::sqrt(64.34F * 2.0F));
    // Water on both sides: weir flow drowned by the lower level, orifice flow by the difference.
    EXPECT_FLOAT_EQ(mtxFlow(h, 0.2F, 0.5F),
                    16.65F * 0.5F * std::sqrt(0.5F) * std::pow(1.0F - std::pow(0.4F, 1.5F), 0.385F));
    EXPECT_FLOAT_EQ(mtxFlow(h, 1.0F, 3.0F), 0.6F * std::sqrt(64.34F * 2.0F));

    const LevelGrid grid = mtxLevelGrid(h.transitionDepth, h.crestLevel);
    for (const float r : grid.levels()) {
        for (const float s : grid.levels()) {
            if (s >= r) continue;
            h.gated = false;
            EXPECT_EQ(mtxFlow(h, r, s), -mtxFlow(h, s, r)) << r << " " << s;
            h.gated = true;
            EXPECT_EQ(mtxFlow(h, r, s), 0.0F);
        }
    }
}

}  // namespace
}  // namespace zx::convert
