// tests/common/list_input_test.cpp
#include "common/list_input.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using zx::listin::ListReader;
using zx::listin::readList;
using Status = zx::listin::ReadOutcome::Status;

constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr auto kInt64Min = std::numeric_limits<std::int64_t>::min();

struct IntegerCase {
    std::string_view text;
    std::optional<std::int64_t> expected;
};

constexpr IntegerCase kInt32Cases[] = {
    {"0", 0},
    {"+5", 5},
    {"-5", -5},
    {"007", 7},
    {"2147483647", kInt32Max},
    {"-2147483648", kInt32Min},
    {"2147483648", std::nullopt},
    {"99999999999999999999999", std::nullopt},
    {"", std::nullopt},
    {"-", std::nullopt},
    {"+-5", std::nullopt},
    {"5.0", std::nullopt},  // a real is no integer
    {"1e3", std::nullopt},
    {" 5", std::nullopt},
};

constexpr IntegerCase kInt64Cases[] = {
    {"2147483648", 2147483648},
    {"9223372036854775807", kInt64Max},
    {"-9223372036854775808", kInt64Min},
    {"9223372036854775808", std::nullopt},
    {"-9223372036854775809", std::nullopt},
    {"18446744073709551616", std::nullopt},
};

TEST(IntegerValue, ReadsSignedDigitsAndFailsOutsideTheTargetRange) {
    for (const auto& c : kInt32Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseInt32(c.text), c.expected);
    }
    for (const auto& c : kInt64Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseInt64(c.text), c.expected);
    }
}

struct RealCase {
    std::string_view text;
    std::optional<double> expected;
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

const RealCase kReal8Cases[] = {
    {"1.5", 1.5},
    {".5", 0.5},
    {"5.", 5.0},
    {"+2", 2.0},
    {"-.5e1", -5.0},
    {"1.5e-3", 1.5e-3},
    {"1.5d0", 1.5},
    {"1.5D+2", 150.0},
    {"1.5q2", 150.0},
    {"1.5+3", 1500.0},  // an exponent sign without its letter
    {"1.5-3", 1.5e-3},
    {"1e-400", 0.0},  // underflow reads as zero
    {"Inf", kInfinity},
    {"-infinity", -kInfinity},
    {"1e400", std::nullopt},  // overflow fails
    {"", std::nullopt},
    {".", std::nullopt},
    {"e5", std::nullopt},
    {"1.5e", std::nullopt},
    {"1.5+", std::nullopt},
    {"1..5", std::nullopt},
    {"1.5e3.0", std::nullopt},
    {"1.5x", std::nullopt},
    {"0x1p3", std::nullopt},
};

TEST(RealValue, ReadsTheLanguagesNumberForms) {
    for (const auto& c : kReal8Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseReal8(c.text), c.expected);
    }
    const auto nan = zx::listin::parseReal8("NaN");
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(*nan));
    const auto minusZero = zx::listin::parseReal8("-0.0");
    ASSERT_TRUE(minusZero.has_value());
    EXPECT_TRUE(std::signbit(*minusZero));
}

TEST(RealValue, SinglePrecisionReadsUpToTheLargestFloat) {
    constexpr float kFloatMax = std::numeric_limits<float>::max();
    const struct {
        std::string_view text;
        std::optional<float> expected;
    } cases[] = {
        {"0.1", 0.1F},
        {"3.4028235e38", kFloatMax},  // the shortest text of the largest float
        {"-3.40282356e38", -kFloatMax},
        {"3.4028236e38", std::nullopt},  // beyond half a unit above it
        {"1e39", std::nullopt},
            {"1e-50", 0.0F},
        {"inf", std::numeric_limits<float>::infinity()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zx::listin::parseReal4(c.text), c.expected);
    }
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
            case ListReader::Item::Value:
                items += reader.lastQuoted() ? "q(" + text + ")" : text;
                continue;
            case ListReader::Item::Empty:
                items += '_';
                continue;
            case ListReader::Item::Slash:
                return items + '/';
            case ListReader::Item::EndOfRecord:
                return items + '$';
            case ListReader::Item::Malformed:
                return items + '!';
        }
    }
    return items + "...";
}

struct WalkCase {
    std::string_view record;
    std::string_view items;
};

constexpr WalkCase kSeparatorCases[] = {
    {"a b  c", "a|b|c|$"},
    {"a,b , c", "a|b|c|$"},
    {"   a\tb", "a|b|$"},
    {"", "$"},
    {",a", "_|a|$"},
    {"  ,a", "_|a|$"},
    {"a,,b", "a|_|b|$"},
    {"a, ,b", "a|_|b|$"},
    {"a,", "a|$"},
    {",", "_|$"},
    {"O'Brien x", "O'Brien|x|$"},  // a quote inside a value is a character
    {"1.5,-2 3e4", "1.5|-2|3e4|$"},
};

constexpr WalkCase kSlashCases[] = {
    {"a/b", "a|/"},
    {"a,/", "a|/"},
    {"a,,/ b", "a|_|/"},
    {"/", "/"},
};

constexpr WalkCase kQuoteCases[] = {
    {"'a b'", "q(a b)|$"},
    {"\"a,b/c\" d", "q(a,b/c)|d|$"},  // commas and slashes inside quotes are text
    {"'it''s'", "q(it's)|$"},
    {"\"say \"\"hi\"\"\"", "q(say \"hi\")|$"},
    {"''", "q()|$"},
    {"'a'/", "q(a)|/"},
    {"'a',b", "q(a)|b|$"},
    {"'2*5'", "q(2*5)|$"},
    {"'abc", "!"},
    {"'abc'def", "!"},
    {"a 'b", "a|!"},
    {"'a''", "!"},
};

constexpr WalkCase kRepeatCases[] = {
    {"3*1.5", "1.5|1.5|1.5|$"},
    {"2*5,,7", "5|5|_|7|$"},
    {"2*5/", "5|5|/"},
    {"2*", "_|_|$"},
    {"2*,5", "_|_|5|$"},
    {"2* 5", "_|_|5|$"},
    {"2* 'a'", "_|_|q(a)|$"},
    {"2*/", "_|_|/"},
    {"2*'a b' c", "q(a b)|q(a b)|c|$"},
    {"2*'it''s'", "q(it's)|q(it's)|$"},
    {"2*'a", "!"},
    {"2*'a'b", "!"},
    {"0*5", "0*5|$"},  // no count: a value as written
    {"+2*5", "+2*5|$"},
    {"99999999999*1", "99999999999*1|$"},
};

template <std::size_t N>
void expectWalks(const WalkCase (&cases)[N]) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        EXPECT_EQ(walk(c.record), c.items);
    }
}

TEST(ListReader, SeparatesByCommasAndBlanksWithEmptyValuesBetweenCommas) { expectWalks(kSeparatorCases); }
TEST(ListReader, SlashOutsideQuotesEndsTheValues) { expectWalks(kSlashCases); }
TEST(ListReader, QuotedValuesHoldAnyCharacterAndMustBeClosed) { expectWalks(kQuoteCases); }
TEST(ListReader, RepeatCountsGiveCopiesOrEmptyValues) { expectWalks(kRepeatCases); }

TEST(ReadList, FillsEachTargetInItsOwnType) {
    std::int32_t count = 0;
    std::int64_t big = 0;
    float length = 0;
    double x = 0;
    std::string name;
    const auto outcome = readList("12, 3000000000 1.5d0 2.5e-1 'Pipe A'", {&count, &big, &length, &x, &name});
    EXPECT_EQ(outcome.status, Status::Ok);
    EXPECT_EQ(outcome.assigned, 5);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(big, 3000000000);
    EXPECT_EQ(length, 1.5F);
    EXPECT_EQ(x, 0.25);
    EXPECT_EQ(name, "Pipe A");
}

TEST(ReadList, EmptyValuesSlashAndShortRecordsLeaveTargetsUnchanged) {
    using Targets = std::array<std::int32_t, 3>;
    const struct {
        std::string_view record;
        Status status;
        int assigned;
        Targets targets;  // before the read: 7, 8, 9
    } cases[] = {
        {",5 6", Status::Ok, 2, {7, 5, 6}},
        {"1 / 2", Status::Ok, 1, {1, 8, 9}},
        {"2*,3", Status::Ok, 1, {7, 8, 3}},
        {"3*6", Status::Ok, 3, {6, 6, 6}},
        {",5", Status::EndOfRecord, 1, {7, 5, 9}},
        {"", Status::EndOfRecord, 0, {7, 8, 9}},
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
    const struct {
        std::string_view record;
        int assigned;
    } cases[] = {
        {"abc", 0},
        {"'5'", 0},  // numbers are never quoted
        {"2147483648", 0},
        {"1.5", 0},
        {"1 3.5e38", 1},
        {"1 2.5 'open", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const auto outcome = readList(c.record, {&small, &single, &text});
        EXPECT_EQ(outcome.status, Status::Error);
        EXPECT_EQ(outcome.assigned, c.assigned);
    }
    EXPECT_EQ(text, "kept");
}

TEST(ReadList, InputDataLinesReadTheirLeadingValuesAndIgnoreTheRest) {
    for (std::string_view line : {"C1  J1  J2  100.5  0.013  0  0 ;comment", "C1,J1,J2,100.5,0.013", "C1 J1,J2 , 100.5 .013"}) {
        SCOPED_TRACE(line);
        std::string name, from, to;
        float length = 0, roughness = 0;
        const auto outcome = readList(line, {&name, &from, &to, &length, &roughness});
        EXPECT_EQ(outcome.status, Status::Ok);
        EXPECT_EQ(name + "/" + from + "/" + to, "C1/J1/J2");
        EXPECT_EQ(length, 100.5F);
        EXPECT_EQ(roughness, 0.013F);
    }
    std::string name;
    float elevation = 0, depth = 0;
    EXPECT_EQ(readList("J1 10.5", {&name, &elevation, &depth}).status, Status::EndOfRecord);
    EXPECT_EQ(readList("J1 abc", {&name, &elevation}).status, Status::Error);
}

TEST(ReadList, TextTargetsTakeValuesAsWritten) {
    std::string first, second, third;
    const auto outcome = readList("1.234 007 \"a, b\"", {&first, &second, &third});
    EXPECT_EQ(outcome.status, Status::Ok);
    EXPECT_EQ(first, "1.234");  // never converted
    EXPECT_EQ(second, "007");
    EXPECT_EQ(third, "a, b");
}

}  // namespace
