// common/list_input.cpp: the free-form record reader shared by the value readers and the dBASE
// record writer, and the number syntax that the .inp reader takes too.
#include "common/list_input.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace zx::listin {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

template <typename Int>
std::optional<Int> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec != std::errc{}) return std::nullopt;
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(std::numeric_limits<Int>::max()) + 1
                                         : static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
    if (magnitude > limit) return std::nullopt;
    if (negative) return static_cast<Int>(0 - magnitude);
    return static_cast<Int>(magnitude);
}

}  // namespace

std::optional<std::int32_t> parseInt32(std::string_view text) { return parseInteger<std::int32_t>(text); }
std::optional<std::int64_t> parseInt64(std::string_view text) { return parseInteger<std::int64_t>(text); }

std::optional<double> parseReal8(std::string_view text) {
    if (text.empty()) return std::nullopt;
    bool negative = false;
    std::string_view body = text;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    const double sign = negative ? -1.0 : 1.0;
    if (equalsNoCase(body, "inf") || equalsNoCase(body, "infinity")) return sign * std::numeric_limits<double>::infinity();
    if (equalsNoCase(body, "nan")) return std::numeric_limits<double>::quiet_NaN();

    // Mantissa: digits with at most one point, at least one digit.
    std::string normal;
    std::size_t i = 0;
    int digits = 0;
    bool point = false;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (isDigit(c)) {
            ++digits;
            normal.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            normal.push_back(c);
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    bool exponentNegative = false;
    if (i < body.size()) {
        // Exponent: a letter E, D or Q with an optional sign, or a sign alone, then digits.
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(body[i])));
        if (c == 'E' || c == 'D' || c == 'Q') ++i;
        else if (c != '+' && c != '-') return std::nullopt;
        std::string exponent;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
            exponentNegative = body[i] == '-';
            exponent.push_back(body[i++]);
        }
        const std::size_t firstDigit = i;
        for (; i < body.size(); ++i) {
            if (!isDigit(body[i])) return std::nullopt;
            exponent.push_back(body[i]);
        }
        if (i == firstDigit) return std::nullopt;
        normal += "e" + exponent;
    }
    double value = 0.0;
    auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ptr != normal.data() + normal.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        if (!exponentNegative) return std::nullopt;  // overflow
        value = 0.0;                                  // underflow reads as zero
    } else if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    return sign * value;
}

std::optional<float> parseReal4(std::string_view text) {
    const auto value = parseReal8(text);
    if (!value) return std::nullopt;
    // Up to half a unit above the largest float still rounds to it ("3.4028235e38", the shortest
    // text of that float, must read back); the midpoint itself rounds to even, which is infinity.
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    if (std::isfinite(*value) && std::fabs(*value) >= kFloatOverflow) return std::nullopt;
    return static_cast<float>(*value);
}

bool ListReader::endsValue(char c) { return isBlank(c) || c == ',' || c == '/'; }

ListReader::Item ListReader::scanValue(std::string& text) {
    text.clear();
    lastQuoted_ = false;
    const char first = record_[pos_];
    if (first == '"' || first == '\'') {
        lastQuoted_ = true;
        ++pos_;
        for (;;) {
            if (pos_ >= record_.size()) return Item::Malformed;
            const char c = record_[pos_];
            if (c == first) {
                if (pos_ + 1 < record_.size() && record_[pos_ + 1] == first) {
                    text.push_back(first);
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            text.push_back(c);
            ++pos_;
        }
        if (pos_ < record_.size() && !endsValue(record_[pos_])) return Item::Malformed;
        return Item::Value;
    }
    const std::size_t start = pos_;
    while (pos_ < record_.size() && !endsValue(record_[pos_])) {
        ++pos_;
        // r*'c': the count stops before its quoted constant, which next() then reads as quoted.
        const bool quoteFollows = pos_ < record_.size() && (record_[pos_] == '"' || record_[pos_] == '\'');
        const std::string_view scanned = record_.substr(start, pos_ - start);
        if (quoteFollows && scanned.size() > 1 && scanned.back() == '*' &&
            scanned.find_first_not_of("0123456789") == scanned.size() - 1) {
            break;
        }
    }
    text.assign(record_.substr(start, pos_ - start));
    return Item::Value;
}

ListReader::Item ListReader::next(std::string& text) {
    if (repeatLeft_ > 0) {
        --repeatLeft_;
        if (repeatEmpty_) return Item::Empty;
        text = repeatText_;
        lastQuoted_ = repeatQuoted_;
        return Item::Value;
    }
    if (finished_) return Item::Slash;

    // A comma closes the value before it; a comma with no value before it is an empty value.
    while (pos_ < record_.size() && isBlank(record_[pos_])) ++pos_;
    if (afterValue_) {
        afterValue_ = false;
        if (pos_ < record_.size() && record_[pos_] == ',') {
            ++pos_;
            while (pos_ < record_.size() && isBlank(record_[pos_])) ++pos_;
        }
    }
    if (pos_ >= record_.size()) return Item::EndOfRecord;
    if (record_[pos_] == ',') {
        afterValue_ = true;  // this comma closes the empty value on the next call
        return Item::Empty;
    }
    if (record_[pos_] == '/') {
        finished_ = true;
        return Item::Slash;
    }

    afterValue_ = true;
    const Item item = scanValue(text);
    if (item != Item::Value || lastQuoted_) return item;

    // r*c and r*: the repeat count is unsigned digits followed by "*".
    const auto star = text.find('*');
    if (star != std::string::npos && star > 0) {
        const auto count = parseInt32(std::string_view(text).substr(0, star));
        const bool digitsOnly = text.find_first_not_of("0123456789") == star;
        if (digitsOnly && count && *count > 0) {
            if (star + 1 == text.size()) {
                // r*: empty values. A quoted constant may follow directly only as r*"...".
                if (pos_ < record_.size() && (record_[pos_] == '"' || record_[pos_] == '\'')) {
                    const Item quoted = scanValue(repeatText_);
                    if (quoted != Item::Value) return quoted;
                    repeatEmpty_ = false;
                    repeatQuoted_ = true;
                    repeatLeft_ = *count - 1;
                    text = repeatText_;
                    lastQuoted_ = true;
                    return Item::Value;
                }
                repeatEmpty_ = true;
                repeatLeft_ = *count - 1;
                return Item::Empty;
            }
            repeatEmpty_ = false;
            repeatQuoted_ = false;
            repeatText_ = text.substr(star + 1);
            repeatLeft_ = *count - 1;
            text = repeatText_;
            return Item::Value;
        }
    }
    return Item::Value;
}

ReadOutcome readList(std::string_view record, std::initializer_list<Target> targets) {
    ReadOutcome outcome;
    ListReader reader(record);
    std::string text;
    for (const Target& target : targets) {
        const auto item = reader.next(text);
        if (item == ListReader::Item::Slash) return outcome;
        if (item == ListReader::Item::Empty) continue;
        if (item == ListReader::Item::EndOfRecord) {
            outcome.status = ReadOutcome::Status::EndOfRecord;
            return outcome;
        }
        if (item == ListReader::Item::Malformed) {
            outcome.status = ReadOutcome::Status::Error;
            return outcome;
        }
        const bool ok = std::visit(
            [&](auto* destination) -> bool {
                using T = std::remove_pointer_t<decltype(destination)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    *destination = text;
                    return true;
                } else {
                    // Numbers are never quoted.
                    if (reader.lastQuoted()) return false;
                    std::optional<T> value;
                    if constexpr (std::is_same_v<T, std::int32_t>) value = parseInt32(text);
                    else if constexpr (std::is_same_v<T, std::int64_t>) value = parseInt64(text);
                    else if constexpr (std::is_same_v<T, float>) value = parseReal4(text);
                    else value = parseReal8(text);
                    if (!value) return false;
                    *destination = *value;
                    return true;
                }
            },
            target);
        if (!ok) {
            outcome.status = ReadOutcome::Status::Error;
            return outcome;
        }
        ++outcome.assigned;
    }
    return outcome;
}

}  // namespace zx::listin
