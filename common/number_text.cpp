// common/number_text.cpp: the number-to-text family on top of the shared 20-column field.
#include "common/number_text.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/fortran_format.hpp"
#include "common/text_lines.hpp"

namespace zx {
namespace {

constexpr int kFieldWidth = 20;

// Decimals by magnitude: the first row whose bound the magnitude is below decides; beyond the
// last row no decimals. The single-precision table holds float bounds, so AREAL compares exactly
// as a float caller would.
template <typename Real>
struct MagnitudeRow {
    Real below;
    int decimals;
};
constexpr std::array<MagnitudeRow<float>, 6> kRealDecimals{{
    {0.01F, 6}, {0.1F, 5}, {1.0F, 4}, {10.0F, 3}, {100.0F, 2}, {1000.0F, 1},
}};
constexpr std::array<MagnitudeRow<double>, 10> kReal8Decimals{{
    {1.0, 10}, {10.0, 9}, {100.0, 8}, {1e3, 7}, {1e4, 6}, {1e5, 5}, {1e6, 4}, {1e7, 3}, {1e8, 2}, {1e9, 1},
}};

template <typename Real, std::size_t N>
int decimalsByMagnitude(Real value, const std::array<MagnitudeRow<Real>, N>& rows) {
    const Real magnitude = std::fabs(value);
    for (const auto& row : rows) {
        if (magnitude < row.below) return row.decimals;
    }
    return 0;
}

// The field always holds a point (or asterisks, NaN, Infinity), so the cut stops there at most.
std::string withoutTrailingZeros(std::string text) {
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

std::string zeroPadded(std::int64_t value, std::int32_t digits) {
    if (value < 0) return TRIMF(fmt::integer(value, kFieldWidth));
    return TRIMF(fmt::integerMin(value, kFieldWidth, std::clamp(digits, 1, kFieldWidth)));
}

}  // namespace

std::string AINTEGER(std::int32_t value) { return TRIMF(fmt::integer(value, kFieldWidth)); }
std::string AINTEGER8(std::int64_t value) { return TRIMF(fmt::integer(value, kFieldWidth)); }

std::string AINTEGERPREC0(std::int32_t value, std::int32_t digits) { return zeroPadded(value, digits); }
std::string AINTEGER8PREC0(std::int64_t value, std::int32_t digits) { return zeroPadded(value, digits); }

std::string AREAL(float value) {
    const int decimals = decimalsByMagnitude(value, kRealDecimals);
    return TRIMF(withoutTrailingZeros(fmt::fixed(value, kFieldWidth, decimals)));
}

std::string AREAL8(double value) {
    const int decimals = decimalsByMagnitude(value, kReal8Decimals);
    return TRIMF(withoutTrailingZeros(fmt::fixed(value, kFieldWidth, decimals)));
}

std::string AREALD(float value, std::int32_t decimals) { return AREALD8(value, decimals); }
std::string AREALD4(float value, std::int32_t decimals) { return AREALD(value, decimals); }

std::string AREALD8(double value, std::int32_t decimals) {
    return TRIMF(fmt::fixed(value, kFieldWidth, std::max(decimals, 0)));
}

}  // namespace zx
