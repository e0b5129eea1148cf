// common/line_values.cpp: the line reader and the keyword and value routines that programs
// loading the library use on their control files and comma-separated records.
#include "common/line_values.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/list_input.hpp"
#include "common/messages.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

constexpr auto npos = std::string_view::npos;

// Days before each month of a year without 29 February.
constexpr std::array<int, 12> kDaysBeforeMonth{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
// 365 days for each year up to 2000, so that 1 January 2000 is day 1.
constexpr int kDayNumberOrigin = 365 * 2000;

bool isQuote(char c) { return c == '"' || c == '\''; }

// Index of the first delimiter outside quotes at or after from; npos when there is none. A quote
// character opens a quoted stretch; inside it two equal quote characters in a row stand for one,
// and any other quote character, of either kind, closes the stretch.
std::size_t findOutsideQuotes(std::string_view text, char delimiter, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (!quoted) {
            if (c == delimiter) return i;
            quoted = isQuote(c);
        } else if (isQuote(c)) {
            const bool doubled = i + 1 < text.size() && text[i + 1] == c;
            if (doubled) ++i;
            quoted = doubled;
        }
    }
    return npos;
}

[[noreturn]] void readFailure(std::string_view message, int unit) {
    issueMessage(1, std::string(message) + fmt::integer(unit, 5));
    EXITS();
}

bool eitherFlag(std::string_view line, std::string_view firstPrefix, std::string_view secondPrefix,
                std::string_view name) {
    const auto nameText = significantPart(name);
    return FLAGEXISTS(line, std::string(firstPrefix) + std::string(nameText)) ||
           FLAGEXISTS(line, std::string(secondPrefix) + std::string(nameText));
}

enum class ValueSpan { ToComma, ToLineEnd };

// The value of the EXTRACT routines, quotes and surrounding blanks removed; empty when absent.
std::string extractedValue(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                           ValueSpan span) {
    const std::string key = LOWERCASE(keyword);
    const auto position = lowerLine.find(key);
    std::string_view value;
    if (position != npos) {
        std::string_view work = significantPart(line.substr(std::min(position + key.size(), line.size())));
        const auto equals = work.find('=');
        if (equals == npos) {
            issueMessage(
                1, "ERROR 0203 - No \"=\" sign found after keyword \"" + std::string(significantPart(keyword)) + "\".");
            EXITS();
        }
        work.remove_prefix(equals + 1);
        value = span == ValueSpan::ToComma ? work.substr(0, findOutsideQuotes(work, ',', 0)) : work;
    } else {
        if (field < 1) return {};
        const std::string_view work = significantPart(line);
        std::size_t start = 0;
        for (int i = 1; i < field; ++i) {
            const auto comma = findOutsideQuotes(work, ',', start);
            if (comma == npos) return {};
            start = comma + 1;
        }
        const auto end = findOutsideQuotes(work, ',', start);
        value = work.substr(start, end == npos ? npos : end - start);
        if (trimmedPart(value).empty()) return {};
        if (span == ValueSpan::ToLineEnd) value = work.substr(start);
    }
    return TRIMF(REMOVEQUOTES(value));
}

// Reads one number of the target's kind from the value; a value that is not one ends the run.
template <typename Number>
Number extractedNumber(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                       Number defaultValue, std::string_view kindName) {
    const std::string value = extractedValue(line, lowerLine, keyword, field, ValueSpan::ToComma);
    // A value that assigns nothing ("/", "3*") leaves the default standing.
    Number result = defaultValue;
    if (value.empty()) return result;
    if (listin::readList(value, {&result}).status != listin::ReadOutcome::Status::Ok) {
        platform::console().writeLine(" Could not convert \"" + value + "\" in column" + fmt::integer(field, 3) +
                                      " to " + std::string(kindName) + " value for the " +
                                      std::string(significantPart(keyword)) + " field.");
        EXITS();
    }
    return result;
}

// Columns first to first + width - 1 of a date read as an integer; blank columns read as 0.
std::optional<int> dateField(std::string_view date, std::size_t first, std::size_t width) {
    const auto digits = first < date.size() ? trimmedPart(date.substr(first, width)) : std::string_view{};
    if (digits.empty()) return 0;
    return listin::parseInt32(digits);
}

template <typename Int>
bool checkInteger(std::string_view text, Int& value) {
    const auto outcome = listin::readList(text, {&value});
    return outcome.status == listin::ReadOutcome::Status::Ok && outcome.assigned == 1;
}

}  // namespace

bool READLINE(int unit, std::string& line, std::size_t lineLength) {
    std::string record;
    switch (readUnitRecord(unit, record)) {
        case RecordStatus::Ok:
            break;
        case RecordStatus::EndOfFile:
            readFailure("ERROR 0202 - End-of-file encountered reading text line from file unit number", unit);
        case RecordStatus::Error:
            readFailure("ERROR 0201 - Reading text line from file unit number", unit);
    }
    line = REMOVETABS(std::string_view(record).substr(0, lineLength));
    return !COMMENTLINE(line);
}

bool FLAGEXISTS(std::string_view line, std::string_view flag) {
    return findIgnoringCase(significantPart(line), significantPart(flag)) != npos;
}

bool FLAGEXISTSRET(std::string_view line, std::string_view flag, std::string& rest) {
    const auto flagText = significantPart(flag);
    const auto position = findIgnoringCase(significantPart(line), flagText);
    rest = position == npos ? std::string_view{} : significantPart(line.substr(position + flagText.size()));
    return position != npos;
}

bool READGIS(std::string_view line, std::string_view name) { return eitherFlag(line, "Read MI ", "Read GIS ", name); }

bool WRITEGIS(std::string_view line, std::string_view name) {
    return eitherFlag(line, "Write MI ", "Write GIS ", name);
}

bool READROWCOL(std::string_view line, std::string_view name) {
    return eitherFlag(line, "Read MID ", "Read RowCol ", name);
}

bool CHECKLINE(std::string_view line, std::string_view keyword, std::string_view separator, int column,
               std::string& value, std::string& command) {
    // A column outside the line would cut outside it: below 0 counts as 0, beyond the end as the
    // end, for the cut and for the test of an empty command alike.
    const std::size_t cut = column <= 0 ? 0 : std::min(static_cast<std::size_t>(column), line.size());
    const bool columnZero = cut == 0;
    const bool separatorGiven = !significantPart(separator).empty();
    const auto position = separatorGiven ? line.find(separator) : npos;
    const bool separatorFound = position != npos;
    if (separatorFound) {
        value = significantPart(line.substr(position + separator.size()));
        command = significantPart(line.substr(0, position));
    } else if (separatorGiven && columnZero) {
        value.clear();
        command = significantPart(line);
    } else {
        value = significantPart(line.substr(cut));
        command = significantPart(line.substr(0, cut));
    }
    const auto key = significantPart(keyword);
    const bool holdsKeyword = key == "*" || findIgnoringCase(command, key) != npos;
    return holdsKeyword && (!command.empty() || (columnZero && !separatorFound));
}

bool CSVVALUE(std::string_view line, int field, float& value) {
    value = 0.0f;
    std::string_view rest = line;
    for (int i = 1; i < field; ++i) {
        const auto comma = rest.find(',');
        if (comma == npos) return false;
        rest.remove_prefix(comma + 1);
    }
    const auto text = trimmedPart(rest.substr(0, rest.find(',')));
    if (text.empty()) return false;
    const auto read = listin::parseReal4(text);
    if (read) value = *read;
    return read.has_value();
}

std::int32_t EXTRACTINTEGER(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                            std::int32_t defaultValue) {
    return extractedNumber(line, lowerLine, keyword, field, defaultValue, "an integer");
}

float EXTRACTREAL(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field,
                  float defaultValue) {
    return extractedNumber(line, lowerLine, keyword, field, defaultValue, "a real");
}

std::string EXTRACTSTRING(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field) {
    return extractedValue(line, lowerLine, keyword, field, ValueSpan::ToComma);
}

std::string EXTRACTSTRINGREM(std::string_view line, std::string_view lowerLine, std::string_view keyword, int field) {
    return extractedValue(line, lowerLine, keyword, field, ValueSpan::ToLineEnd);
}

std::string NEXTWORD(std::string& text) {
    const std::string_view line = significantPart(text);
    const auto end = findOutsideQuotes(line, ' ', 0);
    std::string word = TRIMF(REMOVEQUOTES(line.substr(0, end)));
    text = end == npos ? std::string{} : TRIMF(line.substr(end + 1));
    return word;
}

int NUMBEROFSUBSTRINGS(std::string& text, std::string_view delimiter) {
    const std::size_t declaredLength = text.size();
    text = REMOVETABS(text);
    if (text.empty()) return 0;
    // The search runs over the declared length, so a blank delimiter also finds the blanks that
    // the removed TABs and the padding leave at the end.
    std::string padded = text;
    padded.resize(declaredLength, ' ');
    int count = 1;
    if (delimiter.empty()) return count;
    for (auto position = padded.find(delimiter); position != npos; position = padded.find(delimiter, position + 1)) {
        ++count;
    }
    return count;
}

std::string SUBSTRING(std::string_view text, std::string_view delimiter, int field) {
    if (field < 1 || (delimiter.empty() && field > 1)) return {};
    std::size_t start = 0;
    for (int i = 1; i < field; ++i) {
        const auto position = text.find(delimiter, start);
        if (position == npos) return {};
        start = position + delimiter.size();
    }
    const auto end = delimiter.empty() ? npos : text.find(delimiter, start);
    return TRIMF(text.substr(start, end == npos ? npos : end - start));
}

int NUMBEROFNUMBERS(std::string_view line) {
    int count = 0;
    bool inNumber = false;
    bool afterSeparator = false;
    for (char c : significantPart(line)) {
        if ((c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '-' || c == '.') {
            if (!inNumber) {
                ++count;
                inNumber = true;
                afterSeparator = false;
            }
        } else if (c == '!' || c == '#') {
            return count;
        } else if (c == ' ' || c == '\t') {
            inNumber = false;
        } else if (c == ',') {
            // Two commas with nothing between them hold an empty number, which counts.
            if (!inNumber && afterSeparator) ++count;
            inNumber = false;
            afterSeparator = true;
        } else {
            return -count;
        }
    }
    return count;
}

int NUMBEROFDAYS(std::string_view date) {
    const auto year = dateField(date, 0, 4);
    const auto month = dateField(date, 4, 2);
    const auto day = dateField(date, 6, 2);
    // A month outside 1-12 has no days before it to count.
    if (!year || !month || !day || *month < 1 || *month > 12) return -1;
    const int dayOfMonth = *month == 2 ? std::min(*day, 28) : *day;
    return 365 * *year + kDaysBeforeMonth[static_cast<std::size_t>(*month - 1)] + dayOfMonth - kDayNumberOrigin;
}

bool CHECKINT(std::string_view text, std::int32_t& value) { return checkInteger(text, value); }
bool CHECKINT4(std::string_view text, std::int32_t& value) { return checkInteger(text, value); }
bool CHECKINT8(std::string_view text, std::int64_t& value) { return checkInteger(text, value); }

}  // namespace zx
