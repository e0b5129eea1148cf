// common/strings.cpp
#include "common/strings.hpp"

namespace zx {
namespace {
std::string_view significant(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}
}  // namespace

std::string UPPERCASE(std::string_view text) {
    std::string result(significant(text));
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return result;
}

std::string LOWERCASE(std::string_view text) {
    std::string result(significant(text));
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return result;
}

std::string DOUBLEQUOTE(std::string_view text) {
    std::string result;
    for (char c : significant(text)) {
        result.push_back(c);
        if (c == '"') result.push_back('"');
    }
    return result;
}

}  // namespace zx
