// common/fortran_format.cpp: the fixed-width field writer shared by every module.
#include "common/fortran_format.hpp"

#include <charconv>
#include <cmath>
#include <string>

namespace zx::fmt {
namespace {

std::string asterisks(int width) { return std::string(static_cast<std::size_t>(std::max(width, 0)), '*'); }

std::string rightJustify(const std::string& text, int width) {
    if (width <= 0) return {};
    if (static_cast<int>(text.size()) > width) return asterisks(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// The magnitude rounded to d decimals, as "integerDigits.fraction" with at least one integer
// digit, made in one buffer. Exact decimal digits come from to_chars with 25 guard digits: a
// double that is not an exact tie differs from one within its first 17 significant digits, so the
// guard digits decide every case and an exact tie shows as 5 followed by zeros, which rounds up
// (away from zero).
std::string roundMagnitude(double magnitude, int decimals) {
    constexpr int kGuardDigits = 25;
    constexpr std::size_t kMostIntegerDigits = 310;  // the largest double has 309
    std::string digits(kMostIntegerDigits + 1 + static_cast<std::size_t>(decimals + kGuardDigits), '\0');
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude,
                                      std::chars_format::fixed, decimals + kGuardDigits);
    digits.resize(static_cast<std::size_t>(result.ptr - digits.data()));
    const std::size_t kept = digits.find('.') + 1 + static_cast<std::size_t>(decimals);
    const bool roundUp = digits[kept] >= '5';
    digits.resize(kept);
    if (roundUp) {
        std::size_t i = kept;
        while (i > 0) {
            char& digit = digits[--i];
            if (digit == '.') continue;
            if (digit != '9') {
                ++digit;
                return digits;
            }
            digit = '0';
        }
        digits.insert(digits.begin(), '1');
    }
    return digits;
}

}  // namespace

std::string fixedDigits(double value, int decimals) {
    if (std::isnan(value) || std::isinf(value)) return {};
    if (decimals < 0) decimals = 0;
    std::string text = roundMagnitude(std::fabs(value), decimals);
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (std::signbit(value) && !allZero) text.insert(text.begin(), '-');
    return text;
}

std::string fixed(double value, int width, int decimals) {
    if (width <= 0) return {};
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) return rightJustify("NaN", width);
    if (std::isinf(value)) {
        const std::string sign = value < 0 ? "-" : "";
        std::string text = sign + "Infinity";
        if (static_cast<int>(text.size()) > width) text = sign + "Inf";
        return rightJustify(text, width);
    }
    // Far beyond any field: no need to form its digits. Neither has a field narrower than its
    // decimals and the point (a caller's decimal count may be any integer).
    if (std::fabs(value) >= 1e300 || decimals >= width) return asterisks(width);
    std::string text = fixedDigits(value, decimals);
    if (static_cast<int>(text.size()) > width) {
        // The leading zero of a value below 1 is optional: drop it before giving up.
        const bool negative = text[0] == '-';
        const std::size_t zeroAt = negative ? 1 : 0;
        if (text.compare(zeroAt, 2, "0.") == 0) text.erase(zeroAt, 1);
        // A lone point (F1.0 of a value that rounds to 0) is not a number.
        if (text == "." || text == "-.") return asterisks(width);
    }
    return rightJustify(text, width);
}

std::string fixedGrowing(double value, int width, int decimals, int leadingBlanks) {
    const auto blanks = static_cast<std::size_t>(std::max(leadingBlanks, 0));
    std::string text = fixed(value, width, decimals);
    if (text.find('*') == std::string::npos && text.find_first_not_of(' ') >= blanks) return text;
    std::string digits = fixedDigits(value, decimals);
    if (digits.empty()) digits = std::isnan(value) ? "NaN" : value < 0 ? "-Infinity" : "Infinity";
    return std::string(blanks, ' ') + digits;
}

std::string integer(std::int64_t value, int width) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return rightJustify(std::string(buffer, result.ptr), width);
}

std::string integerMin(std::int64_t value, int width, int minDigits) {
    if (width <= 0) return {};
    // More digits than columns never fit (and a caller's count may be any integer).
    if (minDigits > width) return asterisks(width);
    char buffer[32];
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    std::string digits(buffer, result.ptr);
    // Iw.0 writes a zero value as blanks only.
    if (minDigits == 0 && value == 0) return std::string(static_cast<std::size_t>(width), ' ');
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    return rightJustify((negative ? "-" : "") + digits, width);
}

}  // namespace zx::fmt
