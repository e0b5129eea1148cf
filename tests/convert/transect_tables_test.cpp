// tests/convert/transect_tables_test.cpp: the transect table files (stations moved off repeated
// ones, Manning values by bank, the roughness checks) and the line across a link.
#include "convert/transect_tables.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "convert/model_text.hpp"
#include "convert/stage_support.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;
using test::readText;

// The text of the table file that the one table of the model's [TRANSECTS] gives, and what the
// console showed, the opener's lines left out.
struct Written {
    std::string file;
    std::string console;
};
Written writeTable(std::string_view transects) {
    const Network network = test::readModel("[TRANSECTS]\n" + std::string(transects));
    test::TempDir dir(true);
    std::filesystem::create_directory("xs");
    ConsoleCapture console;
    xsWriteTableFile(network.xsTableSet.at(0));
    std::string shown;
    std::istringstream lines(console.text());
    for (std::string line; std::getline(lines, line);) {
        if (line.find("File Unit:") == std::string::npos) shown += line + "\n";
    }
    return {readText("xs/" + network.xsTableSet[0].FileName), shown};
}

TEST(TransectTable, MovesAStationEqualToTheOneWrittenBeforeIt) {
    const Written repeated = writeTable("NC 0.05 0.06 0.03\nX1 T1 4 0 10 0 0 0 0 0\nGR 1 0 2 5 3 5 4 10\n");
    EXPECT_EQ(repeated.file,
              "X, Z, N\n"
              "      0.0000000,      1.0000000,      0.0300000\n"
              "      5.0000000,      2.0000000,      0.0300000\n"
              "      5.0000100,      3.0000000,      0.0300000\n"
              "     10.0000000,      4.0000000,      0.0300000\n");
    EXPECT_EQ(repeated.console,
              "\nWARNING - ORVALE cannot handle two overapping points in a cross section, x added by 0.00001"
              "xs\\T1.csvpoint           3\n");

    // The fourth 5 equals the third as read, not as moved.
    const Written thrice = writeTable("NC 0.05 0.06 0.03\nX1 T1 4 0 10 0 0 0 0 0\nGR 1 0 2 5 3 5 4 5\n");
    EXPECT_NE(thrice.file.find("      5.0000100,      3.0000000"), std::string::npos);
    EXPECT_NE(thrice.file.find("      5.0000000,      4.0000000"), std::string::npos);

    // A first station of -1 meets the starting value.
    const Written first = writeTable("NC 0.05 0.06 0.03\nX1 T1 2 -5 10 0 0 0 0 0\nGR 1 -1 2 0\n");
    EXPECT_NE(first.file.find("     -0.9999900,      1.0000000,      0.0300000\n"), std::string::npos);
    EXPECT_NE(first.console.find("xs\\T1.csvpoint           1\n"), std::string::npos);
}

TEST(TransectTable, GivesBankStationsAndWhatLiesBetweenThemTheChannelValue) {
    const Written table = writeTable("NC 0.05 0.06 0.03\nX1 T1 6 2 8 0 0 0 0 0\nGR 9 0 8 1 7 2\nGR 6 8 7 9 8 10\n");
    EXPECT_EQ(table.file,
              "X, Z, N\n"
              "      0.0000000,      9.0000000,      0.0500000\n"
              "      1.0000000,      8.0000000,      0.0500000\n"
              "      2.0000000,      7.0000000,      0.0300000\n"
              "      8.0000000,      6.0000000,      0.0300000\n"
              "      9.0000000,      7.0000000,      0.0600000\n"
              "     10.0000000,      8.0000000,      0.0600000\n");
    EXPECT_EQ(table.console, "");
}

TEST(TransectTable, NeedsABankValueOnlyForStationsBeyondThatBank) {
    // Banks at 0 and 10 with every station between them: the channel value is enough.
    EXPECT_EQ(writeTable("NC 0 0 0.03\nX1 T1 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n").console, "");
    const std::pair<std::string_view, std::string_view> stops[] = {
        {"NC 0.05 0.05 0\nX1 T1 2 0 10 0 0 0 0 0\nGR 1 0 2 10\n",
         "ERROR - \\[TRANSECTS\\] Main channel mannings not defined. Transect name:T1\n"},
        {"NC 0 0.05 0.03\nX1 T1 2 1 10 0 0 0 0 0\nGR 1 0 2 10\n",
         "ERROR - \\[TRANSECTS\\] Left bank mannings not defined. Transect name:T1\n"},
        {"NC 0.05 -1 0.03\nX1 T1 2 0 9 0 0 0 0 0\nGR 1 0 2 10\n",
         "ERROR - \\[TRANSECTS\\] Right bank channel mannings not defined. Transect name:T1\n"},
        // No NC line before the transect: no Manning value at all.
        {"X1 T1 2 0 9 0 0 0 0 0\nGR 1 0 2 10\n",
         "ERROR - \\[TRANSECTS\\] Main channel mannings not defined. Transect name:T1\n"},
    };
    for (const auto& [transects, message] : stops) {
        SCOPED_TRACE(transects);
        ZX_EXPECT_STOP(
            {
                const Network network = test::readModel("[TRANSECTS]\n" + std::string(transects));
                test::TempDir dir(true);
                std::filesystem::create_directory("xs");
                xsWriteTableFile(network.xsTableSet.at(0));
            },
            message.data());
    }
}

struct CrossLineCase {
    Point from, to;
    Point first, second;
};

TEST(CrossLine, CrossesTheChordAtItsMiddleFromRightToLeftAsLongAsTheChord) {
    const CrossLineCase cases[] = {
        {{0, 0}, {10, 0}, {5, -5}, {5, 5}},
        {{0, 0}, {4, 0}, {2, -2}, {2, 2}},
        {{10, 0}, {0, 0}, {5, 5}, {5, -5}},
        {{361480, 4350630}, {361600, 4350560}, {361505, 4350535}, {361575, 4350655}},
    };
    for (const auto& c : cases) {
        const auto line = crossLine(c.from, c.to);
        ASSERT_TRUE(line);
        EXPECT_NEAR((*line)[0].x, c.first.x, 1e-9);
        EXPECT_NEAR((*line)[0].y, c.first.y, 1e-9);
        EXPECT_NEAR((*line)[1].x, c.second.x, 1e-9);
        EXPECT_NEAR((*line)[1].y, c.second.y, 1e-9);
    }
    EXPECT_FALSE(crossLine({3, 4}, {3, 4}));
}

}  // namespace
}  // namespace zx::convert
