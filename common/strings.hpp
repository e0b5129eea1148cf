// common/strings.hpp: comparing, case folding and cleaning texts. Arguments are taken as they
// stand (trailing blanks insignificant); results come back without trailing blanks. Case folding
// touches the ASCII letters only; every other byte passes unchanged.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zx {

// What ASAME compares: the text without double quotes, apostrophes, TABs and leading and
// trailing blanks, in upper case. ASAME(a, b) == (asameKey(a) == asameKey(b)), so tables keyed
// by it find names the way ASAME matches them.
std::string asameKey(std::string_view text);
bool ASAME(std::string_view a, std::string_view b);
// ASAME without the case folding.
bool ASAMECS(std::string_view a, std::string_view b);

// Index of the first occurrence of pattern in text at or after from, ignoring ASCII case;
// npos when there is none. An empty pattern occurs at from.
std::size_t findIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from = 0);

std::string UPPERCASE(std::string_view text);
std::string LOWERCASE(std::string_view text);
std::string REMOVEQUOTES(std::string_view text);
std::string REMOVESPACES(std::string_view text);
// Letters and digits kept, any other character replaced by the replacement, or dropped when the
// replacement is NUL; "X" when nothing but blanks is left.
std::string ALPHANUMERICONLY(std::string_view text, char replacement);
// Letters, digits and underscores kept; "X" when nothing is left.
std::string CLEANATTRIBUTENAME(std::string_view text);
std::string DOUBLEQUOTE(std::string_view text);
// The text in double quotes with every double quote inside written twice, appended to a line:
// how a comma-separated line carries a text that holds separators or quotes.
void appendQuoted(std::string& line, std::string_view text);

// The first occurrence of search (ignoring case) replaced; a blank search text occurs at the
// start, so the replacement is put in front.
std::string REPLACE(std::string_view text, std::string_view search, std::string_view replacement);
// Every occurrence replaced, searching on after each inserted replacement; a blank search text
// leaves the text unchanged.
std::string REPLACEALL(std::string_view text, std::string_view search, std::string_view replacement);

// The 1-based position of the first comma-separated field of the header that ASAME-matches the
// name, else defaultValue.
int CSVCOLUMN(std::string_view header, std::string_view name, int defaultValue);

}  // namespace zx
