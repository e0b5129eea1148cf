// tests/common/text_lines_test.cpp
#include "common/text_lines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zx {
namespace {

using InPlace = bool (*)(std::string&);

TEST(LineTests, AnswerAndCleanTheLineInPlace) {
    const std::tuple<InPlace, std::string_view, bool, std::string_view> cases[] = {
        {COMMENTLINE, "   # all", true, ""},        {COMMENTLINE, "x!y", false, "x"},
        {COMMENTLINE, "\tx # y", false, "\tx"},  // a TAB is no blank
        {NUMBERLINE, "  -3.5 x", true, "-3.5 x"},   {NUMBERLINE, ".5", true, ".5"},
        {NUMBERLINE, "+1", false, "+1"},            {NUMBERLINE, "   ", true, ""},
        {POSITIVEINTEGERNUMBER, " 0042 ", true, "0042"}, {POSITIVEINTEGERNUMBER, "12 3", false, "12 3"},
        {POSITIVEINTEGERNUMBER, "-1", false, "-1"}, {POSITIVEINTEGERNUMBER, "   ", false, ""},
        {BLANK, "\t  ", true, ""},                  {BLANK, "  a\tb\t ", false, "  ab"},  // leading blanks stay
    };
    for (const auto& [routine, input, expected, after] : cases) {
        std::string line(input);
        EXPECT_EQ(routine(line), expected) << input;
        EXPECT_EQ(line, after);
    }
}

TEST(LineCleaners, ReturnCleanedCopies) {
    EXPECT_EQ(REMOVETABS(" \ta\tb \t"), " ab");
    // The cut leaves a blank at the end, which is not part of the result.
    EXPECT_EQ(SS256(std::string(255, 'x') + " y"), std::string(255, 'x'));
}

}  // namespace
}  // namespace zx
