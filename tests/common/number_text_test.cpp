// tests/common/number_text_test.cpp
#include "common/number_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

extern "C" {
void AINTEGER(char* result, std::size_t resultLength, const std::int32_t* value);
void AINTEGER8PREC0(char* result, std::size_t resultLength, const std::int64_t* value, const std::int32_t* digits);
void AREAL(char* result, std::size_t resultLength, const float* value);
void AREALD(char* result, std::size_t resultLength, const float* value, const std::int32_t* decimals);
}

namespace {

constexpr std::string_view kAsterisks = "********************";

struct IntegerCase {
    std::int64_t value;
    std::string_view expected;
};
constexpr IntegerCase kIntegerCases[] = {
    {0, "0"},
    {-15, "-15"},
    {std::numeric_limits<std::int32_t>::max(), "2147483647"},
    {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
};
constexpr IntegerCase kInteger8Cases[] = {
    {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
    {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},  // all 20 columns
    {-1, "-1"},
};

TEST(IntegerText, HasNoBlanksAndFitsEveryValue) {
    for (const auto& c : kIntegerCases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(zx::AINTEGER(static_cast<std::int32_t>(c.value)), c.expected);
        EXPECT_EQ(zx::AINTEGER8(c.value), c.expected);
    }
    for (const auto& c : kInteger8Cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(zx::AINTEGER8(c.value), c.expected);
    }
}

struct PaddedCase {
    std::int64_t value;
    std::int32_t digits;
    std::string_view expected;
};
constexpr PaddedCase kPaddedCases[] = {
    {7, 3, "007"},
    {1234, 3, "1234"},
    {0, 2, "00"},
    {-7, 3, "-7"},  // negative values are never padded
    {5, 0, "5"},    // below 1: no padding, and a zero still shows
    {0, 0, "0"},
    {5, 20, "00000000000000000005"},
    {5, 21, "00000000000000000005"},  // above 20: the whole field, no further
    {5, std::numeric_limits<std::int32_t>::max(), "00000000000000000005"},
};

TEST(ZeroPaddedText, PadsToTheDigitCountWithinTheField) {
    for (const auto& c : kPaddedCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " in " << c.digits);
        EXPECT_EQ(zx::AINTEGERPREC0(static_cast<std::int32_t>(c.value), c.digits), c.expected);
        EXPECT_EQ(zx::AINTEGER8PREC0(c.value, c.digits), c.expected);
    }
    EXPECT_EQ(zx::AINTEGER8PREC0(std::numeric_limits<std::int64_t>::max(), 20), "09223372036854775807");
}

struct RealCase {
    float value;
    std::string_view expected;
};
const RealCase kRealCases[] = {
    {0.0F, "0."},
    {0.005F, "0.005"},
    {0.01F, "0.01"},  // the float 0.01 is not below the float bound: 5 decimals
    {0.1F, "0.1"},
    {9.9999F, "10."},  // 3 decimals by magnitude, rounded up past the bound
    {-12.5F, "-12.5"},
    {123.456F, "123.5"},
    {999.96F, "1000."},
    {1234.5F, "1235."},  // an exact tie rounds away from zero
    {1e18F, "999999984306749440."},  // the float's own digits
    {1e19F, "9999999980506447872."},
    {-1e19F, kAsterisks},  // the sign is the 21st column
};

TEST(RealText, ChoosesDecimalsByMagnitudeAndDropsTrailingZeros) {
    for (const auto& c : kRealCases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(zx::AREAL(c.value), c.expected);
    }
}

struct Real8Case {
    double value;
    std::string_view expected;
};
const Real8Case kReal8Cases[] = {
    {0.1, "0.1"},
    {1.0 / 3.0, "0.3333333333"},
    {-0.00000000004, "0."},  // rounds to zero: no minus sign
    {123456.5, "123456.5"},
    {999999999.99, "1000000000."},
    {1e18, "1000000000000000000."},
    {-1e18, kAsterisks},  // the sign is the 21st column
};

TEST(RealText, DoublePrecisionKeepsUpToTenDecimals) {
    for (const auto& c : kReal8Cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(zx::AREAL8(c.value), c.expected);
    }
}

struct DecimalsCase {
    double value;
    std::int32_t decimals;
    std::string_view expected;
};
const DecimalsCase kDecimalsCases[] = {
    {1.0, 0, "1."},
    {1.0, 2, "1.00"},
    {2.5, 3, "2.500"},
    {2.5, 0, "3."},
    {2.5, -1, "3."},  // a negative count writes no decimals
    {0.5, 19, ".5000000000000000000"},  // the leading zero gives way to the 20th column
    {-0.5, 18, "-.500000000000000000"},
    {0.5, 20, kAsterisks},
    {1.0, std::numeric_limits<std::int32_t>::max(), kAsterisks},
    {1e30, 2, kAsterisks},
};

TEST(GivenDecimalsText, KeepsTrailingZerosAndFillsOverflowWithAsterisks) {
    for (const auto& c : kDecimalsCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " with " << c.decimals);
        const auto single = static_cast<float>(c.value);
        EXPECT_EQ(zx::AREALD(single, c.decimals), c.expected);
        EXPECT_EQ(zx::AREALD4(single, c.decimals), c.expected);
        EXPECT_EQ(zx::AREALD8(c.value, c.decimals), c.expected);
    }
    // The single-precision routines write the float's value, not the decimal the caller typed.
    EXPECT_EQ(zx::AREALD(0.1F, 10), "0.1000000015");
    EXPECT_EQ(zx::AREALD8(1e18, 0), "1000000000000000000.");
    EXPECT_EQ(zx::AREALD8(1e19, 0), kAsterisks);
}

std::string padded(std::string_view text, std::size_t length) {
    std::string result(text.substr(0, length));
    result.resize(length, ' ');
    return result;
}

TEST(NumberTextExports, FillTheCallersTextBlankPaddedOrCut) {
    char result[24];
    const std::int32_t minus15 = -15;
    AINTEGER(result, sizeof result, &minus15);
    EXPECT_EQ(std::string(result, sizeof result), padded("-15", sizeof result));

    const std::int64_t seven = 7;
    const std::int32_t three = 3;
    AINTEGER8PREC0(result, sizeof result, &seven, &three);
    EXPECT_EQ(std::string(result, sizeof result), padded("007", sizeof result));

    const float quarter = 0.25F;
    std::fill(std::begin(result), std::end(result), 'x');
    AREAL(result, 3, &quarter);
    EXPECT_EQ(std::string(result, 3), "0.2");
    EXPECT_EQ(result[3], 'x');  // nothing written past the declared length

    const float half = 0.5F;
    const std::int32_t minusTwo = -2;
    AREALD(result, 20, &half, &minusTwo);
    EXPECT_EQ(std::string(result, 20), padded("1.", 20));
}

}  // namespace
