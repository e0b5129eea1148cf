// common/strings.cpp: the loose text equality on which every keyword and name lookup rests, and
// the case folders and cleaners.
#include "common/strings.hpp"

#include <algorithm>

#include "common/text_lines.hpp"

namespace zx {
namespace {

constexpr auto npos = std::string_view::npos;

bool isQuote(char c) { return c == '"' || c == '\''; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlphanumeric(char c) { return isLetter(c) || isDigit(c); }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Quotes and TABs out, then leading and trailing blanks: inner blanks stay and count.
std::string reduced(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (!isQuote(c) && c != '\t') result.push_back(c);
    }
    return std::string(trimmedPart(result));
}

// The text's significant characters that keep() accepts, in order, without trailing blanks.
template <typename Keep>
std::string kept(std::string_view text, Keep keep) {
    std::string result;
    for (char c : significantPart(text)) {
        if (keep(c)) result.push_back(c);
    }
    result.resize(significantPart(result).size());
    return result;
}

}  // namespace

std::string asameKey(std::string_view text) { return UPPERCASE(reduced(text)); }

bool ASAME(std::string_view a, std::string_view b) { return asameKey(a) == asameKey(b); }

bool ASAMECS(std::string_view a, std::string_view b) { return reduced(a) == reduced(b); }

std::size_t findIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from) {
    if (from > text.size()) return npos;
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), pattern.begin(),
                                   pattern.end(), [](char a, char b) { return upper(a) == upper(b); });
    if (found == text.end() && !pattern.empty()) return npos;
    return static_cast<std::size_t>(found - text.begin());
}

std::string UPPERCASE(std::string_view text) {
    std::string result(significantPart(text));
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

std::string LOWERCASE(std::string_view text) {
    std::string result(significantPart(text));
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

std::string REMOVEQUOTES(std::string_view text) {
    return kept(text, [](char c) { return !isQuote(c); });
}

std::string REMOVESPACES(std::string_view text) {
    return kept(text, [](char c) { return c != ' '; });
}

std::string ALPHANUMERICONLY(std::string_view text, char replacement) {
    std::string result;
    for (char c : significantPart(text)) {
        if (isAlphanumeric(c)) {
            result.push_back(c);
        } else if (replacement != '\0') {
            result.push_back(replacement);
        }
    }
    result.resize(significantPart(result).size());
    return result.empty() ? "X" : result;
}

std::string CLEANATTRIBUTENAME(std::string_view text) {
    std::string result = kept(text, [](char c) { return isAlphanumeric(c) || c == '_'; });
    return result.empty() ? "X" : result;
}

void appendQuoted(std::string& line, std::string_view text) {
    line += '"';
    for (const char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

std::string DOUBLEQUOTE(std::string_view text) {
    std::string result;
    for (char c : significantPart(text)) {
        result.push_back(c);
        if (c == '"') result.push_back('"');
    }
    return result;
}

std::string REPLACE(std::string_view text, std::string_view search, std::string_view replacement) {
    const auto pattern = significantPart(search);
    const auto position = findIgnoringCase(significantPart(text), pattern);
    if (position == npos) return std::string(significantPart(text));
    std::string result(text.substr(0, position));
    result += significantPart(replacement);
    result += text.substr(position + pattern.size());
    result.resize(significantPart(result).size());
    return result;
}

std::string REPLACEALL(std::string_view text, std::string_view search, std::string_view replacement) {
    std::string result(significantPart(text));
    const auto pattern = significantPart(search);
    // A blank search text would be found again at every step; it replaces nothing.
    if (pattern.empty()) return result;
    const auto insert = significantPart(replacement);
    // The search goes on behind each inserted text, so a replacement that holds the search text
    // is not replaced again and the loop always ends.
    for (auto position = findIgnoringCase(result, pattern); position != npos;
         position = findIgnoringCase(result, pattern, position + insert.size())) {
        result.replace(position, pattern.size(), insert);
    }
    result.resize(significantPart(result).size());
    return result;
}

int CSVCOLUMN(std::string_view header, std::string_view name, int defaultValue) {
    const std::string key = asameKey(name);
    // Without TABs and trailing blanks, so every rest of the line is empty or ends in a field.
    const std::string line = REMOVETABS(header);
    std::string_view rest = line;
    for (int field = 1; !rest.empty(); ++field) {
        const auto comma = rest.find(',');
        if (asameKey(rest.substr(0, comma)) == key) return field;
        if (comma == npos) break;
        rest.remove_prefix(comma + 1);
    }
    return defaultValue;
}

}  // namespace zx
