// common/text_lines.hpp: line-level text routines: comment and number tests, TAB removal and
// trimming. Texts come in as they stand (trailing blanks insignificant) and results go out
// without trailing blanks; in-place routines change the caller's string.
#pragma once
#include <string>
#include <string_view>

namespace zx {

std::string TRIMF(std::string_view text);

}  // namespace zx
