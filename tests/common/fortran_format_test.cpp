// tests/common/fortran_format_test.cpp
#include "common/fortran_format.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>

namespace {

namespace fmt = zx::fmt;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kHuge = std::numeric_limits<int>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

struct FixedCase {
    double value;
    int width, decimals;
    std::string_view expected;
};
constexpr FixedCase kFixedCases[] = {
    // exact binary ties round away from zero; 9.995 lies just below its tie
    {0.125, 5, 2, " 0.13"}, {-2.5, 4, 0, " -3."}, {9.995, 5, 2, " 9.99"},
    // a carry that reaches a new column fits, or fills the field
    {9.9951, 5, 2, "10.00"}, {999.5, 5, 0, "1000."}, {99.996, 5, 2, "*****"},
    // no minus sign on a result of zeros; a lone point is no number
    {-0.0, 5, 2, " 0.00"}, {-0.001, 5, 2, " 0.00"}, {-0.3, 2, 0, "0."}, {0.0, 1, 0, "*"},
    // only the optional zero overflows: it goes; -0.996 rounds to -1.00 with no zero to drop
    {0.5, 3, 2, ".50"}, {-0.5, 4, 2, "-.50"}, {-0.5, 3, 2, "***"}, {-0.996, 4, 2, "****"}, {0.25, 6, 5, ".25000"},
    {-12.34, 5, 2, "*****"}, {1e300, 10, 2, "**********"}, {1.0, 0, 2, ""},
    // a negative decimal count writes none; a huge one cannot fit
    {2.5, 4, -1, "  3."}, {1.0, 10, kHuge, "**********"},
    {std::numeric_limits<double>::quiet_NaN(), 5, 2, "  NaN"}, {-kInfinity, 8, 2, "    -Inf"},
    {kInfinity, 3, 2, "Inf"}, {-kInfinity, 3, 2, "***"},
};

TEST(FixedField, RoundsTiesAwayFromZeroDropsTheOptionalZeroAndFillsOverflowWithAsterisks) {
    for (const auto& c : kFixedCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " in F" << c.width << "." << c.decimals);
        EXPECT_EQ(fmt::fixed(c.value, c.width, c.decimals), c.expected);
    }
}

// value, width, decimals, leading blanks, field
constexpr std::tuple<double, int, int, int, std::string_view> kGrowingCases[] = {
    // a value that fits with room for its separation: the plain field
    {-1300000.5, 16, 6, 1, " -1300000.500000"}, {12.34, 5, 2, 0, "12.34"}, {-0.5, 4, 2, 0, "-.50"},
    // 16 characters would touch the neighbour; beyond the field the digits are kept whole
    {-13000000.5, 16, 6, 1, " -13000000.500000"}, {123456789.25, 16, 6, 1, " 123456789.250000"},
    {1e9, 16, 6, 1, " 1000000000.000000"}, {-12.34, 5, 2, 0, "-12.34"}, {123.456, 5, 2, 0, "123.46"},
    {-0.996, 4, 2, 0, "-1.00"}, {kInfinity, 3, 2, 1, " Infinity"},
};

TEST(FixedField, GrowingFieldKeepsEveryDigitAndItsSeparation) {
    for (const auto& [value, width, decimals, blanks, expected] : kGrowingCases) {
        std::string field = "|";  // appended to what the line already holds
        fmt::appendFixedGrowing(field, value, width, decimals, blanks);
        EXPECT_EQ(field.substr(1), expected)
            << value << " in F" << width << "." << decimals << " after " << blanks;
    }
}

TEST(FixedField, DefaultsAreF15_7ForSingleAndF25_16ForDoubleAndI12) {
    EXPECT_EQ(fmt::real4(1.5F), "      1.5000000");
    EXPECT_EQ(fmt::real4(-1234567.0F), "***************");
    EXPECT_EQ(fmt::real8(0.1), "       0.1000000000000000");
    EXPECT_EQ(fmt::integerDefault(-5), "          -5");
}

// value, width, minimum digits (-1: a plain Iw field), field
constexpr std::tuple<std::int64_t, int, int, std::string_view> kIntegerCases[] = {
    {-5, 1, -1, "*"}, {kMin64, 20, -1, "-9223372036854775808"}, {kMin64, 19, -1, "*******************"},
    {-7, 4, 3, "-007"}, {-7, 3, 3, "***"}, {1234, 5, 3, " 1234"}, {kMin64, 21, 20, "-09223372036854775808"},
    {0, 3, 0, "   "},  // Iw.0 writes a zero as blanks
    {7, 3, 5, "***"}, {7, 4, kHuge, "****"},  // more digits than columns
};

TEST(IntegerField, RightJustifiesPadsWithZerosAndFillsOverflowWithAsterisks) {
    for (const auto& [value, width, minDigits, expected] : kIntegerCases) {
        EXPECT_EQ(minDigits < 0 ? fmt::integer(value, width) : fmt::integerMin(value, width, minDigits), expected)
            << value << " in I" << width << "." << minDigits;
    }
}

}  // namespace
