// common/fortran_format.hpp: fixed-width number fields as the library and the converter write them:
// Fw.d reals, Iw and Iw.m integers, right-justified, asterisks when a value does not fit.
//
// Rounding: a real is rounded to d decimals from its exact binary value, and an exact tie rounds
// away from zero (0.125 in F5.2 gives " 0.13", 2.5 in F4.0 gives "  3."). A result whose digits
// are all zero carries no minus sign (-0.0 and -0.001 in F5.2 both give " 0.00").
// The "0" before the point is written when there is room and dropped when only it does not fit
// (0.5 in F3.2 gives ".50"). NaN and infinities are written as NaN, Infinity and -Infinity,
// right-justified (Inf and -Inf when the long form does not fit).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zx::fmt {

std::string fixed(double value, int width, int decimals);          // Fw.d
std::string integer(std::int64_t value, int width);                 // Iw
std::string integerMin(std::int64_t value, int width, int minDigits);  // Iw.m

// The same fields appended to the caller's text, with no text of their own: for the lines that
// are written once per object.
void appendFixed(std::string& out, double value, int width, int decimals);
// A real in a text field whose readers split values at separators rather than at columns: the
// Fw.d field when the value fits it with at least `leadingBlanks` blanks before it, and otherwise
// that many blanks followed by all the digits the value needs (same decimals), so that a value
// never turns into asterisks or runs into its neighbour.
void appendFixedGrowing(std::string& out, double value, int width, int decimals, int leadingBlanks);
void appendInteger(std::string& out, std::int64_t value, int width);

// The defaults where a value is written without a width.
inline std::string real4(float value) { return fixed(value, 15, 7); }
inline std::string real8(double value) { return fixed(value, 25, 16); }
inline std::string integerDefault(std::int64_t value) { return integer(value, 12); }

// The digits of a real rounded to d decimals, without padding (as fixed() would show them in a
// field wide enough); "" for NaN and infinities.
std::string fixedDigits(double value, int decimals);

}  // namespace zx::fmt
