// common/fortran_format.cpp: the fixed-width field writer shared by every module. Fields are
// composed in a stack buffer and appended to the caller's text: writing a value costs no
// allocation of its own.
#include "common/fortran_format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace zx::fmt {
namespace {

constexpr std::size_t kMostIntegerDigits = 309;  // the largest double has 309
// Decimal counts up to this are composed on the stack; larger ones (a caller's count may be any
// integer) in a buffer of their own.
constexpr int kStackDecimals = 64;

void appendAsterisks(std::string& out, int width) { out.append(static_cast<std::size_t>(std::max(width, 0)), '*'); }

void appendRightJustified(std::string& out, std::string_view text, int width) {
    if (width <= 0) return;
    if (static_cast<int>(text.size()) > width) {
        appendAsterisks(out, width);
        return;
    }
    out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    out.append(text);
}

// Whether the magnitude lies exactly halfway between two values of d decimals. Such a value is
// q / 2^(d+1) with q odd (the 5^d of the decimal scale cannot divide a binary fraction), so the
// test is exact: scaling by a power of two loses nothing.
bool isExactTie(double magnitude, int decimals) {
    const double scaled = std::ldexp(magnitude, decimals + 1);
    return std::isfinite(scaled) && scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

// The magnitude rounded to d decimals as "integerDigits.fraction" (the point always written),
// composed from buffer + 1 on so that a carry can put a new first digit before it; the text's
// first character and length. to_chars rounds the exact binary value to nearest, and an exact
// tie, which it would take to the even neighbour, is written with one more decimal and rounded
// up here (away from zero).
struct Digits {
    char* data;
    std::size_t size;
};
Digits roundMagnitude(double magnitude, int decimals, char* buffer, std::size_t size) {
    const bool tie = isExactTie(magnitude, decimals);
    char* const first = buffer + 1;
    const auto result =
        std::to_chars(first, buffer + size, magnitude, std::chars_format::fixed, decimals + (tie ? 1 : 0));
    char* end = result.ptr;
    if (decimals == 0 && !tie) *end++ = '.';
    if (!tie) return {first, static_cast<std::size_t>(end - first)};
    --end;  // the 5 of the tie
    for (char* digit = end; digit != first;) {
        --digit;
        if (*digit == '.') continue;
        if (*digit != '9') {
            ++*digit;
            return {first, static_cast<std::size_t>(end - first)};
        }
        *digit = '0';
    }
    *buffer = '1';
    return {buffer, static_cast<std::size_t>(end - buffer)};
}

// Calls use(text) with the value's digits rounded to d decimals and its sign, no padding; an
// empty text for NaN and infinities.
template <typename Use>
void withFixedDigits(double value, int decimals, Use use) {
    if (std::isnan(value) || std::isinf(value)) {
        use(std::string_view{});
        return;
    }
    if (decimals < 0) decimals = 0;
    const std::size_t size = kMostIntegerDigits + 4 + static_cast<std::size_t>(decimals);
    char stack[kMostIntegerDigits + 4 + kStackDecimals];
    std::vector<char> heap;
    char* buffer = stack;
    if (decimals > kStackDecimals) {
        heap.resize(size);
        buffer = heap.data();
    }
    // One place before the digits for the sign, one more for a carry's new digit.
    Digits digits = roundMagnitude(std::fabs(value), decimals, buffer + 1, size - 1);
    const bool allZero = std::string_view(digits.data, digits.size).find_first_not_of("0.") == std::string_view::npos;
    if (std::signbit(value) && !allZero) {
        --digits.data;
        *digits.data = '-';
        ++digits.size;
    }
    use(std::string_view(digits.data, digits.size));
}

}  // namespace

std::string fixedDigits(double value, int decimals) {
    std::string text;
    withFixedDigits(value, decimals, [&](std::string_view digits) { text = digits; });
    return text;
}

void appendFixed(std::string& out, double value, int width, int decimals) {
    if (width <= 0) return;
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) {
        appendRightJustified(out, "NaN", width);
        return;
    }
    if (std::isinf(value)) {
        const bool fits = width >= (value < 0 ? 9 : 8);
        appendRightJustified(out, value < 0 ? (fits ? "-Infinity" : "-Inf") : (fits ? "Infinity" : "Inf"), width);
        return;
    }
    // Far beyond any field: no need to form its digits. Neither has a field narrower than its
    // decimals and the point.
    if (std::fabs(value) >= 1e300 || decimals >= width) {
        appendAsterisks(out, width);
        return;
    }
    withFixedDigits(value, decimals, [&](std::string_view text) {
        if (static_cast<int>(text.size()) > width) {
            // The leading zero of a value below 1 is optional: drop it before giving up.
            const bool negative = text[0] == '-';
            if (text.substr(negative ? 1 : 0, 2) == "0.") {
                if (text.size() - 1 == 1) {  // a lone point (F1.0 of a value that rounds to 0)
                    appendAsterisks(out, width);
                    return;
                }
                if (static_cast<int>(text.size()) - 1 > width) {
                    appendAsterisks(out, width);
                    return;
                }
                out.append(static_cast<std::size_t>(width) - (text.size() - 1), ' ');
                if (negative) out += '-';
                out.append(text.substr(negative ? 2 : 1));
                return;
            }
        }
        appendRightJustified(out, text, width);
    });
}

void appendFixedGrowing(std::string& out, double value, int width, int decimals, int leadingBlanks) {
    const auto blanks = static_cast<std::size_t>(std::max(leadingBlanks, 0));
    const std::size_t start = out.size();
    appendFixed(out, value, width, decimals);
    const std::string_view field = std::string_view(out).substr(start);
    if (field.find('*') == std::string_view::npos && field.find_first_not_of(' ') >= blanks) return;
    out.resize(start);
    out.append(blanks, ' ');
    if (std::isnan(value) || std::isinf(value)) {
        out += std::isnan(value) ? "NaN" : value < 0 ? "-Infinity" : "Infinity";
        return;
    }
    withFixedDigits(value, decimals, [&](std::string_view digits) { out += digits; });
}

void appendInteger(std::string& out, std::int64_t value, int width) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    appendRightJustified(out, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)), width);
}

std::string fixed(double value, int width, int decimals) {
    std::string text;
    appendFixed(text, value, width, decimals);
    return text;
}

std::string integer(std::int64_t value, int width) {
    std::string text;
    appendInteger(text, value, width);
    return text;
}

std::string integerMin(std::int64_t value, int width, int minDigits) {
    if (width <= 0) return {};
    // More digits than columns never fit (and a caller's count may be any integer).
    if (minDigits > width) return std::string(static_cast<std::size_t>(width), '*');
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
    std::string text;
    appendRightJustified(text, (negative ? "-" : "") + digits, width);
    return text;
}

}  // namespace zx::fmt
