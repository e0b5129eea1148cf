// tests/geometry/grid_cells_test.cpp: segment walks, region marking and the values marked points
// receive, with the faults mended on purpose: no write outside the caller's arrays, floor indexes,
// parity from the lowest bit, walks by cell count without repeated cells.
#include "geometry/grid_cells.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "support/test_support.hpp"

namespace zx {
namespace {

using Cells = std::vector<std::pair<int, int>>;  // (row, column)

enum class Walk { Centres, Steps, EndStretches };

struct WalkResult { Cells cells; int firstRow, lastRow, firstColumn, lastColumn; };

WalkResult walk(Walk kind, float x1, float y1, float x2, float y2, float dx = 1, float dy = 1, int nmax = 50,
                bool startCellOnly = false) {
    WalkResult r{{}, -9, -9, -9, -9};
    int n = -1;
    std::vector<int> j(static_cast<std::size_t>(std::max(nmax, 0))), i(j.size());
    if (kind == Walk::Centres) {
        GRIDLINE(x1, y1, x2, y2, dx, dy, r.firstRow, r.lastRow, r.firstColumn, r.lastColumn, n, j.data(), i.data(),
                 nmax);
    } else {
        (kind == Walk::Steps ? GRIDLINE_2 : GRIDLINE_5)(x1, y1, x2, y2, startCellOnly, dx, dy, r.firstRow, r.lastRow,
                                                        r.firstColumn, r.lastColumn, n, j.data(), i.data(), nmax, 0,
                                                        0);
    }
    for (int k = 0; k < n; ++k) r.cells.emplace_back(j[k], i[k]);
    return r;
}

struct WalkCase { const char* what; Walk kind; float x1, y1, x2, y2, dx, dy; Cells cells; };
const WalkCase kWalkCases[] = {
    {"on a row centre line", Walk::Centres, 0.2F, 0.5F, 2.8F, 0.5F, 1, 1, {{1, 1}, {1, 2}, {1, 3}}},
    {"inside one cell", Walk::Centres, 0.1F, 0.1F, 0.4F, 0.3F, 1, 1, {}},
    {"a point", Walk::Centres, 1.2F, 1.2F, 1.20005F, 1.2F, 1, 1, {{2, 2}}},
    {"a point, stepped", Walk::Steps, 1.2F, 1.2F, 1.20005F, 1.2F, 1, 1, {}},
    {"diagonal, no cell twice", Walk::Steps, 0.95F, 0.05F, 2.6F, 1.8F, 1, 1, {{1, 2}, {2, 3}}},
    {"end stretches", Walk::EndStretches, 0.95F, 0.05F, 2.6F, 1.8F, 1, 1, {{1, 2}, {2, 3}}},
    {"tall cells: along the columns", Walk::Steps, 0.2F, 0.2F, 5.3F, 20, 1, 10,
     {{1, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
    {"left of the grid", Walk::EndStretches, -1.5F, 0.5F, 1.5F, 0.5F, 1, 1, {{1, 0}, {1, 1}, {1, 2}}},
    {"backwards", Walk::Steps, 2.5F, 0.7F, 0.3F, 0.6F, 1, 1, {{1, 2}, {1, 1}}},
    {"a NaN end", Walk::Steps, NAN, 0.5F, 1.5F, 0.5F, 1, 1, {}},
};

TEST(GridWalks, ListTheCellsOfTheCentreLinesCrossed) {
    for (const auto& c : kWalkCases) {
        SCOPED_TRACE(c.what);
        const auto r = walk(c.kind, c.x1, c.y1, c.x2, c.y2, c.dx, c.dy);
        EXPECT_EQ(r.cells, c.cells);
        if (!c.cells.empty()) {
            EXPECT_EQ(std::make_pair(r.firstRow, r.firstColumn), c.cells.front());
            EXPECT_EQ(std::make_pair(r.lastRow, r.lastColumn), c.cells.back());
        }
    }
}

TEST(GridWalks, AVertexOnACentreLineBelongsToTheSegmentEndingThere) {
    EXPECT_EQ(walk(Walk::Steps, 0.2F, 0.2F, 0.3F, 1.5F).cells, (Cells{{1, 1}, {2, 1}}));
    EXPECT_EQ(walk(Walk::Steps, 0.3F, 1.5F, 0.4F, 2.7F).cells, (Cells{{3, 1}}));
}

TEST(GridWalks, PointsGiveTheirEndCellsAndTheStartCellOnlySwitchOneCell) {
    const auto point = walk(Walk::EndStretches, 3.5F, 1.5F, 3.50001F, 1.5F);
    EXPECT_TRUE(point.cells.empty());
    EXPECT_EQ(point.firstRow, 2);
    EXPECT_EQ(point.lastColumn, 4);
    EXPECT_EQ(walk(Walk::Steps, 0.5F, 0.5F, 5, 5, 1, 1, 50, true).cells, (Cells{{1, 1}}));
    // With no room in the list, a point writes no cell at all.
    int firstRow, lastRow, firstColumn, lastColumn, n;
    int j = 99, i = 99;
    GRIDLINE_5(0.5F, 0.5F, 0.5F, 0.5F, false, 1, 1, firstRow, lastRow, firstColumn, lastColumn, n, &j, &i, 0, 0, 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(j, 99);
}

TEST(GridWalksDeathTest, StopWhenTheListIsFull) {
    EXPECT_EQ(walk(Walk::Centres, 0.2F, 0.5F, 2.8F, 0.5F, 1, 1, 3).cells.size(), 3U);
    const char* limit = "^SORRY - Exceeded limit of        2 HX cells per HX polyline segment\\.  Contact .*@.*\\.\n";
    ZX_EXPECT_STOP(walk(Walk::Centres, 0.2F, 0.5F, 2.8F, 0.5F, 1, 1, 2), limit);
    ZX_EXPECT_STOP(walk(Walk::Steps, 0.2F, 0.5F, 1e30F, 0.5F, 1, 1, 2), limit);
    ZX_EXPECT_STOP(walk(Walk::Centres, 0.2F, -1e30F, 0.3F, 0.5F, 1, 1, 2), limit);
    ZX_EXPECT_STOP(walk(Walk::EndStretches, 0.2F, 0.5F, 5, 5, 1, 1, 0, true), "Exceeded limit of        0 HX");
}

TEST(CellSteps, CountTheCellsBetweenTwoAndCompleteMissingIndexes) {
    int a1 = 0, a2 = 2, b1 = 5, b2 = 6, steps;
    float s1, s2;
    CELL_LINE_STEPS(a1, a2, b1, b2, steps, s1, s2);  // A's first index is taken from B
    EXPECT_EQ(std::vector<float>({float(a1), float(steps), s1, s2}), std::vector<float>({5, 5, 0, 1}));
    CELL_LINE_STEPS_2(1, 1, 3, 5, steps, s1, s2, 8, 2);
    EXPECT_EQ(std::vector<float>({float(steps), s1, s2}), std::vector<float>({5, 0.5F, 2}));
}

// A grid's arrays of exactly its size, so that any write past them is the sanitizer's to see.
struct Grid {
    int n1, n2;
    std::vector<std::uint8_t> marks;
    std::vector<std::int8_t> counters;
    std::vector<std::int32_t> integers;
    std::vector<float> reals;
    int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0, count = -1;
    Grid(int rows, int columns)
        : n1(rows), n2(columns), marks(static_cast<std::size_t>(rows * columns), 7),
          counters(marks.size()), integers(marks.size(), 10), reals(marks.size(), 10) {}
    std::uint8_t mark(int j, int i) const { return marks[static_cast<std::size_t>((i - 1) * n1 + j - 1)]; }
    float real(int j, int i) const { return reals[static_cast<std::size_t>((i - 1) * n1 + j - 1)]; }
    void markRegion(const std::vector<float>& x, const std::vector<float>& y, std::vector<int> ends, float d = 1,
                    int margin = 0, bool assign = false, bool integer = false, bool constant = false, float value = 0,
                    bool add = false, const float* zt = nullptr) {
        GRID_INSIDE_POLYGON(marks.data(), counters.data(), integers.data(), reals.data(), n1, n2, d, d, margin, margin,
                            true, assign, integer, constant, value, add, firstRow, firstColumn, lastRow, lastColumn,
                            count, x.data(), y.data(), zt, static_cast<int>(x.size()), ends.data(),
                            static_cast<int>(ends.size()));
    }
};

const std::vector<float> kSquareX{0.2F, 3.8F, 3.8F, 0.2F, 0.2F, 0.2F};
const std::vector<float> kSquareY{0.2F, 0.2F, 3.8F, 3.8F, 0.2F, 0.2F};

TEST(RegionMarking, MarksThePointsInsideWithinTheBox) {
    Grid grid(10, 10);
    grid.markRegion(kSquareX, kSquareY, {5});
    EXPECT_EQ(grid.count, 9);
    EXPECT_EQ(std::make_pair(grid.firstRow, grid.lastRow), std::make_pair(1, 4));
    EXPECT_EQ(std::make_pair(grid.firstColumn, grid.lastColumn), std::make_pair(1, 4));
    EXPECT_EQ(grid.mark(3, 3), 1);
    EXPECT_EQ(grid.mark(4, 3), 0);  // cleared inside the box
    EXPECT_EQ(grid.mark(5, 5), 7);  // never touched outside it
}

TEST(RegionMarking, NeverWritesOutsideTheArraysAndMarksNothingWithoutARegion) {
    Grid grid(4, 5);
    const std::vector<float> x{-3, 30, 30, -3, -3, -3}, y{-3, -3, 30, 30, -3, -3};
    grid.markRegion(x, y, {5}, 1, -2);  // a negative margin counts as none
    EXPECT_EQ(grid.count, 20);
    EXPECT_EQ(std::make_pair(grid.lastRow, grid.lastColumn), std::make_pair(4, 5));
    Grid away(4, 5);
    const std::vector<float> ax{50, 60, 60, 50, 50, 50}, ay{1, 1, 2, 2, 1, 1};
    away.markRegion(ax, ay, {5});
    EXPECT_EQ(away.count, 0);
    EXPECT_EQ(away.mark(1, 1), 7);  // an empty box clears nothing
    // Two vertices, NaN vertices, no rings.
    for (const auto& [region, ends] : {std::pair{std::vector<float>{1, 2}, std::vector<int>{1}},
                                       std::pair{std::vector<float>(4, NAN), std::vector<int>{3}},
                                       std::pair{kSquareX, std::vector<int>{}}}) {
        Grid none(4, 5);
        none.markRegion(region, region, ends);
        EXPECT_EQ(none.count, 0);
    }
}

TEST(RegionMarking, TakesParityFromTheLowestBitAndClosesOpenRings) {
    // 129 edges cross row line 1 inside column 1, more than a byte counts; the ring ends at
    // (5, 1.5), and only its implicit closing edge crosses the line again, in column 3.
    std::vector<float> x, y;
    for (int k = 0; k <= 129; ++k) {
        x.push_back(0.1F + 0.006F * static_cast<float>(k));
        y.push_back(k % 2 == 0 ? 0.5F : 1.5F);
    }
    for (int k = 0; k < 2; ++k) x.push_back(5), y.push_back(1.5F);  // the last vertex and the separator
    Grid grid(3, 8);
    grid.markRegion(x, y, {static_cast<int>(x.size()) - 1});
    EXPECT_EQ(grid.count, 2);
    EXPECT_EQ(grid.mark(1, 2), 1);
    EXPECT_EQ(grid.mark(1, 3), 0);
}

TEST(RegionMarking, AssignsRoundedConstantOrInterpolatedValues) {
    Grid grid(10, 10);
    grid.markRegion(kSquareX, kSquareY, {5}, 1, 0, true, true, false, 2.5F);
    EXPECT_EQ(grid.integers[0], 3);
    grid.markRegion(kSquareX, kSquareY, {5}, 1, 0, true, true, false, -2.5F, true);
    EXPECT_EQ(grid.integers[0], 0);
    grid.markRegion(kSquareX, kSquareY, {5}, 1, 0, true, false, true, 1.5F, true);
    EXPECT_EQ(grid.real(2, 2), 11.5F);
    // A triangle: z = x + 2y at its corners, reproduced at every marked point.
    const std::vector<float> tx{0, 2.2F, 0, 0, 0}, ty{0, 0, 2.2F, 0, 0};
    const float zt[] = {0, 2.2F, 4.4F};
    Grid fine(10, 10);
    fine.markRegion(tx, ty, {4}, 0.5F, 0, true, false, false, 0, false, zt);
    EXPECT_EQ(fine.count, 6);
    EXPECT_FLOAT_EQ(fine.real(1, 1), 1.5F);
    EXPECT_FLOAT_EQ(fine.real(1, 2), 2.0F);
    EXPECT_FLOAT_EQ(fine.real(2, 1), 2.5F);
    EXPECT_EQ(fine.real(3, 3), 10.0F);
}

TEST(RegionMarkingDeathTest, MoreRingsThanDeclaredEndTheRun) {
    std::vector<float> x = kSquareX, y = kSquareY;
    x.insert(x.end(), kSquareX.begin(), kSquareX.end());
    y.insert(y.end(), kSquareY.begin(), kSquareY.end());
    Grid grid(10, 10);
    ZX_EXPECT_STOP(grid.markRegion(x, y, {5}),
                   "^\nInvalid number of polygons in region sent to grid_inside_polygon routine \\[1\\] - contact .*@");
    const int end = 5;
    std::int32_t mk[1];
    int count;
    const float px = 1, py = 1;
    ZX_EXPECT_STOP(GRID_INSIDE_POLYGON_4(mk, &px, &py, 1, count, x.data(), y.data(), 12, &end, 1), "routine \\[4\\]");
}

TEST(PointLists, AreMarkedByRegionAndValuedFromTheTriangle) {
    // A square with a square hole; the last point lies left of the region.
    const double x[] = {0, 4, 4, 0, 0, 0, 1, 3, 3, 1, 1, 1}, y[] = {0, 0, 4, 4, 0, 0, 1, 1, 3, 3, 1, 1};
    const int ends[] = {5, 11};
    const double px[] = {0.5, 2, 3.5, -1}, py[] = {0.5, 2, 2, 2};
    std::int32_t mk[4];
    int count = -1;
    GRID_INSIDE_POLYGON_5(mk, px, py, 4, count, x, y, 12, ends, 2);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(std::vector<std::int32_t>(mk, mk + 4), (std::vector<std::int32_t>{1, 0, 1, 0}));

    const double tx[] = {0, 2, 0}, ty[] = {0, 0, 2};
    const float tz[] = {0, 2, 4};
    const std::int32_t marked[] = {1, 1, 0, 1};
    const double qx[] = {0.5, 0.5, 0.5, 1}, qy[] = {0.5, 1, 0.5, 2};  // the last level with the corner
    std::int32_t iv[4] = {};
    float rv[4] = {9, 9, 9, 9};
    SET_GRID_VALUES(marked, qx, qy, iv, rv, 4, false, false, 0, false, tx, ty, tz, 5);
    EXPECT_FLOAT_EQ(rv[0], 1.5F);
    EXPECT_FLOAT_EQ(rv[1], 2.5F);
    EXPECT_EQ(rv[2], 9.0F);  // not marked
    EXPECT_EQ(rv[3], 9.0F);  // parallel to the opposite side: no value
    SET_GRID_VALUES(marked, qx, qy, iv, rv, 4, true, true, -1.5F, true, tx, ty, tz, 5);
    EXPECT_EQ(iv[0], -2);
    EXPECT_EQ(iv[2], 0);
}

TEST(TriangleWithoutChecks, RoundsEachLengthRatioToSingleInItsTwin) {
    const float xt[] = {0, 2, 0}, yt[] = {0, 0, 2}, zt[] = {0, 2, 4};
    EXPECT_FLOAT_EQ(INTERPOLATE_TRIANGLE_NO_CHECKS(0.5F, 0.5F, xt, yt, zt), 1.5F);
    const double dx[] = {0.1, 3.3, 0.7}, dy[] = {0.2, 0.9, 2.6};
    const float dz[] = {1.1F, 5.3F, -2.7F};
    const double xp = 1.3, yp = 1.1;
    const double m12 = (dy[1] - dy[0]) / (dx[1] - dx[0]), m3 = (yp - dy[2]) / (xp - dx[2]);
    const double qx = (dx[2] * m3 - dx[0] * m12 + dy[0] - dy[2]) / (m3 - m12), qy = dy[2] + m3 * (qx - dx[2]);
    const float t = static_cast<float>(std::hypot(qx - dx[0], qy - dy[0]) / std::hypot(dx[1] - dx[0], dy[1] - dy[0]));
    const float zq = dz[0] + (dz[1] - dz[0]) * t;
    const float u = static_cast<float>(std::hypot(xp - dx[2], yp - dy[2]) / std::hypot(qx - dx[2], qy - dy[2]));
    EXPECT_EQ(INTERPOLATE_TRIANGLE_NO_CHECKS_8(xp, yp, dx, dy, dz), dz[2] + (zq - dz[2]) * u);
}

}  // namespace
}  // namespace zx
