// tests/geometry/primitives_test.cpp: the plane geometry primitives: worked values, the faults
// mended on purpose, and the single-precision steps of the _8 twins.
#include "geometry/primitives.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/test_support.hpp"

namespace zx {
namespace {

struct SegmentCase { float x1, y1, x2, y2, x3, y3, x4, y4; int code; bool touch; };
constexpr SegmentCase kSegmentCases[] = {
    {0, 0, 2, 0, 1, -1, 1, 1, 3, true},   // a plain crossing
    {0, 0, 1, 0, 2, -1, 2, 1, 2, false},  // beyond segment 1, within segment 2
    {0, 0, 1, 0, 0, 0, 0, 1, 4, true},    // at both start points, which do not count as within
    {0, 0, 1, 0, 1, 1, 1, 0, 3, true},    // the end points of both count
    {0, 0, 1, 0, 1, 0, 1, 1, 1, true},    // the end of 1 at the start of 2
    {0, 0, 1, 0, 2, 0, 3, 0, -1, true},   // collinear and disjoint: touching, kept for outside callers
    {0, 0, 1, 0, 0, 1, 1, 1, 0, false},   // parallel
};

TEST(Segments, ClassifyAndTouchInBothPrecisions) {
    for (const auto& c : kSegmentCases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(INTERSECT_LINE_V2(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.code);
        EXPECT_EQ(INTERSECT_LINE_V2_8(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.code);
        EXPECT_EQ(INTERSECT_LINE(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.touch);
        EXPECT_EQ(INTERSECT_LINE_8(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.touch);
    }
}

TEST(Segments, LinesMeetWhereverTheyAreNotParallel) {
    float xi = 7, yi = 7;
    EXPECT_TRUE(INTERSECTION_POINT(1, 0, 1, 5, 0, 0, 2, 2, xi, yi));  // first line vertical
    EXPECT_EQ(xi, 1.0F);
    EXPECT_EQ(yi, 1.0F);
    EXPECT_TRUE(INTERSECTION_POINT(0, 4, 2, 0, 3, 0, 3, 1, xi, yi));  // second line vertical, beyond both
    EXPECT_EQ(yi, -2.0F);
    double xd = 7, yd = 7;
    EXPECT_TRUE(INTERSECTION_POINT_8(0, 0, 4, 2, 0, 3, 3, 0, xd, yd));
    EXPECT_DOUBLE_EQ(xd, 2.0);
    EXPECT_DOUBLE_EQ(yd, 1.0);
    xd = yd = 7;
    EXPECT_FALSE(INTERSECTION_POINT_8(0, 0, 1, 1, 0, 1, 1, 2, xd, yd));
    EXPECT_FALSE(INTERSECTION_POINT_8(0, 0, 0, 1, 1, 0, 1, 1, xd, yd));
    EXPECT_EQ(xd, 7.0);  // untouched without a meeting point
    EXPECT_TRUE(INTERSECT_POINT(0, 0, 2, 2, 1, 1));
    EXPECT_FALSE(INTERSECT_POINT(0, 0, 2, 2, 1, 1.0001F));
    EXPECT_GT(SAME_SIDE(0, 0, 1, 0, 0, 1, 5, 2), 0.0F);
    EXPECT_LT(SAME_SIDE(0, 0, 1, 0, 0, 1, 5, -2), 0.0F);
}

TEST(Lengths, ZeroBelowTheToleranceAndTheRootAbove) {
    EXPECT_EQ(DISTANCE(0, 0, 5e-7F, 5e-7F), 0.0F);
    EXPECT_EQ(DISTANCE(0, 0, 3, 4), 5.0F);
    EXPECT_GT(DISTANCE(0, 0, 1e-6F, 0), 0.0F);        // exactly the tolerance is a length here
    EXPECT_EQ(VECTOR_MAGNITUDE(1e-6F, 1e-6F), 0.0F);  // and none here
    EXPECT_EQ(VECTOR_MAGNITUDE(-3, 4), 5.0F);
    EXPECT_TRUE(SAME_POINT(1, 1, 1.5F, 1.5F, 0.6F));
    EXPECT_FALSE(SAME_POINT_8(1, 1, 1.5, 1, 0.5));     // strict
    EXPECT_EQ(CIRCLE_WIDTH(1, 1), 2.0F);
    EXPECT_EQ(CIRCLE_WIDTH(1, 2), 0.0F);
    EXPECT_EQ(CIRCLE_WIDTH(1, 0), 0.0F);
    const double square[] = {0, 1, 1, 0, 0}, squareY[] = {0, 0, 1, 1, 0};
    EXPECT_EQ(POLYGON_AREA_8(square, squareY, 4), 1.0F);
    EXPECT_EQ(POLYGON_AREA_8(square, squareY, 5), 1.0F);
    EXPECT_EQ(POLYGON_AREA_8(square, squareY, 0), 0.0F);
}

// Values where single and double rounding part: each twin matches its mix exactly.
TEST(Twins, RunTheirSinglePrecisionStepsInSingle) {
    const double x1 = 1e8 + 0.3, y1 = 0.1, x2 = 1e8 + 3.7, y2 = 2.9;
    const float dx = static_cast<float>(x2 - x1), dy = static_cast<float>(y2 - y1);
    const float expected = std::sqrt(dx * dx + dy * dy);
    EXPECT_EQ(DISTANCE_8(x1, y1, x2, y2), expected);
    EXPECT_NE(DISTANCE_8(x1, y1, x2, y2), DISTANCE(static_cast<float>(x1), 0.1F, static_cast<float>(x2), 2.9F));
    const double xa = 1e8 + 1.1, ya = 7.3;
    const float side = (static_cast<float>(ya - y1) * dx - static_cast<float>(xa - x1) * dy) *
                       (dx * static_cast<float>(ya - y2) - dy * static_cast<float>(xa - x2));
    EXPECT_EQ(SAME_SIDE_8(x1, y1, x2, y2, xa, ya, xa, ya), side);
    // A level 1e-12 off a vertex is off it in double: the ray meets the edge, not the vertex.
    const double x[] = {0, 2, 1, 0, 0}, y[] = {0, 0, 1, 0, 0};
    const int end[] = {4};
    EXPECT_TRUE(INSIDE_POLYGON_8(1.0, 1.0 - 1e-12, x, y, 5, 0.0, end, 1));
    EXPECT_FALSE(INSIDE_POLYGON_8(1.0, 1.0 + 1e-12, x, y, 5, 0.0, end, 1));
    // The triangle twin: Q in double, the lengths as DISTANCE_8, ratios and values in single.
    const double tx[] = {0.1, 3.3, 0.7}, ty[] = {0.2, 0.9, 2.6};
    const float tz[] = {1.1F, 5.3F, -2.7F};
    double qx = 0, qy = 0;
    ASSERT_TRUE(INTERSECTION_POINT_8(tx[0], ty[0], tx[1], ty[1], tx[2], ty[2], 1.3, 1.1, qx, qy));
    const float zq = tz[0] + (tz[1] - tz[0]) * (DISTANCE_8(tx[0], ty[0], qx, qy) / DISTANCE_8(tx[0], ty[0], tx[1], ty[1]));
    const float zp = tz[2] + (zq - tz[2]) * (DISTANCE_8(tx[2], ty[2], 1.3, 1.1) / DISTANCE_8(tx[2], ty[2], qx, qy));
    float z = 0;
    ASSERT_TRUE(INTERPOLATE_TRIANGLE_8(1.3, 1.1, tx, ty, tz, z));
    EXPECT_EQ(z, zp);
}

// Unit square, square hole (second ring) and an unclosed square: vertex lists with separators.
constexpr float kSquareX[] = {0, 4, 4, 0, 0, 0, 1, 3, 3, 1, 1, 1};
constexpr float kSquareY[] = {0, 0, 4, 4, 0, 0, 1, 1, 3, 3, 1, 1};
constexpr int kSquareEnds[] = {5, 11};

struct InsideCase { const char* what; float xp, yp; int n, rings; bool inside; };
constexpr InsideCase kInsideCases[] = {
    {"in the square", 0.5F, 0.5F, 6, 1, true},
    {"right of it", 4.5F, 0.5F, 6, 1, false},
    {"in the hole area without the hole", 2, 2, 6, 1, true},
    {"in the hole", 2, 2, 12, 2, false},
    {"between square and hole", 3.5F, 2, 12, 2, true},
    {"on a vertex level, inside", 0.5F, 1, 12, 2, true},
    {"two entries make no region", 0.5F, 0.5F, 2, 1, false},
};

TEST(InsidePolygon, CountsCrossingsOverEveryRing) {
    for (const auto& c : kInsideCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(INSIDE_POLYGON(c.xp, c.yp, kSquareX, kSquareY, c.n, -1, kSquareEnds, c.rings), c.inside);
        double x[12], y[12];
        for (int k = 0; k < 12; ++k) x[k] = kSquareX[k], y[k] = kSquareY[k];
        EXPECT_EQ(INSIDE_POLYGON_8(c.xp, c.yp, x, y, c.n, -1, kSquareEnds, c.rings), c.inside);
    }
}

TEST(InsidePolygon, AVertexOnTheRayCountsByItsOwnRingsNeighbours) {
    // The diamond's first vertex lies on its centre's level: the level before it is its last edge's.
    const float dx[] = {0, 1, 2, 1, 0, 0}, dy[] = {1, 0, 1, 2, 1, 1};
    const int dend[] = {5};
    EXPECT_TRUE(INSIDE_POLYGON(1, 1, dx, dy, 6, 0, dend, 1));
    // A triangle touching the ray from above at its first vertex adds nothing, whatever the ring
    // before it left behind (its last edge ended on the ray from below).
    const float x[] = {-10, -10, -10, 10, 10, -10, 0, -2, -1, -3, -2, 0};
    const float y[] = {-10, 0, 10, 10, -10, -10, 0, 0, 1, 1, 0, 0};
    const int end[] = {6, 11};
    EXPECT_TRUE(INSIDE_POLYGON(0, 0, x, y, 12, -10, end, 2));
    // An unclosed ring is closed by its last vertex's edge back to the first.
    const float ux[] = {0, 1, 1, 0, 0}, uy[] = {0, 0, 1, 1, 0};
    const int uend[] = {4};
    EXPECT_TRUE(INSIDE_POLYGON(0.5F, 0.5F, ux, uy, 5, -1, uend, 1));
}

TEST(InsidePolygonDeathTest, MoreRingsThanDeclaredEndTheRun) {
    ZX_EXPECT_STOP(INSIDE_POLYGON(2, 2, kSquareX, kSquareY, 12, -1, kSquareEnds, 1),
                   "^ Invalid number of polygons in region sent to inside_polygon routine \\[1\\] - contact .*@");
}

TEST(Interpolation, TrianglesReproduceLinearFieldsInsideAndOutside) {
    const auto field = [](double x, double y) { return static_cast<float>(1 + 2 * x - 3 * y); };
    const float x[] = {0, 4, 1}, y[] = {0, 1, 3};
    const float z[] = {field(0, 0), field(4, 1), field(1, 3)};
    const float points[][2] = {{1.5F, 1.25F}, {1, 3}, {6, 5}, {-2, -1}, {2, -3}};  // outside: extrapolated
    for (const auto& p : points) {
        float zp = 0;
        ASSERT_TRUE(INTERPOLATE_TRIANGLE(p[0], p[1], x, y, z, zp));
        EXPECT_NEAR(zp, field(p[0], p[1]), 1e-4);
    }
    // At the third corner with a vertical opposite side, and with everything on one vertical line.
    const float vx[] = {2, 2, 0}, vy[] = {0, 1, 5}, col[] = {1, 1, 1}, colY[] = {0, 1, 2};
    float zp = 0;
    EXPECT_TRUE(INTERPOLATE_TRIANGLE(0, 5, vx, vy, z, zp));
    EXPECT_EQ(zp, z[2]);
    EXPECT_FALSE(INTERPOLATE_TRIANGLE(1, 5, col, colY, z, zp));
    EXPECT_EQ(zp, kNoValue);
}

TEST(Interpolation, ElementsAverageTheirCornerTrianglesThatHoldThePoint) {
    const double x[] = {0, 2, 2, 0}, y[] = {0, 0, 2, 2};
    const float z[] = {0, 2, 4, 2};  // z = x + y
    float zp = 0;
    EXPECT_TRUE(INTERPOLATE_ELEMENT_8(0.5, 0.3, x, y, z, 4, -1, zp));
    EXPECT_FLOAT_EQ(zp, 0.8F);
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(3, 3, x, y, z, 4, -1, zp));
    EXPECT_EQ(zp, kNoValue);
    zp = 42;
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(3, 3, x, y, z, 3, -1, zp));
    EXPECT_EQ(zp, 42.0F);
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(1, 1, x, y, z, 5, -1, zp));
    // The diamond's centre lies on its first corner's level and inside it.
    const double dx[] = {0, 1, 2, 1}, dy[] = {1, 0, 1, 2};
    const float dz[] = {1, 1, 3, 3};  // z = x + y
    EXPECT_TRUE(INTERPOLATE_ELEMENT_8(1, 1, dx, dy, dz, 4, -1, zp));
    EXPECT_FLOAT_EQ(zp, 2.0F);
}

TEST(Angles, AreBetweenDirectionsAndZeroForVerticalSegments) {
    EXPECT_EQ(ANGLE2D(0, 0, 1, 0, 0, 0, 0, 1), 0.0F);  // kept: a vertical segment gives 0
    const double rad10 = 10 * std::acos(-1.0) / 180;
    EXPECT_NEAR(ANGLE2D(0, 0, std::cos(rad10), std::sin(rad10), 0, 0, std::cos(rad10), -std::sin(rad10)), 20, 1e-4);
    EXPECT_NEAR(ANGLE2D(0, 0, 1, 0, 0, 0, -1, 1e-3), 179.94, 1e-2);
}

struct HydCase { float xa, za, xb, zb, h, s, area, width, perimeter; };
const HydCase kHydCases[] = {
    {0, 0, 2, 2, 1, 1, 0.5F, 1, std::sqrt(2.0F)},  // wet from the low end
    {0, 2, 2, 0, 1, 1, 0.5F, 1, std::sqrt(2.0F)},  // wet from the other end
    {0, 0, 2, 1, 3, 1, 5, 2, std::sqrt(5.0F)},     // under water
    {2, 0, 0, 1, 3, 1, -5, -2, std::sqrt(5.0F)},   // reversed stations keep their sign
    {0, 2, 2, 3, 1, 1, 0, 0, 0},                   // dry
    {0, 0, 2, 2, 1, 0, 0, 0, 0},                   // switched off
};

TEST(HydraulicParameters, AreThoseOfTheWetPartOfThePiece) {
    for (const auto& c : kHydCases) {
        float area = 9, width = 9, perimeter = 9;
        HYD_PARAM(c.xa, c.za, c.xb, c.zb, c.h, c.s, area, width, perimeter);
        EXPECT_FLOAT_EQ(area, c.area);
        EXPECT_FLOAT_EQ(width, c.width);
        EXPECT_FLOAT_EQ(perimeter, c.perimeter);
    }
    float a1, a2, w1, w2, p1, p2;
    HYD_PARAM2(0, 0, 1, 4, 4, 0, 1, a1, a2, w1, w2, p1, p2);
    EXPECT_FLOAT_EQ(a1, 0.5F);
    EXPECT_EQ(a2, 0.0F);
}

TEST(GridFrame, ShiftsRotatesAndFindsTheCellsCovered) {
    const double x[] = {110, 100}, y[] = {200, 210};
    float xl[2], yl[2];
    GEO_SHIFT(x, y, 2, 100, 200, static_cast<float>(std::acos(-1.0) / 2), xl, yl);
    EXPECT_NEAR(xl[0], 0, 1e-6);
    EXPECT_NEAR(yl[0], -10, 1e-6);
    EXPECT_NEAR(xl[1], 10, 1e-6);
    const float px[] = {-25, 5, 95}, py[] = {-5, 3, 4};
    int jmin = 7, imin = 7, jmax = 7, imax = 7;
    float xmin, ymin, xmax, ymax;
    SET_SUB_GRID_AREA(px, py, 2, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(imin, 0);
    EXPECT_EQ(imax, 1);
    EXPECT_EQ(jmin, 0);  // below the grid, not in its first row
    EXPECT_EQ(xmin, -25.0F);
    SET_SUB_GRID_AREA(px + 1, py + 1, 2, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(imax, 5);  // limited to the grid
    jmin = 7;
    SET_SUB_GRID_AREA(px, py, 0, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(jmin, 7);
}

}  // namespace
}  // namespace zx
