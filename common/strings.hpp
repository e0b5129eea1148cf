// common/strings.hpp: comparing, case folding and cleaning texts. Arguments are taken as they
// stand (trailing blanks insignificant); results come back without trailing blanks.
#pragma once
#include <string>
#include <string_view>

namespace zx {

std::string UPPERCASE(std::string_view text);
std::string LOWERCASE(std::string_view text);
std::string DOUBLEQUOTE(std::string_view text);

}  // namespace zx
