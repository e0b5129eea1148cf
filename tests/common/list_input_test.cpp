// tests/common/list_input_test.cpp
#include "common/list_input.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace {

using zx::listin::ListReader;
using zx::listin::readList;
using Status = zx::listin::ReadOutcome::Status;

constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto kInfinity = std::numeric_limits<double>::infinity();

TEST(IntegerValue, ReadsSignedDigitsAndFailsOutsideTheTargetRange) {
    const std::tuple<std::string_view, std::optional<std::int32_t>, std::optional<std::int64_t>> cases[] = {
        {"+5", 5, 5}, {"-2147483648", kInt32Min, kInt32Min}, {"2147483648", {}, 2147483648},
        {"-9223372036854775808", {}, std::numeric_limits<std::int64_t>::min()}, {"9223372036854775808", {}, {}},
        {"", {}, {}}, {"+-5", {}, {}}, {"5.0", {}, {}},  // a real is no integer
    };
    for (const auto& [text, int32, int64] : cases) {
        EXPECT_EQ(zx::listin::parseInt32(text), int32) << text;
        EXPECT_EQ(zx::listin::parseInt64(text), int64) << text;
    }
}

TEST(RealValue, ReadsTheLanguagesNumberFormsAndFailsOnOverflow) {
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {".5", 0.5}, {"5.", 5.0}, {"-.5e1", -5.0}, {"1.5D+2", 150.0}, {"-inf", -kInfinity},
        {"1.5-3", 1.5e-3},  // an exponent sign without its letter
        {"1e-400", 0.0},    // underflow reads as zero; overflow fails
        {"1e400", {}}, {".", {}}, {"1.5e", {}}, {"1..5", {}}, {"0x1p3", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(zx::listin::parseReal8(text), expected) << text;
    EXPECT_EQ(zx::listin::parseReal4("3.4028235e38"), std::numeric_limits<float>::max());  // its shortest text
    EXPECT_EQ(zx::listin::parseReal4("3.4028236e38"), std::nullopt);
}

// The items of a record as one line: values as read ('q(...)' when quoted), "_" for an empty
// value, "/" for the slash, "$" for the end of the record and "!" for a malformed record.
std::string walk(std::string_view record) {
    ListReader reader(record);
    std::string items, text;
    for (int guard = 0; guard < 20; ++guard) {
        if (!items.empty()) items += '|';
        switch (reader.next(text)) {
            case ListReader::Item::Value: items += reader.lastQuoted() ? "q(" + text + ")" : text; continue;
            case ListReader::Item::Empty: items += '_'; continue;
            case ListReader::Item::Slash: return items + '/';
            case ListReader::Item::EndOfRecord: return items + '$';
            case ListReader::Item::Malformed: return items + '!';
        }
    }
    return items + "...";
}

constexpr std::pair<std::string_view, std::string_view> kWalkCases[] = {
    // blanks and commas separate values; only commas make empty ones
    {"a b  c", "a|b|c|$"}, {"a,b , c", "a|b|c|$"}, {"   a\tb", "a|b|$"}, {"", "$"},
    {"  ,a", "_|a|$"}, {"a, ,b", "a|_|b|$"}, {"a,", "a|$"}, {"a,,/ b", "a|_|/"},
    {"O'Brien x", "O'Brien|x|$"},  // a quote inside a value is a character
    // quoted values hold commas and slashes, double their quote, and must be closed and followed by a separator
    {"\"a,b/c\" d", "q(a,b/c)|d|$"}, {"'it''s'", "q(it's)|$"}, {"'2*5'", "q(2*5)|$"},
    {"'abc", "!"}, {"'abc'def", "!"}, {"'a''", "!"},
    // r*c gives r copies of c, r* r empty values; without a count of at least 1 the text is a value
    {"3*1.5", "1.5|1.5|1.5|$"}, {"2*", "_|_|$"}, {"2* 5", "_|_|5|$"}, {"2*/", "_|_|/"},
    {"2*'a b' c", "q(a b)|q(a b)|c|$"}, {"2*'a", "!"}, {"0*5", "0*5|$"}, {"99999999999*1", "99999999999*1|$"},
};

TEST(ListReader, SeparatorsQuotesSlashAndRepeatCounts) {
    for (const auto& [record, items] : kWalkCases) EXPECT_EQ(walk(record), items) << record;
}

TEST(ReadList, FillsEachTargetInItsOwnTypeAndIgnoresTheRestOfTheLine) {
    std::int32_t count = 0;
    std::int64_t big = 0;
    float length = 0;
    double x = 0;
    std::string name, asWritten;
    const auto outcome =
        readList("12, 3000000000 1.5d0 .25 'Pipe A' 007  0 0 ;comment", {&count, &big, &length, &x, &name, &asWritten});
    // A text target takes the value as written, never converted.
    EXPECT_EQ(std::tie(outcome.status, outcome.assigned, count, big, length, x, name, asWritten),
              std::make_tuple(Status::Ok, 6, 12, 3000000000LL, 1.5F, 0.25, std::string("Pipe A"), std::string("007")));
}

TEST(ReadList, EmptyValuesSlashAndShortRecordsLeaveTargetsUnchanged) {
    using Targets = std::array<std::int32_t, 3>;  // before each read: 7, 8, 9
    const std::tuple<std::string_view, Status, int, Targets> cases[] = {
        {"1 / 2", Status::Ok, 1, {1, 8, 9}}, {"2*,3", Status::Ok, 1, {7, 8, 3}},
        {"3*6", Status::Ok, 3, {6, 6, 6}},   {",5", Status::EndOfRecord, 1, {7, 5, 9}},
    };
    for (const auto& [record, status, assigned, after] : cases) {
        Targets targets{7, 8, 9};
        const auto outcome = readList(record, {&targets[0], &targets[1], &targets[2]});
        EXPECT_EQ(outcome.status, status) << record;
        EXPECT_EQ(outcome.assigned, assigned) << record;
        EXPECT_EQ(targets, after) << record;
    }
}

TEST(ReadList, AValueThatDoesNotReadAsItsTargetIsAnError) {
    std::int32_t small = 0;
    float single = 0;
    std::string text = "kept";
    const std::pair<std::string_view, int> cases[] = {
        {"abc", 0}, {"2147483648", 0}, {"1 3.5e38", 1}, {"1 2.5 'open", 2},
        {"'5'", 0},  // numbers are never quoted
    };
    for (const auto& [record, assigned] : cases) {
        const auto outcome = readList(record, {&small, &single, &text});
        EXPECT_EQ(outcome.status, Status::Error) << record;
        EXPECT_EQ(outcome.assigned, assigned) << record;
    }
    EXPECT_EQ(text, "kept");
}

}  // namespace
