// tests/convert/orifice_matrices_test.cpp: the level grid of the bottom-orifice matrices and the
// direction of flow. The orifice's hydraulic values and the matrix files are checked on the
// bundled example.
#include "convert/orifice_matrices.hpp"

#include <gtest/gtest.h>

#include "common/fortran_format.hpp"

namespace zx::convert {
namespace {

const std::string kRegular =
    " 0.00 0.10 0.20 0.30 0.40 0.50 0.60 0.70 0.80 0.90 1.00 2.00 3.00 4.00 5.00 6.00 7.00 8.00 9.00";

std::string withLevel(std::string grid, std::string_view after, std::string_view level) {
    return grid.insert(grid.find(after) + after.size(), level);
}

TEST(LevelGrid, InsertsTransitionDepthAndCrestStrictlyBetweenRegularLevels) {
    const std::tuple<float, float, std::string> cases[] = {
        // transition depth, crest level, the levels as the matrices print them
        {0.289F, -0.5F, withLevel(kRegular, " 0.20", " 0.29")},
        // Both in one step, in order; one value given twice comes once.
        {3.7F, 3.2F, withLevel(kRegular, " 3.00", " 3.20 3.70")},
        {0.05F, 0.05F, withLevel(kRegular, " 0.00", " 0.05")},
        // Regular levels: from 2 on the sums are whole numbers, and 0.5 is met exactly.
        {2.0F, 0.5F, kRegular},
        // 1.0 lies just below the tenth sum of 0.1.
        {1.0F, 99.0F, withLevel(kRegular, " 0.90", " 1.00")},
    };
    for (const auto& [transitionDepth, crestLevel, expected] : cases) {
        const LevelGrid grid = mtxLevelGrid(transitionDepth, crestLevel);
        std::string printed;
        for (const float level : grid.levels()) printed += fmt::fixed(level, 5, 2);
        EXPECT_EQ(printed, expected);
    }
}

TEST(OrificeFlow, FollowsTheOrificeFreeWeirAndSubmergedWeirRules) {
    const OrificeHydraulics h{1.0F, 5.0F, 16.65F, 0.6F, 2.5F, 0.6F, false};
    // row level, column level, flow: area x Cd x sqrt(2 g depth) from the transition depth on,
    // below it C x s^1.5, reduced by (1 - (r/s)^1.5)^0.385 when the row side holds water too.
    const std::tuple<float, float, float> cases[] = {
        {0.0F, 1.0F, 4.812733F}, {0.5F, 1.0F, 3.403116F}, {0.0F, 0.5F, 5.886664F}, {0.2F, 0.5F, 5.261404F},
    };
    for (const auto& [r, s, flow] : cases) EXPECT_NEAR(mtxFlow(h, r, s), flow, 2e-5F) << r << " " << s;
}

// The bundled example's matrices hold a gated orifice's flows; backwards flow is its own rule.
TEST(OrificeFlow, RunsBackwardsOnlyThroughAnUngatedOrifice) {
    OrificeHydraulics h{1.0F, 5.0F, 16.65F, 0.6F, 2.5F, 0.6F, false};
    const LevelGrid grid = mtxLevelGrid(h.transitionDepth, h.crestLevel);
    for (const float r : grid.levels()) {
        for (const float s : grid.levels()) {
            if (s >= r) continue;
            h.gated = false;
            EXPECT_EQ(mtxFlow(h, r, s), -mtxFlow(h, s, r)) << r << " " << s;
            EXPECT_GT(mtxFlow(h, s, r), 0.0F) << r << " " << s;
            h.gated = true;
            EXPECT_EQ(mtxFlow(h, r, s), 0.0F) << r << " " << s;
        }
    }
}

}  // namespace
}  // namespace zx::convert
