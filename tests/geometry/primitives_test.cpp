// tests/geometry/primitives_test.cpp: worked values of the primitives, the faults mended on
// purpose, and the single-precision steps of the _8 twins (generic cases: reference_test.cpp).
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
    {0, 0, 1, 0, 2, 0, 3, 0, -1, true},   // collinear and disjoint: touching, kept for outside callers
    {0, 0, 1, 0, 0, 1, 1, 1, 0, false},   // parallel
};

TEST(Segments, ClassifyTouchAndMeetInBothPrecisions) {
    for (const auto& c : kSegmentCases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(INTERSECT_LINE_V2(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.code);
        EXPECT_EQ(INTERSECT_LINE_V2_8(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.code);
        EXPECT_EQ(INTERSECT_LINE(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.touch);
        EXPECT_EQ(INTERSECT_LINE_8(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.touch);
    }
    float xi = 7, yi = 7;
    EXPECT_TRUE(INTERSECTION_POINT(1, 0, 1, 5, 0, 0, 2, 2, xi, yi));  // a vertical line
    EXPECT_EQ(yi, 1.0F);
    double xd = 7, yd = 7;
    EXPECT_FALSE(INTERSECTION_POINT_8(0, 0, 0, 1, 1, 0, 1, 1, xd, yd));
    EXPECT_EQ(xd, 7.0);  // untouched without a meeting point
    EXPECT_TRUE(INTERSECT_POINT(0, 0, 2, 2, 1, 1));
    EXPECT_LT(SAME_SIDE(0, 0, 1, 0, 0, 1, 5, -2), 0.0F);
}

TEST(Lengths, ZeroBelowTheirTolerances) {
    EXPECT_EQ(DISTANCE(0, 0, 5e-7F, 5e-7F), 0.0F);
    EXPECT_EQ(DISTANCE(0, 0, 3, 4), 5.0F);
    EXPECT_GT(DISTANCE(0, 0, 1e-6F, 0), 0.0F);        // exactly the tolerance is a length here
    EXPECT_EQ(VECTOR_MAGNITUDE(1e-6F, 1e-6F), 0.0F);  // and none here
    EXPECT_FALSE(SAME_POINT_8(1, 1, 1.5, 1, 0.5));     // strict
    EXPECT_EQ(CIRCLE_WIDTH(1, 2), 0.0F);
    const double x[] = {0, 1, 1, 0, 0}, y[] = {0, 0, 1, 1, 0};
    EXPECT_EQ(POLYGON_AREA_8(x, y, 4), 1.0F);  // closed implicitly or explicitly
    EXPECT_EQ(POLYGON_AREA_8(x, y, 5), 1.0F);
}

// Values where single and double rounding part: each twin matches its mix exactly.
TEST(Twins, RunTheirSinglePrecisionStepsInSingle) {
    const double x1 = 1e8 + 0.3, y1 = 0.1, x2 = 1e8 + 3.7, y2 = 2.9, xa = 1e8 + 1.1, ya = 7.3;
    const float dx = static_cast<float>(x2 - x1), dy = static_cast<float>(y2 - y1);
    EXPECT_EQ(DISTANCE_8(x1, y1, x2, y2), std::sqrt(dx * dx + dy * dy));
    EXPECT_NE(DISTANCE_8(x1, y1, x2, y2), DISTANCE(static_cast<float>(x1), 0.1F, static_cast<float>(x2), 2.9F));
    EXPECT_EQ(SAME_SIDE_8(x1, y1, x2, y2, xa, ya, xa, ya),
              (static_cast<float>(ya - y1) * dx - static_cast<float>(xa - x1) * dy) *
                  (dx * static_cast<float>(ya - y2) - dy * static_cast<float>(xa - x2)));
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
    const float t = DISTANCE_8(tx[0], ty[0], qx, qy) / DISTANCE_8(tx[0], ty[0], tx[1], ty[1]);
    const float zq = tz[0] + (tz[1] - tz[0]) * t;
    float z = 0;
    ASSERT_TRUE(INTERPOLATE_TRIANGLE_8(1.3, 1.1, tx, ty, tz, z));
    EXPECT_EQ(z, tz[2] + (zq - tz[2]) * (DISTANCE_8(tx[2], ty[2], 1.3, 1.1) / DISTANCE_8(tx[2], ty[2], qx, qy)));
}

TEST(InsidePolygon, AVertexOnTheRayCountsByItsOwnRingsNeighbours) {
    // The diamond's first vertex lies on its centre's level: the level before it is its last edge's.
    const float dx[] = {0, 1, 2, 1, 0, 0}, dy[] = {1, 0, 1, 2, 1, 1};
    const int dend[] = {5};
    EXPECT_TRUE(INSIDE_POLYGON(1, 1, dx, dy, 6, 0, dend, 1));
    EXPECT_FALSE(INSIDE_POLYGON(1, 1, dx, dy, 2, 0, dend, 1));  // two entries make no region
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
    const float x[] = {0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0}, y[] = {0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0};
    const int end[] = {5};
    ZX_EXPECT_STOP(INSIDE_POLYGON(2, 2, x, y, 12, -1, end, 1),
                   "^ Invalid number of polygons in region sent to inside_polygon routine \\[1\\] - contact .*@");
}

TEST(Interpolation, AnswersAtTheThirdCornerAndOnlyFailsForParallelLines) {
    const float z[] = {1, 2, 3, 4};
    const float vx[] = {2, 2, 0}, vy[] = {0, 1, 5}, col[] = {1, 1, 1}, colY[] = {0, 1, 2};
    float zp = 0;
    EXPECT_TRUE(INTERPOLATE_TRIANGLE(0, 5, vx, vy, z, zp));  // the opposite side is vertical
    EXPECT_EQ(zp, 3.0F);
    EXPECT_FALSE(INTERPOLATE_TRIANGLE(1, 5, col, colY, z, zp));
    EXPECT_EQ(zp, kNoValue);
    const double x[] = {0, 2, 2, 0}, y[] = {0, 0, 2, 2};
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(3, 3, x, y, z, 4, -1, zp));
    EXPECT_EQ(zp, kNoValue);
    zp = 42;
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(3, 3, x, y, z, 3, -1, zp));
    EXPECT_FALSE(INTERPOLATE_ELEMENT_8(1, 1, x, y, z, 5, -1, zp));
    EXPECT_EQ(zp, 42.0F);
    // The diamond's centre lies on its first corner's level and inside it.
    const double dx[] = {0, 1, 2, 1}, dy[] = {1, 0, 1, 2};
    const float dz[] = {1, 1, 3, 3};  // z = x + y
    EXPECT_TRUE(INTERPOLATE_ELEMENT_8(1, 1, dx, dy, dz, 4, -1, zp));
    EXPECT_FLOAT_EQ(zp, 2.0F);
}

TEST(SectionsAndAngles, KeepTheirSignsAndConventions) {
    EXPECT_EQ(ANGLE2D(0, 0, 1, 0, 0, 0, 0, 1), 0.0F);  // kept: a vertical segment gives 0
    EXPECT_NEAR(ANGLE2D(0, 0, 1, std::tan(0.1745329), 0, 0, 1, -std::tan(0.1745329)), 20, 1e-4);
    float area, width, perimeter;
    HYD_PARAM(2, 0, 0, 1, 3, 1, area, width, perimeter);  // reversed stations keep their sign
    EXPECT_EQ(area, -5.0F);
    EXPECT_EQ(width, -2.0F);
    HYD_PARAM(0, 0, 2, 2, 1, 0, area, width, perimeter);  // switched off
    EXPECT_EQ(area + width + perimeter, 0.0F);
    float a2, w2, p2;
    HYD_PARAM2(0, 0, 1, 4, 4, 0, 1, area, a2, width, w2, perimeter, p2);
    EXPECT_FLOAT_EQ(area, 0.5F);
    EXPECT_EQ(a2, 0.0F);
}

TEST(GridFrame, ShiftsRotatesAndFindsTheCellsCovered) {
    const double x[] = {110, 100}, y[] = {200, 210};
    float xl[2], yl[2];
    GEO_SHIFT(x, y, 2, 100, 200, static_cast<float>(std::acos(-1.0) / 2), xl, yl);
    EXPECT_NEAR(yl[0], -10, 1e-6);
    EXPECT_NEAR(xl[1], 10, 1e-6);
    const float px[] = {-25, 5, 95}, py[] = {-5, 3, 4};
    int jmin = 7, imin = 7, jmax = 7, imax = 7;
    float xmin, ymin, xmax, ymax;
    SET_SUB_GRID_AREA(px, py, 2, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(imin, 0);
    EXPECT_EQ(imax, 1);
    EXPECT_EQ(jmin, 0);  // below the grid, not in its first row
    SET_SUB_GRID_AREA(px + 1, py + 1, 2, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(imax, 5);  // limited to the grid
    SET_SUB_GRID_AREA(px, py, 0, 10, 5, 5, jmin, imin, jmax, imax, xmin, ymin, xmax, ymax);
    EXPECT_EQ(imax, 5);  // no points: nothing written
}

}  // namespace
}  // namespace zx
