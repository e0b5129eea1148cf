// tests/common/fortran_format_test.cpp
#include "common/fortran_format.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

namespace {

namespace fmt = zx::fmt;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kHuge = std::numeric_limits<int>::max();

struct FixedCase {
    double value;
    int width, decimals;
    std::string_view expected;
};

constexpr FixedCase kRoundingCases[] = {
    {0.125, 5, 2, " 0.13"},  // exact binary ties round away from zero
    {-0.125, 5, 2, "-0.13"},
    {2.5, 4, 0, "  3."},
    {-2.5, 4, 0, " -3."},
    {9.995, 5, 2, " 9.99"},  // the double lies just below the tie
    {9.9951, 5, 2, "10.00"},  // the carry reaches a new column and still fits
    {99.996, 5, 2, "*****"},  // ... and here it does not
    {0.996, 4, 2, "1.00"},
    {999.5, 5, 0, "1000."},
    {1e22, 24, 0, "10000000000000000000000."},
    {5e-324, 5, 2, " 0.00"},
};

constexpr FixedCase kZeroCases[] = {
    {0.0, 5, 2, " 0.00"},
    {-0.0, 5, 2, " 0.00"},  // no minus sign on a result of zeros
    {-0.001, 5, 2, " 0.00"},
    {-0.3, 2, 0, "0."},
    {0.0, 1, 0, "*"},  // a lone point is no number
    {-0.7, 3, 0, "-1."},
};

constexpr FixedCase kWidthCases[] = {
    {0.5, 4, 2, "0.50"},
    {0.5, 3, 2, ".50"},  // only the optional zero overflows: it goes
    {-0.5, 4, 2, "-.50"},
    {-0.5, 3, 2, "***"},
    {-0.994, 4, 2, "-.99"},
    {-0.996, 4, 2, "****"},  // rounds to -1.00: no optional zero to drop
    {0.25, 6, 5, ".25000"},  // as many decimals as the field allows
    {0.25, 5, 5, "*****"},
    {-12.34, 6, 2, "-12.34"},
    {-12.34, 5, 2, "*****"},
    {-9.999, 5, 2, "*****"},
    {1e20, 25, 2, " 100000000000000000000.00"},
    {1e20, 21, 0, "*********************"},
    {1e300, 10, 2, "**********"},
    {2.5, 4, -1, "  3."},  // a negative decimal count writes none
    {1.0, 10, kHuge, "**********"},  // the count alone cannot fit
    {1.0, 0, 2, ""},
};

constexpr FixedCase kNotANumberCases[] = {
    {kNaN, 5, 2, "  NaN"},
    {kInfinity, 10, 2, "  Infinity"},
    {-kInfinity, 8, 2, "    -Inf"},
    {kInfinity, 3, 2, "Inf"},
    {-kInfinity, 3, 2, "***"},
};

void expectFixed(const FixedCase& c) {
    SCOPED_TRACE(::testing::Message() << c.value << " in F" << c.width << "." << c.decimals);
    EXPECT_EQ(fmt::fixed(c.value, c.width, c.decimals), c.expected);
}

TEST(FixedField, RoundsFromTheExactBinaryValueWithTiesAwayFromZero) {
    for (const auto& c : kRoundingCases) expectFixed(c);
}

TEST(FixedField, ZeroResultsCarryNoSign) {
    for (const auto& c : kZeroCases) expectFixed(c);
}

TEST(FixedField, DropsTheLeadingZeroBeforeFillingWithAsterisks) {
    for (const auto& c : kWidthCases) expectFixed(c);
}

TEST(FixedField, WritesNaNAndInfinityRightJustified) {
    for (const auto& c : kNotANumberCases) expectFixed(c);
}

TEST(FixedField, DigitsAreTheFieldWithoutPadding) {
    EXPECT_EQ(fmt::fixedDigits(-0.125, 2), "-0.13");
    EXPECT_EQ(fmt::fixedDigits(999.96, 1), "1000.0");
    EXPECT_EQ(fmt::fixedDigits(2.5, -4), "3.");
    EXPECT_EQ(fmt::fixedDigits(kNaN, 2), "");
}

TEST(FixedField, DefaultsAreF15_7ForSingleAndF25_16ForDouble) {
    EXPECT_EQ(fmt::real4(1.5F), "      1.5000000");
    EXPECT_EQ(fmt::real4(-1234567.0F), "***************");
    EXPECT_EQ(fmt::real4(-123456.0F), "-123456.0000000");
    EXPECT_EQ(fmt::real4(1e10F), "***************");
    EXPECT_EQ(fmt::real8(0.1), "       0.1000000000000000");
    EXPECT_EQ(fmt::real8(12345678.0), "12345678.0000000000000000");
    EXPECT_EQ(fmt::real8(123456789.0), "*************************");
    EXPECT_EQ(fmt::integerDefault(-5), "          -5");
    EXPECT_EQ(fmt::integerDefault(std::numeric_limits<std::int64_t>::min()), "************");
}

struct IntegerCase {
    std::int64_t value;
    int width;
    std::string_view expected;
};

struct MinDigitsCase {
    std::int64_t value;
    int width, minDigits;
    std::string_view expected;
};

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

constexpr IntegerCase kIntegerCases[] = {
    {0, 1, "0"},
    {-5, 2, "-5"},
    {-5, 1, "*"},
    {kMin64, 20, "-9223372036854775808"},
    {kMin64, 19, "*******************"},
    {123, 0, ""},
};

constexpr MinDigitsCase kMinDigitsCases[] = {
    {7, 5, 3, "  007"},
    {-7, 5, 3, " -007"},
    {-7, 4, 3, "-007"},
    {-7, 3, 3, "***"},
    {1234, 5, 3, " 1234"},
    {0, 3, 0, "   "},  // Iw.0 writes a zero as blanks
    {0, 3, 1, "  0"},
    {kMin64, 20, 19, "-9223372036854775808"},
    {kMin64, 21, 20, "-09223372036854775808"},
    {7, 3, 5, "***"},  // more digits than columns
    {7, 4, kHuge, "****"},
};

TEST(IntegerField, RightJustifiesAndFillsOverflowWithAsterisks) {
    for (const auto& c : kIntegerCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " in I" << c.width);
        EXPECT_EQ(fmt::integer(c.value, c.width), c.expected);
    }
}

TEST(IntegerField, PadsWithZerosToTheMinimumDigits) {
    for (const auto& c : kMinDigitsCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " in I" << c.width << "." << c.minDigits);
        EXPECT_EQ(fmt::integerMin(c.value, c.width, c.minDigits), c.expected);
    }
}

}  // namespace
