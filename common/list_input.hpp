// common/list_input.hpp: free-form (list-directed) reading of values from one text record.
//
// Values are separated by a comma or by blanks (a comma with blanks around it is one separator,
// TABs count as blanks); leading blanks are skipped. A value that begins with a double quote or
// an apostrophe runs to the matching closing quote, which may be followed only by a separator; a
// doubled quote inside stands for one. Any other value runs up to the next blank, comma or slash.
// An empty value (a comma at the start, or two commas with only blanks between) leaves its target
// unchanged; a slash outside quotes ends the values, leaving every later target unchanged;
// r*c stands for r copies of c and r* for r empty values. Numbers follow the language's syntax:
// 1.5, .5, 5., +2, 1.5e-3, 1.5d0, 1.5+3 (an exponent sign without letter); integers are plain
// digits with an optional sign, and a value outside the target's range fails.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zx::listin {

std::optional<std::int32_t> parseInt32(std::string_view text);
std::optional<std::int64_t> parseInt64(std::string_view text);
std::optional<double> parseReal8(std::string_view text);
std::optional<float> parseReal4(std::string_view text);

// Walks the values of one record.
class ListReader {
public:
    enum class Item {
        Value,        // text holds the value (quotes removed)
        Empty,        // an empty value: its target keeps what it held
        Slash,        // a slash ended the values
        EndOfRecord,  // the record holds no further value
        Malformed,    // an unterminated quote, or a quoted value followed by other characters
    };

    explicit ListReader(std::string_view record) : record_(record) {}

    Item next(std::string& text);
    // Whether the last value was given in quotes.
    bool lastQuoted() const { return lastQuoted_; }

private:
    Item scanValue(std::string& text);
    static bool endsValue(char c);

    std::string_view record_;
    std::size_t pos_ = 0;
    bool afterValue_ = false;     // a value (or an empty value) was read: a comma closes it
    bool finished_ = false;       // slash seen
    int repeatLeft_ = 0;          // copies of a repeated value still to hand out
    bool repeatEmpty_ = false;
    std::string repeatText_;
    bool repeatQuoted_ = false;
    bool lastQuoted_ = false;
};

// One target of readList(): where a value goes, in the target's own type.
using Target = std::variant<std::int32_t*, std::int64_t*, float*, double*, std::string*>;

struct ReadOutcome {
    enum class Status {
        Ok,           // every target had its turn (an empty value or a slash leaves some unchanged)
        EndOfRecord,  // the record ended before every target had a value or an empty value
        Error,        // a value did not read as its target's type, or the record is malformed
    };
    Status status = Status::Ok;
    int assigned = 0;  // targets that received a value
};

// Reads targets in order from the record, as a formatted free-form read does.
ReadOutcome readList(std::string_view record, std::initializer_list<Target> targets);

}  // namespace zx::listin
