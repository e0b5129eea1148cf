// common/text_lines.hpp: line-level text routines: comment and number tests, TAB removal and
// trimming. Texts come in as they stand (trailing blanks insignificant) and results go out
// without trailing blanks; in-place routines change the caller's string.
//
// Only the blank (code 32) is a blank here; a TAB is an ordinary character unless a routine
// removes it. "#" and "!" each start a comment anywhere in a line.
#pragma once
#include <string>
#include <string_view>

namespace zx {

// The text without its trailing blanks, and without its leading and trailing blanks.
std::string_view significantPart(std::string_view text);
std::string_view trimmedPart(std::string_view text);

// Leading blanks removed and any comment cut, in place; true when the line is blank or is a
// comment line (starts with "#" or "!"), false when content remains.
bool COMMENTLINE(std::string& line);
// Leading blanks removed in place; true when the line is then blank or starts with a digit, "-"
// or "." ("+" does not count).
bool NUMBERLINE(std::string& line);
// Leading blanks removed in place; true when the text is a non-empty run of the digits 0-9.
bool POSITIVEINTEGERNUMBER(std::string& text);
// Every TAB removed in place (leading blanks stay); true when nothing but blanks remains.
bool BLANK(std::string& text);

std::string REMOVETABS(std::string_view text);
std::string TRIMF(std::string_view text);
// The text cut at 256 characters.
std::string SS256(std::string_view text);

}  // namespace zx
