// tests/common/strings_test.cpp
#include "common/strings.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zx {
namespace {

using std::string_view;

TEST(Asame, IgnoresCaseQuotesTabsAndOuterBlanksButNotInnerBlanks) {
    const std::tuple<string_view, string_view, bool> cases[] = {
        {"", "   ", true}, {"Conduits", "\t  \"CONDUITS\"", true}, {"A B", "AB", false},
        {"AB", "A\tB", true}, {"a", "", false}};
    for (const auto& [a, b, expected] : cases) EXPECT_EQ(ASAME(a, b), expected) << a << "|" << b;
    EXPECT_EQ(asameKey(" \t'Pipe 1'  "), "PIPE 1");
    EXPECT_FALSE(ASAMECS(" 'abc'", "ABC"));
}

TEST(Cleaners, FoldAndFilterCharacters) {
    using Cleaner = std::string (*)(string_view);
    const std::tuple<Cleaner, string_view, string_view> cases[] = {
        {UPPERCASE, "Conduit_12\xe9", "CONDUIT_12\xe9"},  // bytes above 127 pass unchanged
        {LOWERCASE, "FILE.MIF  ", "file.mif"},         {REMOVEQUOTES, "'a' \"b\" '", "a b"},
        {REMOVESPACES, " a b ", "ab"},                {DOUBLEQUOTE, "\"x\" it's", "\"\"x\"\" it's"},
        {CLEANATTRIBUTENAME, "Inlet Type (m)", "InletTypem"}, {CLEANATTRIBUTENAME, "%%", "X"},
    };
    for (const auto& [routine, input, expected] : cases) EXPECT_EQ(routine(input), expected) << input;
    const std::tuple<string_view, char, string_view> alphanumeric[] = {
        {"a-b c", '_', "a_b_c"}, {"a-b c", '\0', "abc"}, {"--", ' ', "X"}, {"-a-", ' ', " a"}};
    for (const auto& [input, with, expected] : alphanumeric) EXPECT_EQ(ALPHANUMERICONLY(input, with), expected);
}

TEST(Replace, FindsWithoutRegardToCaseAndKeepsTheRest) {
    using Replacer = std::string (*)(string_view, string_view, string_view);
    const std::tuple<Replacer, string_view, string_view, string_view, string_view> cases[] = {
        {REPLACE, "Pipe pipe", "PIPE", "Duct", "Duct pipe"},
        {REPLACE, "Pipe", "  ", "New  ", "NewPipe"},  // a blank search text is found at the start
        {REPLACEALL, "Pipe PIPE pipe", "pipe", "x", "x x x"}, {REPLACEALL, "abc", " ", "z", "abc"},
        // The replacement holds the search text: searching goes on behind it, so this ends.
        {REPLACEALL, "aXa", "A", "aa", "aaXaa"},
        {REPLACEALL, "aabb", "ab", "", "ab"},  // what a removal joins is not searched again
    };
    for (const auto& [routine, text, search, with, expected] : cases) EXPECT_EQ(routine(text, search, with), expected);
}

TEST(CsvColumn, FindsTheFirstMatchingFieldOrGivesTheDefault) {
    const std::tuple<string_view, string_view, int> cases[] = {
        {"ID, Type ,Len", "type", 2}, {"A,,B", "", 2}, {"A,B", "C", -1}, {"A,\t\"B\"", "b", 2},
        {"A,  ", "", -1},  // nothing after the last comma is no field
    };
    for (const auto& [header, name, expected] : cases) EXPECT_EQ(CSVCOLUMN(header, name, -1), expected) << header;
}

}  // namespace
}  // namespace zx
