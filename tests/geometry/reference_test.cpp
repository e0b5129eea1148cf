// tests/geometry/reference_test.cpp: the primitives against references we did not write:
// Boost.Geometry on random regions with holes and several outer rings, random segments, areas
// and distances, and closed forms evaluated in long double.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/grid_cells.hpp"
#include "geometry/primitives.hpp"
#include "geometry/random_regions.hpp"

#if __has_include(<boost/geometry.hpp>)
#include <boost/geometry.hpp>
#define ZX_HAVE_BOOST_GEOMETRY 1
#endif

namespace zx {
namespace {

using test::randomRegion;

#ifdef ZX_HAVE_BOOST_GEOMETRY
namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;
using Segment = bg::model::segment<Point>;
using Line = bg::model::linestring<Point>;

TEST(BoostReference, PointsInRegionsWithHolesAndSeveralOuterRings) {
    std::mt19937 rng(8);
    int tested = 0;
    for (int trial = 0; trial < 20; ++trial) {
        const auto region = randomRegion(rng, 1 + trial % 3, 10);
        bg::model::multi_polygon<Polygon> reference;
        std::vector<Line> boundaries;
        for (std::size_t k = 0; k < region.rings.size(); ++k) {
            Line line;
            for (const auto& [px, py] : region.rings[k]) line.emplace_back(px, py);
            boundaries.push_back(line);
            if (k % 3 == 0) reference.emplace_back();
            if (k % 3 == 0) reference.back().outer().assign(line.begin(), line.end());
            else reference.back().inners().emplace_back(line.begin(), line.end());
        }
        bg::correct(reference);
        const std::vector<double> x8(region.x.begin(), region.x.end()), y8(region.y.begin(), region.y.end());
        std::uniform_real_distribution<float> px(-1, 10.0F * 3 + 1), py(-1, 13);
        for (int p = 0; p < 300; ++p) {
            const Point point(px(rng), py(rng));
            bool nearBoundary = false;
            for (const auto& line : boundaries) nearBoundary = nearBoundary || bg::distance(point, line) < 1e-3;
            if (nearBoundary) continue;
            const bool inside = bg::within(point, reference);
            const auto xp = static_cast<float>(point.x()), yp = static_cast<float>(point.y());
            const int* ends = region.ends.data();
            ASSERT_EQ(
                INSIDE_POLYGON(xp, yp, region.x.data(), region.y.data(), region.n(), -2, ends, region.ringCount()),
                inside) << trial << ": " << xp << ", " << yp;
            ASSERT_EQ(INSIDE_POLYGON_8(point.x(), point.y(), x8.data(), y8.data(), region.n(), -2, ends,
                                       region.ringCount()),
                      inside);
            std::int32_t mark = -1;
            int count = 0;
            GRID_INSIDE_POLYGON_4(&mark, &xp, &yp, 1, count, region.x.data(), region.y.data(), region.n(), ends,
                                  region.ringCount());
            ASSERT_EQ(mark == 1, inside);
            ++tested;
        }
    }
    EXPECT_GT(tested, 4000);
}

TEST(BoostReference, SegmentsAreasAndDistances) {
    std::mt19937 rng(81);
    std::uniform_real_distribution<float> coordinate(-10, 10);
    int crossings = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        float c[8];
        for (float& v : c) v = coordinate(rng);
        const Segment s1(Point(c[0], c[1]), Point(c[2], c[3])), s2(Point(c[4], c[5]), Point(c[6], c[7]));
        // Away from touching, where the answer hangs on the last bit.
        if (bg::distance(s1.first, s2) < 1e-3 || bg::distance(s1.second, s2) < 1e-3 ||
            bg::distance(s2.first, s1) < 1e-3 || bg::distance(s2.second, s1) < 1e-3) {
            continue;
        }
        const bool meet = bg::intersects(s1, s2);
        ASSERT_EQ(INTERSECT_LINE(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]), meet);
        ASSERT_EQ(INTERSECT_LINE_8(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]), meet);
        ASSERT_EQ(INTERSECT_LINE_V2(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]) == 3, meet);
        ASSERT_EQ(INTERSECT_LINE_V2_8(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]) == 3, meet);
        if (!meet) continue;
        ++crossings;
        std::vector<Point> at;
        bg::intersection(s1, s2, at);
        ASSERT_EQ(at.size(), 1U);
        double xi = 0, yi = 0;
        ASSERT_TRUE(INTERSECTION_POINT_8(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], xi, yi));
        EXPECT_NEAR(xi, at[0].x(), 1e-6);
        EXPECT_NEAR(yi, at[0].y(), 1e-6);
        EXPECT_NEAR(DISTANCE_8(c[0], c[1], c[2], c[3]), bg::distance(s1.first, s1.second), 1e-5);
    }
    EXPECT_GT(crossings, 300);
    const auto region = randomRegion(rng, 1, 10);
    for (const auto& ring : region.rings) {
        std::vector<double> x, y;
        bg::model::ring<Point> reference;
        for (const auto& [px, py] : ring) x.push_back(px), y.push_back(py), reference.emplace_back(px, py);
        EXPECT_NEAR(POLYGON_AREA_8(x.data(), y.data(), static_cast<int>(x.size()) - 1), std::fabs(bg::area(reference)),
                    1e-5 * std::fabs(bg::area(reference)));
    }
}
#else
TEST(BoostReference, NeedsBoostGeometry) { GTEST_SKIP() << "Boost.Geometry headers are not installed"; }
#endif

TEST(ClosedForms, WidthsAnglesAndWetPiecesInLongDouble) {
    for (long double d = 0.05L; d < 4; d += 0.05L) {
        const long double r = 2, exact = 2 * std::sqrt(r * r - (d - r) * (d - r));
        EXPECT_NEAR(CIRCLE_WIDTH(2, static_cast<float>(d)), exact, 2e-6L * r) << d;
    }
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> coordinate(-5, 5);
    for (int k = 0; k < 500; ++k) {
        double c[8];
        for (double& v : c) v = coordinate(rng);
        if (std::fabs(c[2] - c[0]) < 1e-3 || std::fabs(c[6] - c[4]) < 1e-3) continue;
        long double exact = std::fabs(std::atan2((long double)c[3] - c[1], (long double)c[2] - c[0]) -
                                      std::atan2((long double)c[7] - c[5], (long double)c[6] - c[4])) *
                            180 / 3.141592653589793238462643383279503L;
        if (exact > 180) exact = 360 - exact;
        EXPECT_NEAR(ANGLE2D(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]), exact, 1e-4L);
    }
    // The wet part of a piece: the piece clipped to the levels below h, and the area between it
    // and the water line.
    std::uniform_real_distribution<float> level(0, 4);
    for (int k = 0; k < 500; ++k) {
        const float xa = level(rng), za = level(rng), xb = level(rng) + 4, zb = level(rng), h = level(rng);
        long double x0 = xa, z0 = za, x1 = xb, z1 = zb;
        const auto at = [&](long double z) { return xa + (xb - xa) * (z - za) / ((long double)zb - za); };
        if (z0 > h && z1 > h) x1 = x0, z1 = z0 = h;  // dry: nothing wet
        else if (z0 > h) x0 = at(h), z0 = h;
        else if (z1 > h) x1 = at(h), z1 = h;
        float area, width, perimeter;
        HYD_PARAM(xa, za, xb, zb, h, 1, area, width, perimeter);
        EXPECT_NEAR(width, x1 - x0, 1e-5L);
        EXPECT_NEAR(perimeter, std::hypot(x1 - x0, z1 - z0), 1e-5L);
        EXPECT_NEAR(area, (h - (z0 + z1) / 2) * (x1 - x0), 1e-4L);
    }
}

TEST(ClosedForms, LinearFieldsAreReproducedByTriangleAndElementInterpolation) {
    std::mt19937 rng(44);
    std::uniform_real_distribution<float> coordinate(0, 10), coefficient(-2, 2);
    int tested = 0;
    while (tested < 300) {
        float x[4], y[4], z[4];
        for (int k = 0; k < 3; ++k) x[k] = coordinate(rng), y[k] = coordinate(rng);
        const double twiceArea = (double{x[1]} - x[0]) * (y[2] - y[0]) - (double{x[2]} - x[0]) * (y[1] - y[0]);
        if (std::fabs(twiceArea) < 20) continue;  // no slivers
        const float a = coefficient(rng), b = coefficient(rng), c = coefficient(rng);
        const auto field = [&](long double px, long double py) { return a + b * px + c * py; };
        for (int k = 0; k < 3; ++k) z[k] = static_cast<float>(field(x[k], y[k]));
        // A point inside (barycentric weights from the generator) and one well outside.
        const float w1 = coordinate(rng) / 10, w2 = (1 - w1) * coordinate(rng) / 10;
        const float xin = x[0] + w1 * (x[1] - x[0]) + w2 * (x[2] - x[0]);
        const float yin = y[0] + w1 * (y[1] - y[0]) + w2 * (y[2] - y[0]);
        float zp = 0;
        ASSERT_TRUE(INTERPOLATE_TRIANGLE(xin, yin, x, y, z, zp));
        EXPECT_NEAR(zp, field(xin, yin), 2e-3L);
        EXPECT_NEAR(INTERPOLATE_TRIANGLE_NO_CHECKS(xin, yin, x, y, z), field(xin, yin), 2e-3L);
        const double x8[] = {x[0], x[1], x[2]}, y8[] = {y[0], y[1], y[2]};
        EXPECT_NEAR(INTERPOLATE_TRIANGLE_NO_CHECKS_8(xin, yin, x8, y8, z), field(xin, yin), 2e-3L);
        ASSERT_TRUE(INTERPOLATE_ELEMENT_8(xin, yin, x8, y8, z, 3, -1, zp));
        EXPECT_NEAR(zp, field(xin, yin), 2e-3L);
        ASSERT_TRUE(INTERPOLATE_TRIANGLE(xin + 15, yin - 12, x, y, z, zp));
        EXPECT_NEAR(zp, field(xin + 15, yin - 12), 1e-2L);
        ++tested;
    }
    // A parallelogram element: every corner triangle holding the point gives the field.
    const double x[] = {0, 4, 5, 1}, y[] = {0, 0, 3, 3};
    float z[4];
    for (int k = 0; k < 4; ++k) z[k] = static_cast<float>(1 + 0.5 * x[k] - 2 * y[k]);
    float zp = 0;
    ASSERT_TRUE(INTERPOLATE_ELEMENT_8(2.2, 1.1, x, y, z, 4, -1, zp));
    EXPECT_NEAR(zp, 1 + 0.5 * 2.2 - 2 * 1.1, 1e-5);
}

}  // namespace
}  // namespace zx
