// tests/common/list_input_test.cpp
#include "common/list_input.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using zx::listin::ListReader;
using zx::listin::readList;
using Status = zx::listin::ReadOutcome::Status;

constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto kInt64Min = std::numeric_limits<std::int64_t>::min();

struct IntegerCase {
    std::string_view text;
    std::optional<std::int32_t> int32;
    std::optional<std::int64_t> int64;
};
constexpr IntegerCase kIntegerCases[] = {
    {"+5", 5, 5},
    {"-2147483648", kInt32Min, kInt32Min},
    {"2147483648", std::nullopt, 2147483648},
    {"-9223372036854775808", std::nullopt, kInt64Min},
    {"9223372036854775808", std::nullopt, std::nullopt},
    {"", std::nullopt, std::nullopt},
    {"+-5", std::nullopt, std::nullopt},
    {"5.0", std::nullopt, std::nullopt},  // a real is no integer
};

TEST(IntegerValue, ReadsSignedDigitsAndFailsOutsideTheTargetRange) {
    for (const auto& c : kIntegerCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseInt32(c.text), c.int32);
        EXPECT_EQ(zx::listin::parseInt64(c.text), c.int64);
    }
}

struct RealCase {
    std::string_view text;
    std::optional<double> expected;
};
const RealCase kRealCases[] = {
    {".5", 0.5},
    {"5.", 5.0},
    {"-.5e1", -5.0},
    {"1.5D+2", 150.0},
    {"1.5-3", 1.5e-3},  // an exponent sign without its letter
    {"1e-400", 0.0},    // underflow reads as zero
    {"-infinity", -std::numeric_limits<double>::infinity()},
    {"1e400", std::nullopt},  // overflow fails
    {".", std::nullopt},
    {"1.5e", std::nullopt},
    {"1..5", std::nullopt},
    {"0x1p3", std::nullopt},
};

TEST(RealValue, ReadsTheLanguagesNumberFormsAndFailsOnOverflow) {
    for (const auto& c : kRealCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseReal8(c.text), c.expected);
    }
    constexpr float kFloatMax = std::numeric_limits<float>::max();
    EXPECT_EQ(zx::listin::parseReal4("3.4028235e38"), kFloatMax);  // the shortest text of the largest float
    EXPECT_EQ(zx::listin::parseReal4("3.4028236e38"), std::nullopt);
    EXPECT_EQ(zx::listin::parseReal4("1e-50"), 0.0F);
}

// The items of a record as one line: values as read ('q(...)' when quoted), "_" for an empty
// value, "/" for the slash, "$" for the end of the record and "!" for a malformed record.
std::string walk(std::string_view record) {
    ListReader reader(record);
    std::string items;
    std::string text;
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
    {"a b  c", "a|b|c|$"},
    {"a,b , c", "a|b|c|$"},
    {"   a\tb", "a|b|$"},
    {"", "$"},
    {"  ,a", "_|a|$"},
    {"a, ,b", "a|_|b|$"},
    {"a,", "a|$"},
    {"O'Brien x", "O'Brien|x|$"},  // a quote inside a value is a character
    {"a,,/ b", "a|_|/"},
    {"\"a,b/c\" d", "q(a,b/c)|d|$"},  // commas and slashes inside quotes are text
    {"'it''s'", "q(it's)|$"},
    {"'2*5'", "q(2*5)|$"},
    {"'abc", "!"},
    {"'abc'def", "!"},
    {"'a''", "!"},
    {"3*1.5", "1.5|1.5|1.5|$"},
    {"2*", "_|_|$"},
    {"2* 5", "_|_|5|$"},
    {"2*/", "_|_|/"},
    {"2*'a b' c", "q(a b)|q(a b)|c|$"},
    {"2*'a", "!"},
    {"0*5", "0*5|$"},  // no count: a value as written
    {"99999999999*1", "99999999999*1|$"},
};

TEST(ListReader, SeparatorsQuotesSlashAndRepeatCounts) {
    for (const auto& [record, items] : kWalkCases) {
        SCOPED_TRACE(record);
        EXPECT_EQ(walk(record), items);
    }
}

TEST(ReadList, FillsEachTargetInItsOwnType) {
    std::int32_t count = 0;
    std::int64_t big = 0;
    float length = 0;
    double x = 0;
    std::string name, asWritten;
    const auto outcome =
        readList("12, 3000000000 1.5d0 2.5e-1 'Pipe A' 007", {&count, &big, &length, &x, &name, &asWritten});
    EXPECT_EQ(outcome.status, Status::Ok);
    EXPECT_EQ(outcome.assigned, 6);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(big, 3000000000);
    EXPECT_EQ(length, 1.5F);
    EXPECT_EQ(x, 0.25);
    EXPECT_EQ(name, "Pipe A");
    EXPECT_EQ(asWritten, "007");  // a text target is never converted
}

TEST(ReadList, EmptyValuesSlashAndShortRecordsLeaveTargetsUnchanged) {
    using Targets = std::array<std::int32_t, 3>;
    const struct {
        std::string_view record;
        Status status;
        int assigned;
        Targets targets;  // before the read: 7, 8, 9
    } cases[] = {
        {"1 / 2", Status::Ok, 1, {1, 8, 9}},
        {"2*,3", Status::Ok, 1, {7, 8, 3}},
        {"3*6", Status::Ok, 3, {6, 6, 6}},
        {",5", Status::EndOfRecord, 1, {7, 5, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        Targets targets{7, 8, 9};
        const auto outcome = readList(c.record, {&targets[0], &targets[1], &targets[2]});
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.assigned, c.assigned);
        EXPECT_EQ(targets, c.targets);
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
        SCOPED_TRACE(record);
        const auto outcome = readList(record, {&small, &single, &text});
        EXPECT_EQ(outcome.status, Status::Error);
        EXPECT_EQ(outcome.assigned, assigned);
    }
    EXPECT_EQ(text, "kept");
}

TEST(ReadList, InputDataLinesReadTheirLeadingValuesAndIgnoreTheRest) {
    for (std::string_view line : {"C1  J1  J2  100.5  0.013  0  0 ;comment", "C1,J1,J2 , 100.5 .013"}) {
        SCOPED_TRACE(line);
        std::string name, from, to;
        float length = 0, roughness = 0;
        EXPECT_EQ(readList(line, {&name, &from, &to, &length, &roughness}).status, Status::Ok);
        EXPECT_EQ(name + "/" + from + "/" + to, "C1/J1/J2");
        EXPECT_EQ(length, 100.5F);
        EXPECT_EQ(roughness, 0.013F);
    }
}

}  // namespace
