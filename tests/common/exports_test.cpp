// tests/common/exports_test.cpp: the shared library shows exactly the names of its export list,
// and its routines meet callers by the exported convention.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "common/zervanix_text.h"
#include "geometry/zervanix_geometry.h"

namespace {

TEST(SharedLibrary, ExportsExactlyItsExportList) {
    std::set<std::string> expected, actual;
    std::ifstream list(ZX_EXPORT_LIST);
    for (std::string name; list >> name;) expected.insert(name);
    ASSERT_FALSE(expected.empty());
    std::FILE* pipe = ::popen("nm -D --defined-only --format=just-symbols " ZX_LIBRARY, "r");
    ASSERT_NE(pipe, nullptr);
    for (char name[512]; std::fscanf(pipe, "%511s", name) == 1;) actual.insert(name);
    ::pclose(pipe);
    EXPECT_EQ(actual, expected);
}

TEST(ExportedConvention, TextsAreFilledBlankPaddedCutAtTheDeclaredLengthAndCountedWhole) {
    char result[8];
    std::memset(result, 'x', sizeof result);
    const float half = 0.5F;
    AREAL(result, 3, &half);
    EXPECT_EQ(std::string_view(result, 4), "0.5x");  // nothing written past the declared length
    const std::int32_t minusTwo = -2;
    AREALD(result, sizeof result, &half, &minusTwo);
    EXPECT_EQ(std::string_view(result, 8), "1.      ");
    char path[] = {'a', '/', '/', 'b', ' ', ' '};
    CLEANPATH(result, sizeof result, path, sizeof path);
    EXPECT_EQ(std::string_view(result, 8), "a/b     ");
    EXPECT_EQ(std::string_view(path, 6), "a/b   ");
    // The whole declared text is searched: its trailing blanks are delimiters too.
    char text[] = {'a', ' ', 'b', ' ', ' ', ' '};
    EXPECT_EQ(NUMBEROFSUBSTRINGS(text, " ", sizeof text, 1), 5);
}

TEST(ExportedConvention, GeometryTakesEveryArgumentByAddressAndAnswersTrueAsMinusOne) {
    std::set<std::string> names;
    std::ifstream list(ZX_EXPORT_LIST);
    for (std::string name; list >> name;) names.insert(name);
    for (const char* name : {"ANGLE2D", "INSIDE_POLYGON_8", "SET_SUB_GRID_AREA", "INTERPOLATE_TRIANGLE_NO_CHECKS"}) {
        EXPECT_TRUE(names.count(name)) << name;
    }
    for (const char* name :
         {"POLYGON_AREA_8", "GRIDLINE_5", "GRID_INSIDE_POLYGON", "INTERPOLATE_TRIANGLE_NO_CHECKS_8"}) {
        EXPECT_FALSE(names.count(name)) << name;  // the library's own
    }
    const float zero = 0, one = 1, two = 2, three = 3, four = 4, minusOne = -1, half = 0.5F;
    EXPECT_EQ(DISTANCE(&zero, &zero, &three, &four), 5.0F);
    EXPECT_EQ(INTERSECT_LINE(&zero, &zero, &one, &zero, &two, &zero, &three, &zero), -1);
    EXPECT_EQ(INTERSECT_LINE_V2(&zero, &zero, &one, &zero, &two, &minusOne, &two, &one), 2);
    const float x[] = {0, 1, 1, 0, 0, 0}, y[] = {0, 0, 1, 1, 0, 0};
    const std::int32_t six = 6, ends[] = {5}, rings = 1;
    EXPECT_EQ(INSIDE_POLYGON(&half, &half, x, y, &six, &zero, ends, &rings), -1);
    EXPECT_EQ(INSIDE_POLYGON(&two, &half, x, y, &six, &zero, ends, &rings), 0);
    const float tx[] = {0, 2, 0}, ty[] = {0, 0, 2}, tz[] = {0, 2, 4};
    float z = 0;
    INTERPOLATE_TRIANGLE_NO_CHECKS(&half, &half, tx, ty, tz, &z);
    EXPECT_EQ(z, 1.5F);
    float area = 0, width = 0, perimeter = 0;
    HYD_PARAM(&zero, &zero, &two, &two, &one, &one, &area, &width, &perimeter);
    EXPECT_EQ(area, 0.5F);
    const double dx[] = {0, 10, 10}, dy[] = {0, 0, 10};
    const double angle0 = 0, angle1 = 0, xa = 10, ya = 10;
    EXPECT_EQ(ANGLE2D(&angle0, &angle1, &dx[1], &dy[1], &angle0, &angle1, &xa, &ya), 45.0F);
    double xi = 0, yi = 0;
    const double d0 = 0, d2 = 2, d4 = 4, d3 = 3;
    EXPECT_EQ(INTERSECTION_POINT_8(&d0, &d0, &d4, &d2, &d0, &d3, &d3, &d0, &xi, &yi), -1);
    EXPECT_EQ(xi, 2.0);
}

}  // namespace
