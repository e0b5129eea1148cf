// tests/common/text_lines_test.cpp
#include "common/text_lines.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zx {
namespace {

struct InPlaceCase {
    bool (*routine)(std::string&);
    std::string_view input;
    bool expected;
    std::string_view after;
};

const InPlaceCase kInPlaceCases[] = {
    {COMMENTLINE, "   # all", true, ""},
    {COMMENTLINE, "x!y", false, "x"},
    {COMMENTLINE, "  a b # c ! d", false, "a b"},
    {COMMENTLINE, "a ! b # c", false, "a"},  // the earlier comment character wins
    {COMMENTLINE, "!x", true, ""},
    {COMMENTLINE, "", true, ""},
    {COMMENTLINE, "\tx # y", false, "\tx"},  // a TAB is not a blank
    {NUMBERLINE, "  -3.5 x", true, "-3.5 x"},
    {NUMBERLINE, ".5", true, ".5"},
    {NUMBERLINE, "+1", false, "+1"},
    {NUMBERLINE, "   ", true, ""},
    {NUMBERLINE, " x1", false, "x1"},
    {POSITIVEINTEGERNUMBER, " 0042 ", true, "0042"},
    {POSITIVEINTEGERNUMBER, "12 3", false, "12 3"},
    {POSITIVEINTEGERNUMBER, "-1", false, "-1"},
    {POSITIVEINTEGERNUMBER, "1.0", false, "1.0"},
    {POSITIVEINTEGERNUMBER, "   ", false, ""},
    {BLANK, "\t  ", true, ""},
    {BLANK, "a\tb", false, "ab"},
    {BLANK, "  a\t ", false, "  a"},  // leading blanks stay
};

TEST(LineTests, AnswerAndCleanTheLineInPlace) {
    for (const auto& c : kInPlaceCases) {
        SCOPED_TRACE(std::string(c.input));
        std::string line(c.input);
        EXPECT_EQ(c.routine(line), c.expected);
        EXPECT_EQ(line, c.after);
    }
}

struct CopyCase {
    std::string (*routine)(std::string_view);
    std::string input;
    std::string expected;
};

TEST(LineCleaners, ReturnCleanedCopies) {
    const CopyCase cases[] = {
        {TRIMF, "  a b  ", "a b"},
        {TRIMF, "\ta", "\ta"},
        {TRIMF, "   ", ""},
        {REMOVETABS, " \ta\tb \t", " ab"},
        {SS256, std::string(300, 'x'), std::string(256, 'x')},
        // The cut leaves a blank at the end, which is not part of the result.
        {SS256, std::string(255, 'x') + " y", std::string(255, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(c.routine(c.input), c.expected);
    }
}

}  // namespace
}  // namespace zx
