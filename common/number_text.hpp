// common/number_text.hpp: integers and reals as short texts for messages, names and attribute
// values. Each number is written right-justified in a 20-column field (20 asterisks when it does
// not fit) and comes back without the field's leading blanks.
#pragma once
#include <cstdint>
#include <string>

namespace zx {

std::string AINTEGER(std::int32_t value);
std::string AINTEGER8(std::int64_t value);

// Zero-padded to `digits` digits unless negative. A digit count outside 1..20 counts as the
// nearer end, so the padding never leaves the field.
std::string AINTEGERPREC0(std::int32_t value, std::int32_t digits);
std::string AINTEGER8PREC0(std::int64_t value, std::int32_t digits);

// Decimals chosen by the magnitude, then trailing zeros removed; the point stays (3.0 gives "3.").
std::string AREAL(float value);
std::string AREAL8(double value);

// A given number of decimals, trailing zeros kept; a negative count writes none.
std::string AREALD(float value, std::int32_t decimals);
std::string AREALD4(float value, std::int32_t decimals);
std::string AREALD8(double value, std::int32_t decimals);

}  // namespace zx
