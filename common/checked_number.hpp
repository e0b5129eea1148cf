// common/checked_number.hpp: the integer part of a real, only where the integer type can hold it.
// Converting a real outside that range (NaN and infinities included) is undefined behaviour in
// C++, so every real that becomes an integer goes through here.
#pragma once
#include <cmath>
#include <concepts>
#include <limits>
#include <optional>

namespace zx {

// The value truncated towards zero; nullopt when it lies outside Int's range or is not a number.
template <std::signed_integral Int>
std::optional<Int> wholePart(double value) {
    // The lowest value of a two's-complement type is a power of two, exact as a double, and its
    // negation is one above the highest value.
    constexpr double kLowest = static_cast<double>(std::numeric_limits<Int>::min());
    const double whole = std::trunc(value);
    if (!(whole >= kLowest && whole < -kLowest)) return std::nullopt;
    return static_cast<Int>(whole);
}

}  // namespace zx
