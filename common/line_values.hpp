// common/line_values.hpp: reading text lines from units, finding keywords in lines and taking
// values out of them: "keyword = value" control lines, comma-separated records, dates and
// integers. Texts come in as they stand; results go out without trailing blanks. Where a routine
// counts a text's declared length (trailing blanks included), the string's size is that length.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zx {

// Reads the next record of the unit into line (cut at lineLength first, as a fixed-length line
// would be), removes its TABs, its leading blanks and any "#" or "!" comment; true when content
// remains. End of file (ERROR 0202) and any other read failure (ERROR 0201) end the run.
bool READLINE(int unit, std::string& line, std::size_t lineLength = std::string::npos);

// Whether the flag occurs in the line ignoring case; a blank flag occurs in every line.
bool FLAGEXISTS(std::string_view line, std::string_view flag);
// As FLAGEXISTS; rest receives the line behind the flag as written, or blank when not found.
bool FLAGEXISTSRET(std::string_view line, std::string_view flag, std::string& rest);
// Whether "Read MI <name>" or "Read GIS <name>" occurs in the line.
bool READGIS(std::string_view line, std::string_view name);
// Whether "Write MI <name>" or "Write GIS <name>" occurs in the line.
bool WRITEGIS(std::string_view line, std::string_view name);
// Whether "Read MID <name>" or "Read RowCol <name>" occurs in the line.
bool READROWCOL(std::string_view line, std::string_view name);
// Splits the line at the separator (or at the column when the separator is blank or absent)
// into command and value; true when the command holds the keyword ("*" matches any command).
bool CHECKLINE(std::string_view line, std::string_view keyword, std::string_view separator, int column,
               std::string& value, std::string& command);

// The field-th comma-separated field read as a real; value 0 and false when it is missing, blank
// or not a number.
bool CSVVALUE(std::string_view line, int field, float& value);

// The value after "keyword =" (searched in the lower-case twin of the line), or else the
// field-th comma-separated field; quotes removed. A keyword without "=" ends the run
// (ERROR 0203), and so does a value that is not a number of the routine's kind.
std::int32_t EXTRACTINTEGER(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                            std::int32_t defaultValue);
float EXTRACTREAL(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                  float defaultValue);
std::string EXTRACTSTRING(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field);
// As EXTRACTSTRING, with everything that follows the value on the line.
std::string EXTRACTSTRINGREM(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field);

// The first word of the text (ended by a blank outside quotes), quotes removed; the text keeps
// what follows it.
std::string NEXTWORD(std::string& text);

// TABs removed from the text in place; the number of delimiter-separated fields, 0 for a blank
// text.
int NUMBEROFSUBSTRINGS(std::string& text, std::string_view delimiter);
// The field-th delimiter-separated field, without leading and trailing blanks.
std::string SUBSTRING(std::string_view text, std::string_view delimiter, int field);
// The number of numbers in a free-format line; negated when a character that belongs to no
// number stops the count, and counted up to a "#" or "!" comment.
int NUMBEROFNUMBERS(std::string_view line);
// The day number of a "YYYYMMDD" date on a 365-day calendar, 1 January 2000 being day 1; -1 when
// the date does not read.
int NUMBEROFDAYS(std::string_view date);

// Whether the text starts with an integer that free-form reading assigns to value.
bool CHECKINT(std::string_view text, std::int32_t& value);
bool CHECKINT4(std::string_view text, std::int32_t& value);
bool CHECKINT8(std::string_view text, std::int64_t& value);

}  // namespace zx
