// tests/common/strings_test.cpp
#include "common/strings.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zx {
namespace {

struct PairCase {
    std::string_view a;
    std::string_view b;
    bool expected;
};

TEST(Asame, IgnoresCaseQuotesTabsAndOuterBlanksButNotInnerBlanks) {
    const PairCase cases[] = {
        {"", "   ", true},
        {"Conduits", "\t  \"CONDUITS\"", true},
        {"A B", "AB", false},
        {"AB", "A\tB", true},
        {"'x'", "X", true},
        {"a", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + "|" + std::string(c.b));
        EXPECT_EQ(ASAME(c.a, c.b), c.expected);
    }
    EXPECT_EQ(asameKey(" \t'Pipe 1'  "), "PIPE 1");
}

TEST(Asame, CaseSensitiveTwinKeepsCase) {
    EXPECT_FALSE(ASAMECS("abc", "ABC"));
    EXPECT_TRUE(ASAMECS("abc", "'abc'"));
    EXPECT_TRUE(ASAMECS(" a\tb ", "\"ab\""));
}

struct TextCase {
    std::string (*routine)(std::string_view);
    std::string_view input;
    std::string_view expected;
};

TEST(Cleaners, FoldAndFilterCharacters) {
    const TextCase cases[] = {
        {UPPERCASE, "Conduit_12", "CONDUIT_12"},
        {UPPERCASE, "\xe9z", "\xe9Z"},  // bytes above 127 pass unchanged
        {LOWERCASE, "FILE.MIF  ", "file.mif"},
        {REMOVEQUOTES, "'a' \"b\" '", "a b"},
        {REMOVESPACES, " a b ", "ab"},
        {CLEANATTRIBUTENAME, "Inlet Type (m)", "InletTypem"},
        {CLEANATTRIBUTENAME, "a_1", "a_1"},
        {CLEANATTRIBUTENAME, "%%", "X"},
        {CLEANATTRIBUTENAME, "", "X"},
        {DOUBLEQUOTE, "\"x\"", "\"\"x\"\""},
        {DOUBLEQUOTE, "it's", "it's"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        EXPECT_EQ(c.routine(c.input), c.expected);
    }
}

TEST(Cleaners, AlphanumericOnlyReplacesDropsOrFallsBackToX) {
    struct Case {
        std::string_view input;
        char replacement;
        std::string_view expected;
    };
    const Case cases[] = {
        {"a-b c", '_', "a_b_c"}, {"a-b c", '\0', "abc"}, {"a-b c", ' ', "a b c"},
        {"--", ' ', "X"},        {"", '_', "X"},         {"-a-", ' ', " a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + "|" + c.replacement);
        EXPECT_EQ(ALPHANUMERICONLY(c.input, c.replacement), c.expected);
    }
}

struct ReplaceCase {
    std::string (*routine)(std::string_view, std::string_view, std::string_view);
    std::string_view text, search, replacement, expected;
};

TEST(Replace, FindsWithoutRegardToCaseAndKeepsTheRest) {
    const ReplaceCase cases[] = {
        {REPLACE, "Pipe pipe", "PIPE", "Duct", "Duct pipe"},
        {REPLACE, "Pipe", "x", "y", "Pipe"},
        {REPLACE, "Pipe", "  ", "New  ", "NewPipe"},  // a blank search text is found at the start
        {REPLACE, "a b", "b", "", "a"},
        {REPLACEALL, "a.b.c", ".", "_", "a_b_c"},
        {REPLACEALL, "Pipe PIPE pipe", "pipe", "x", "x x x"},
        {REPLACEALL, "abc", " ", "z", "abc"},
        // The replacement holds the search text: searching goes on behind it, so this ends.
        {REPLACEALL, "aXa", "A", "aa", "aaXaa"},
        // What a removal joins is not searched again.
        {REPLACEALL, "aabb", "ab", "", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + "|" + std::string(c.search));
        EXPECT_EQ(c.routine(c.text, c.search, c.replacement), c.expected);
    }
}

TEST(CsvColumn, FindsTheFirstMatchingFieldOrGivesTheDefault) {
    struct Case {
        std::string_view header, name;
        int expected;
    };
    const Case cases[] = {
        {"ID, Type ,Len", "type", 2},
        {"", "x", -1},
        {"A,,B", "", 2},
        {"A,B", "C", -1},
        {"A,\t\"B\"", "b", 2},
        {"A,  ", "", -1},  // nothing after the last comma is no field
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.header) + "|" + std::string(c.name));
        EXPECT_EQ(CSVCOLUMN(c.header, c.name, -1), c.expected);
    }
}

}  // namespace
}  // namespace zx
