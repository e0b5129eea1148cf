// common/text_lines.cpp: the line tests and cleaners that the line reader, the GIS layer opener
// and the .inp section readers apply to every line they take in.
#include "common/text_lines.hpp"

#include <algorithm>

namespace zx {
namespace {

constexpr std::size_t kSs256Length = 256;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view significantPart(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view trimmedPart(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return significantPart(text.substr(first));
}

bool COMMENTLINE(std::string& line) {
    line = trimmedPart(line);
    const bool commentLine = line.empty() || line.front() == '#' || line.front() == '!';
    // The earlier of the first "#" and the first "!" starts the comment.
    const auto comment = line.find_first_of("#!");
    if (comment != std::string::npos) line = significantPart(std::string_view(line).substr(0, comment));
    return commentLine;
}

bool NUMBERLINE(std::string& line) {
    line = trimmedPart(line);
    return line.empty() || isDigit(line.front()) || line.front() == '-' || line.front() == '.';
}

bool POSITIVEINTEGERNUMBER(std::string& text) {
    text = trimmedPart(text);
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

bool BLANK(std::string& text) {
    // In place: every .inp line passes through here.
    std::erase(text, '\t');
    text.resize(significantPart(text).size());
    return text.empty();
}

std::string REMOVETABS(std::string_view text) {
    std::string result;
    for (char c : significantPart(text)) {
        if (c != '\t') result.push_back(c);
    }
    result.resize(significantPart(result).size());
    return result;
}

std::string TRIMF(std::string_view text) { return std::string(trimmedPart(text)); }

std::string SS256(std::string_view text) { return std::string(significantPart(text.substr(0, kSs256Length))); }

}  // namespace zx
