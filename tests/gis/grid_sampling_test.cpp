// tests/gis/grid_sampling_test.cpp: one object's value put on the grid by the per-object rules,
// from an object record and vertices in memory: which elements change, the assignment count and
// the log line; with the faults mended on purpose: rows in DY, nothing written outside the arrays
// or the sampled area, long segments clipped before they are walked, region marks never stale.
#include "gis/grid_sampling.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "gis/gis_test_support.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::partLog;

// The six arrays of a grid, each n1 x n2, starting at zero; (j, i) is 1-based, row first.
struct Grids {
    int n1, n2;
    std::vector<std::int32_t> centreInteger, columnFaceInteger, rowFaceInteger;
    std::vector<float> centreReal, columnFaceReal, rowFaceReal;
    Grids(int rows, int columns)
        : n1(rows), n2(columns), centreInteger(size()), columnFaceInteger(size()), rowFaceInteger(size()),
          centreReal(size()), columnFaceReal(size()), rowFaceReal(size()) {}
    std::size_t size() const { return static_cast<std::size_t>(n1 * n2); }
    static std::size_t at(int n1, int j, int i) { return static_cast<std::size_t>((i - 1) * n1 + j - 1); }
    template <class T>
    T& of(std::vector<T>& a, int j, int i) { return a[at(n1, j, i)]; }
    GridArrays arrays() {
        return {centreInteger.data(), centreReal.data(), columnFaceInteger.data(), columnFaceReal.data(),
                rowFaceInteger.data(), rowFaceReal.data()};
    }
    // The elements of an array that are not zero, as (j, i).
    template <class T>
    std::vector<std::pair<int, int>> set(const std::vector<T>& a) const {
        std::vector<std::pair<int, int>> cells;
        for (int j = 1; j <= n1; ++j)
            for (int i = 1; i <= n2; ++i)
                if (a[at(n1, j, i)] != 0) cells.emplace_back(j, i);
        return cells;
    }
};

GisObject objectOf(bool GisObject::*kind, std::string name, int rings = 1, std::vector<std::int32_t> ir = {1}) {
    GisObject o;
    o.*kind = true;
    o.kindName = std::move(name);
    o.nr = rings;
    o.ir = std::move(ir);
    return o;
}

struct Part {
    std::vector<double> x, y;
};

// A closed ring with its separator entry, as regions arrive from the readers.
GisObject square(Part& part, double x1, double y1, double x2, double y2) {
    part.x = {x1, x2, x2, x1, x1, x2};
    part.y = {y1, y1, y2, y2, y1, y1};
    return objectOf(&GisObject::region, "REGION", 1, {5});
}

struct Sampled {
    int count;
    std::string log;
    IndexBox box;
};

Sampled sample(GridSampler& sampler, const GisObject& object, const Part& part, float value, const SamplingGrid& grid,
               const SamplingSwitches& switches, Grids& g, std::uint8_t* marks = nullptr) {
    test::ConsoleCapture console;
    Sampled s{};
    s.count = sampler.samplePart(object, part.x.data(), part.y.data(), static_cast<int>(part.x.size()), value, grid,
                                 switches, g.arrays(), s.box, marks);
    s.log = console.text();
    return s;
}

SamplingGrid unitGrid(int rows, int columns, int n1, int n2, int m1 = 0, int m2 = 0) {
    SamplingGrid grid;
    grid.rows = rows;
    grid.columns = columns;
    grid.rowOffset = m1;
    grid.columnOffset = m2;
    grid.n1 = n1;
    grid.n2 = n2;
    return grid;
}

TEST(GridSamplingPoint, SetsItsCellMovedByTheOffsetsAndLogsOneCell) {
    GridSampler sampler;
    Grids g(10, 10);
    const Part p{{4.5}, {3.5}};  // local cell (4, 5)
    const auto s = sample(sampler, objectOf(&GisObject::point, "POINT"), p, 7.5F, unitGrid(5, 6, 10, 10, 2, 3), {},
                          g);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(g.set(g.centreReal), (std::vector<std::pair<int, int>>{{6, 8}}));
    EXPECT_EQ(g.of(g.centreReal, 6, 8), 7.5F);
    EXPECT_EQ(s.log, partLog("POINT", "     1", "7.5", "     1 cells"));
}

// A point's box takes its rows from DY, and only cells of the sampled area are set, even where
// the box starts at row or column 0 or the arrays are larger than the area.
struct PointCase {
    const char* what;
    float dx, dy;
    double x, y;
    std::vector<std::pair<int, int>> cells;
};
TEST(GridSamplingPoint, RowsCountInDyAndOnlyCellsOfTheSampledAreaAreSet) {
    const PointCase cases[] = {
        {"tall cells: row from DY", 1.0F, 10.0F, 2.5, 35.0, {{4, 3}}},
        {"wide cells: column from DX", 10.0F, 1.0F, 35.0, 2.5, {{3, 4}}},
        {"one cell left of the area", 1.0F, 1.0F, -0.5, 2.5, {}},
        {"one cell below the area", 1.0F, 1.0F, 2.5, -0.5, {}},
        {"past the last column, inside the arrays", 1.0F, 1.0F, 6.5, 2.5, {}},
        {"past the last row, inside the arrays", 1.0F, 1.0F, 2.5, 5.5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridSampler sampler;
        Grids g(9, 9);
        SamplingGrid grid = unitGrid(5, 6, 9, 9);
        grid.dx = c.dx;
        grid.dy = c.dy;
        const auto s = sample(sampler, objectOf(&GisObject::multipoint, "MULTIPOINT"), Part{{c.x}, {c.y}}, 1.0F, grid,
                              {}, g);
        EXPECT_EQ(g.set(g.centreReal), c.cells);
        EXPECT_EQ(s.count, static_cast<int>(c.cells.size()));
    }
}

// The value 4 on the faces of one cell: each face is set, or gains the value or its half.
struct FaceCase {
    const char* what;
    bool add, halve;
    float expected;
};
TEST(GridSamplingPoint, FacesOfTheCellAreSetOrGainTheValue) {
    const FaceCase cases[] = {{"set", false, false, 4.0F}, {"set, halve ignored", false, true, 4.0F},
                              {"added", true, false, 5.0F}, {"added halved", true, true, 3.0F}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridSampler sampler;
        Grids g(6, 6);
        for (auto* a : {&g.columnFaceReal, &g.rowFaceReal}) std::fill(a->begin(), a->end(), 1.0F);
        SamplingSwitches sw;
        sw.faces = true;
        sw.add = c.add;
        sw.halve = c.halve;
        const auto s = sample(sampler, objectOf(&GisObject::point, "POINT"), Part{{2.5}, {3.5}}, 4.0F,
                              unitGrid(6, 6, 6, 6), sw, g);  // cell (4, 3)
        EXPECT_EQ(s.count, 4);
        EXPECT_TRUE(s.log.ends_with("     4 points\n")) << s.log;
        EXPECT_EQ(g.of(g.columnFaceReal, 4, 3), c.expected);
        EXPECT_EQ(g.of(g.columnFaceReal, 4, 2), c.expected);
        EXPECT_EQ(g.of(g.rowFaceReal, 4, 3), c.expected);
        EXPECT_EQ(g.of(g.rowFaceReal, 3, 3), c.expected);
        EXPECT_EQ(g.of(g.columnFaceReal, 3, 3), 1.0F);  // a face of no cell of the point
        EXPECT_EQ(g.set(g.centreReal).size(), 0U);
    }
}

TEST(GridSamplingPoint, LowFacesBeforeTheArraysAreSkippedAndTheBoundaryFacesOfAnOffsetAreaKept) {
    GridSampler sampler;
    SamplingSwitches sw;
    sw.faces = true;
    Grids g(3, 3);  // exactly the area: the low faces of cell (1, 1) lie before the arrays
    auto s = sample(sampler, objectOf(&GisObject::point, "POINT"), Part{{0.5}, {0.5}}, 2.0F, unitGrid(3, 3, 3, 3),
                    sw, g);
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(g.set(g.columnFaceReal), (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(g.set(g.rowFaceReal), (std::vector<std::pair<int, int>>{{1, 1}}));

    Grids h(5, 5);  // the area from (2, 2): its low boundary faces are row 1 and column 1
    s = sample(sampler, objectOf(&GisObject::point, "POINT"), Part{{0.5}, {0.5}}, 2.0F, unitGrid(3, 3, 5, 5, 1, 1),
               sw, h);
    EXPECT_EQ(s.count, 4);
    EXPECT_EQ(h.set(h.columnFaceReal), (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}}));
    EXPECT_EQ(h.set(h.rowFaceReal), (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

TEST(GridSamplingValue, IntegerFormRoundsHalvesAwayFromZeroAndSaturates) {
    EXPECT_EQ(integerForm(2.5F), 3);
    EXPECT_EQ(integerForm(-2.5F), -3);
    EXPECT_EQ(integerForm(2.49F), 2);
    EXPECT_EQ(integerForm(1e20F), 2147483647);
    EXPECT_EQ(integerForm(-1e20F), -2147483647 - 1);
    EXPECT_EQ(integerForm(std::nanf("")), 0);

    GridSampler sampler;
    Grids g(2, 2);
    SamplingSwitches sw;
    sw.integerValues = true;
    const auto s = sample(sampler, objectOf(&GisObject::point, "POINT"), Part{{1.5}, {0.5}}, -2.5F,
                          unitGrid(2, 2, 2, 2), sw, g);
    EXPECT_EQ(g.of(g.centreInteger, 1, 2), -3);
    EXPECT_EQ(s.log, partLog("POINT", "     1", "-3", "     1 cells"));
}

TEST(GridSamplingLine, SetsTheCellsItPassesInsideTheSampledAreaOnly) {
    GridSampler sampler;
    Grids g(6, 8);  // larger than the 4 x 5 area
    const auto s = sample(sampler, objectOf(&GisObject::pline, "PLINE"), Part{{-2.5, 7.5, 7.5}, {1.5, 1.5, 5.5}},
                          3.0F, unitGrid(4, 5, 6, 8), {}, g);
    EXPECT_EQ(g.set(g.centreReal), (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}}));
    EXPECT_EQ(s.count, 5);
    EXPECT_EQ(s.box.firstRow, 2);
    EXPECT_EQ(s.box.lastRow, 3);
}

TEST(GridSamplingLine, ALongSegmentMostlyOffTheGridIsClippedBeforeItIsWalked) {
    GridSampler sampler;
    Grids g(3, 3);
    // 200,000 cells long: walked whole, it would overflow the 10,000-cell list and end the run.
    const auto s = sample(sampler, objectOf(&GisObject::line, "LINE"), Part{{-200000.0, 2.5}, {1.5, 1.5}}, 1.0F,
                          unitGrid(3, 3, 3, 3), {}, g);
    EXPECT_EQ(g.set(g.centreReal), (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {2, 3}}));
    EXPECT_EQ(s.count, 3);
}

// A region covering the whole arrays, the area 3 x 4 from (3, 2) in arrays of 8 x 8: centre
// passes stay in the area, face passes reach its low boundary faces too, never beyond the area.
// Column faces keep to the area's rows, row faces to its columns.
TEST(GridSamplingRegion, PassesAreClampedToTheSampledArea) {
    GridSampler sampler;
    Part p;
    const GisObject region = square(p, -50, -50, 50, 50);
    const SamplingGrid grid = unitGrid(3, 4, 8, 8, 2, 1);

    Grids centres(8, 8);
    auto s = sample(sampler, region, p, 1.0F, grid, {}, centres);
    EXPECT_EQ(s.count, 12);
    const auto area = centres.set(centres.centreReal);
    EXPECT_EQ(area.front(), (std::pair{3, 2}));
    EXPECT_EQ(area.back(), (std::pair{5, 5}));

    SamplingSwitches sw;
    sw.faces = true;
    Grids faces(8, 8);
    s = sample(sampler, region, p, 1.0F, grid, sw, faces);
    EXPECT_EQ(s.count, 3 * 5 + 4 * 4);
    EXPECT_EQ(faces.set(faces.columnFaceReal).front(), (std::pair{3, 1}));
    EXPECT_EQ(faces.set(faces.columnFaceReal).back(), (std::pair{5, 5}));
    EXPECT_EQ(faces.set(faces.rowFaceReal).front(), (std::pair{2, 2}));
    EXPECT_EQ(faces.set(faces.rowFaceReal).size(), 16U);
    EXPECT_EQ(faces.set(faces.centreReal).size(), 0U);
}

struct ModeCase {
    const char* what;
    bool countOnly, faces, allPairs, integerValues;
    int count;
    std::size_t centres, columnFaces, rowFaces;
};
SamplingSwitches switchesOf(const ModeCase& c) {
    SamplingSwitches sw;
    sw.countOnly = c.countOnly;
    sw.faces = c.faces;
    sw.allPairs = c.allPairs;
    sw.integerValues = c.integerValues;
    return sw;
}

TEST(GridSamplingRegion, SwitchesChooseThePassesAndTheirArrays) {
    // The square (0.2, 0.2)-(3.8, 3.8) on a unit grid: 16 centres, 12 faces of each kind, 9 corners.
    const ModeCase cases[] = {
        {"centres", false, false, false, false, 16, 16, 0, 0},
        {"faces", false, true, false, false, 24, 0, 12, 12},
        {"faces win over all pairs", false, true, true, false, 24, 0, 12, 12},
        {"all pairs", false, false, true, false, 40, 16, 12, 12},
        {"count only: the four passes, nothing assigned", true, false, false, false, 49, 0, 0, 0},
        {"integer centres", false, false, false, true, 16, 16, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridSampler sampler;
        Grids g(10, 10);
        Part p;
        const auto s =
            sample(sampler, square(p, 0.2, 0.2, 3.8, 3.8), p, 1.0F, unitGrid(10, 10, 10, 10), switchesOf(c), g);
        EXPECT_EQ(s.count, c.count);
        EXPECT_TRUE(s.log.ends_with(c.countOnly || c.faces || c.allPairs ? " points\n" : " cells\n")) << s.log;
        EXPECT_EQ(g.set(g.centreInteger).size(), c.integerValues ? c.centres : 0U);
        EXPECT_EQ(g.set(g.centreReal).size(), c.integerValues ? 0U : c.centres);
        EXPECT_EQ(g.set(g.columnFaceReal).size(), c.columnFaces);
        EXPECT_EQ(g.set(g.rowFaceReal).size(), c.rowFaces);
    }
}

TEST(GridSamplingRegion, FacesOfAnOffsetAreaBelongToItsCells) {
    // The area 3 x 3 at offset (1, 1) in arrays of 6 x 6, under a region reaching past every
    // array edge: 9 centres, column faces on rows 2-4 of columns 1-4, row faces on rows 1-4 of
    // columns 2-4, 16 corners. Row 1 holds no column face and column 1 no row face: those would
    // be faces of cells below or left of the area.
    const ModeCase cases[] = {
        {"faces", false, true, false, false, 24, 0, 12, 12},
        {"all pairs", false, false, true, false, 33, 9, 12, 12},
        {"count only", true, false, false, false, 9 + 12 + 12 + 16, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridSampler sampler;
        Grids g(6, 6);
        Part p;
        const auto s = sample(sampler, square(p, -9, -9, 9, 9), p, 1.0F, unitGrid(3, 3, 6, 6, 1, 1), switchesOf(c), g);
        EXPECT_EQ(s.count, c.count);
        EXPECT_EQ(g.set(g.centreReal).size(), c.centres);
        const auto columnFaces = g.set(g.columnFaceReal), rowFaces = g.set(g.rowFaceReal);
        EXPECT_EQ(columnFaces.size(), c.columnFaces);
        EXPECT_EQ(rowFaces.size(), c.rowFaces);
        for (const auto& [j, i] : columnFaces) EXPECT_TRUE(j >= 2 && j <= 4 && i <= 4) << j << ", " << i;
        for (const auto& [j, i] : rowFaces) EXPECT_TRUE(j <= 4 && i >= 2 && i <= 4) << j << ", " << i;
    }
}

TEST(GridSamplingRegion, MarksHandedBackHoldOnlyThisObjectsPoints) {
    GridSampler sampler;
    Grids g(8, 8);
    std::vector<std::uint8_t> marks(64, 7);
    const auto marked = [&] {
        std::vector<std::pair<int, int>> cells;
        for (int j = 1; j <= 8; ++j)
            for (int i = 1; i <= 8; ++i)
                if (marks[Grids::at(8, j, i)] != 0) cells.emplace_back(j, i);
        return cells;
    };
    Part first;
    sample(sampler, square(first, 0.2, 0.2, 2.8, 1.8), first, 1.0F, unitGrid(8, 8, 8, 8), {}, g, marks.data());
    EXPECT_EQ(marked(), (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
    Part second;
    sample(sampler, square(second, 5.2, 5.2, 6.8, 6.8), second, 1.0F, unitGrid(8, 8, 8, 8), {}, g, marks.data());
    EXPECT_EQ(marked(), (std::vector<std::pair<int, int>>{{6, 6}, {6, 7}, {7, 6}, {7, 7}}));
}

TEST(GridSamplingRegion, ARingTableShorterThanItsVerticesStopsTheRun) {
    Part p;
    GisObject region = square(p, 0.2, 0.2, 3.8, 3.8);
    p.x.insert(p.x.end(), {5.2, 6.8, 6.8, 5.2, 5.2, 6.8});  // a second ring the table does not declare
    p.y.insert(p.y.end(), {5.2, 5.2, 6.8, 6.8, 5.2, 5.2});
    ZX_EXPECT_STOP(
        {
            GridSampler sampler;
            Grids g(10, 10);
            IndexBox box;
            sampler.samplePart(region, p.x.data(), p.y.data(), static_cast<int>(p.x.size()), 1.0F,
                               unitGrid(10, 10, 10, 10), {}, g.arrays(), box, nullptr);
        },
        "Invalid number of polygons in region sent to grid_inside_polygon routine \\[1\\]");
}

}  // namespace
}  // namespace zx
