// tests/common/number_text_test.cpp
#include "common/number_text.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>
#include <utility>

namespace {

constexpr std::string_view kAsterisks = "********************";
constexpr std::int32_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

TEST(IntegerText, HasNoBlanksAndPadsToTheClampedDigitCount) {
    EXPECT_EQ(zx::AINTEGER8(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");  // all 20 columns
    const std::tuple<std::int32_t, std::int32_t, std::string_view> padded[] = {
        {7, 3, "007"}, {1234, 3, "1234"},
        {-7, 3, "-7"},  // negative values are never padded
        {0, 0, "0"},    // below 1: no padding, and a zero still shows
        {5, 21, "00000000000000000005"}, {5, kMaxInt32, "00000000000000000005"},  // above 20: the whole field
    };
    for (const auto& [value, digits, expected] : padded) {
        EXPECT_EQ(zx::AINTEGERPREC0(value, digits), expected) << value << " in " << digits;
        EXPECT_EQ(zx::AINTEGER8PREC0(value, digits), expected) << value << " in " << digits;
    }
}

TEST(RealText, ChoosesDecimalsByMagnitudeAndDropsTrailingZeros) {
    const std::pair<float, std::string_view> singles[] = {
        {0.0F, "0."}, {0.005F, "0.005"}, {123.456F, "123.5"},
        {0.01F, "0.01"},   // the float 0.01 is not below the float bound: 5 decimals
        {9.9999F, "10."},  // 3 decimals by magnitude, rounded up past the bound
        {1234.5F, "1235."},               // an exact tie rounds away from zero
        {1e19F, "9999999980506447872."},  // the float's own digits
        {-1e19F, kAsterisks},             // the sign is the 21st column
    };
    for (const auto& [value, expected] : singles) EXPECT_EQ(zx::AREAL(value), expected);
    const std::pair<double, std::string_view> doubles[] = {
        {1.0 / 3.0, "0.3333333333"}, {999999999.99, "1000000000."}, {-1e18, kAsterisks},
        {-0.00000000004, "0."},  // rounds to zero: no minus sign
    };
    for (const auto& [value, expected] : doubles) EXPECT_EQ(zx::AREAL8(value), expected);
}

TEST(GivenDecimalsText, KeepsTrailingZerosAndFillsOverflowWithAsterisks) {
    const std::tuple<double, std::int32_t, std::string_view> cases[] = {
        {1.0, 2, "1.00"}, {2.5, 0, "3."},
        {2.5, -1, "3."},                    // a negative count writes no decimals
        {0.5, 19, ".5000000000000000000"},  // the leading zero gives way to the 20th column
        {-0.5, 18, "-.500000000000000000"},
        {0.5, 20, kAsterisks}, {1.0, kMaxInt32, kAsterisks}, {1e30, 2, kAsterisks},
    };
    for (const auto& [value, decimals, expected] : cases) {
        EXPECT_EQ(zx::AREALD(static_cast<float>(value), decimals), expected) << value << " with " << decimals;
        EXPECT_EQ(zx::AREALD8(value, decimals), expected) << value << " with " << decimals;
    }
    // The single-precision routines write the float's value, not the decimal the caller typed.
    EXPECT_EQ(zx::AREALD(0.1F, 10), "0.1000000015");
}

}  // namespace
