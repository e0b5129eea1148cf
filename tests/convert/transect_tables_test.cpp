// tests/convert/transect_tables_test.cpp: the transect table files (stations moved off repeated
// ones, Manning values by bank, the roughness checks) and the line across a link.
#include "convert/transect_tables.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/fortran_format.hpp"
#include "convert/inp_file.hpp"
#include "convert/stage_support.hpp"

namespace zx::convert {
namespace {

// The table file that the one transect of the [TRANSECTS] lines gives.
std::string tableFile(std::string_view transects) {
    Network network = test::readModel("[TRANSECTS]\n" + std::string(transects));
    test::TempDir dir(true);
    std::filesystem::create_directory("xs");
    xsWriteTableFile(network.xsTableSet.at(0), network.tableFileNames);
    return test::readText("xs/" + network.xsTableSet[0].FileName);
}

TEST(TransectTableDeathTest, MovesRepeatedStationsGivesBankValuesAndStopsWhereABankHasNone) {
    // [TRANSECTS] lines; station, elevation and Manning value of each row of the file, or the
    // value missing for the stations beyond a bank.
    const std::tuple<std::string_view, std::vector<std::array<float, 3>>, std::string_view> cases[] = {
        // The fourth 5 is compared with the third as moved, not as read.
        {"NC 0.05 0.06 0.03\nX1 T1 4 0 10 0 0 0 0 0\nGR 1 0 2 5 3 5 4 5\n",
         {{0, 1, 0.03F}, {5, 2, 0.03F}, {5.00001F, 3, 0.03F}, {5, 4, 0.03F}}, ""},
        // A first station of -1 meets the starting value.
        {"NC 0.05 0.06 0.03\nX1 T1 2 -5 10 0 0 0 0 0\nGR 1 -1 2 0\n", {{-0.99999F, 1, 0.03F}, {0, 2, 0.03F}}, ""},
        {"NC 0.05 0.06 0.03\nX1 T1 6 2 8 0 0 0 0 0\nGR 9 0 8 1 7 2\nGR 6 8 7 9 8 10\n",
         {{0, 9, 0.05F}, {1, 8, 0.05F}, {2, 7, 0.03F}, {8, 6, 0.03F}, {9, 7, 0.06F}, {10, 8, 0.06F}}, ""},
        // Every station between the banks: the channel value is enough.
        {"NC 0 0 0.03\nX1 T1 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n", {{0, 1, 0.03F}, {10, 2, 0.03F}}, ""},
        {"NC 0.05 0.05 0\nX1 T1 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n", {}, "Main channel mannings"},
        {"NC 0 0.05 0.03\nX1 T1 2 1 10 0 0 0 0 0\nGR 1 0 2 10\n", {}, "Left bank mannings"},
        {"NC 0.05 -1 0.03\nX1 T1 2 0 9 0 0 0 0 0\nGR 1 0 2 10\n", {}, "Right bank channel mannings"},
        // No NC line before the transect: no Manning value at all.
        {"X1 T1 2 0 9 0 0 0 0 0\nGR 1 0 2 10\n", {}, "Main channel mannings"},
    };
    for (const auto& [transects, rows, missing] : cases) {
        SCOPED_TRACE(transects);
        if (!missing.empty()) {
            ZX_EXPECT_STOP(tableFile(transects),
                           "ERROR - \\[TRANSECTS\\] " + std::string(missing) + " not defined. Transect name:T1\n");
            continue;
        }
        std::string expected = "X, Z, N\n";
        for (const auto& [x, z, n] : rows) expected += fmt::real4(x) + "," + fmt::real4(z) + "," + fmt::real4(n) + "\n";
        test::ConsoleCapture console;
        EXPECT_EQ(tableFile(transects), expected);
    }
}

TEST(CrossLine, CrossesTheChordAtItsMiddleFromRightToLeftAsLongAsTheChord) {
    // From, to, and the line's two points.
    const std::array<Point, 4> cases[] = {
        {{{10, 0}, {0, 0}, {5, 5}, {5, -5}}},
        {{{361480, 4350630}, {361600, 4350560}, {361505, 4350535}, {361575, 4350655}}},
    };
    for (const auto& [from, to, first, second] : cases) {
        const auto line = crossLine(from, to);
        ASSERT_TRUE(line);
        const double distance = std::hypot((*line)[0].x - first.x, (*line)[0].y - first.y) +
                                std::hypot((*line)[1].x - second.x, (*line)[1].y - second.y);
        EXPECT_LT(distance, 1e-9) << from.x << " " << to.x;
    }
    EXPECT_FALSE(crossLine({3, 4}, {3, 4}));
}

}  // namespace
}  // namespace zx::convert
