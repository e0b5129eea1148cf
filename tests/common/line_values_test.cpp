// tests/common/line_values_test.cpp
#include "common/line_values.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/fortran_format.hpp"
#include "common/strings.hpp"
#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using std::string_view;

TEST(ReadLine, CleansEachRecordAndEndsTheRunAtEndOfFile) {
    test::TempDir dir;
    const std::string name = dir.file("input.txt");
    test::writeText(name, "   ! remark\n[JUNCTIONS]\t; text\nA1 10 # note ! x\n   x \ty\nabcd\tef # x\n");
    test::ConsoleCapture console;
    INITUNITS(1000);
    int unit = 0;
    OPENFREEUNIT(unit, "I ", name, 80);
    const std::tuple<bool, string_view> expected[] = {
        {false, ""}, {true, "[JUNCTIONS]; text"}, {true, "A1 10"}, {true, "x y"}};
    std::string line = "old";
    for (const auto& [content, cleaned] : expected) {
        EXPECT_EQ(READLINE(unit, line), content);
        EXPECT_EQ(line, cleaned);
    }
    EXPECT_TRUE(READLINE(unit, line, 6));
    EXPECT_EQ(line, "abcde");  // a fixed-length line is cut before its TABs are removed
    ZX_EXPECT_STOP(READLINE(unit, line),
                   "\nERROR 0202 - End-of-file encountered reading text line from file unit number" +
                       fmt::integer(unit, 5) + "\n");
    ZX_EXPECT_STOP(READLINE(4242, line), "ERROR 0201 - Reading text line from file unit number 4242");
    CLOSER(unit);
}

TEST(Flags, FoundAnywhereIgnoringCase) {
    const std::tuple<string_view, string_view, bool> cases[] = {
        {"[conduits]", "[CONDUITS]", true}, {"any", "   ", true}, {"", "X", false}, {"a  b", "A B", false}};
    for (const auto& [line, flag, expected] : cases) EXPECT_EQ(FLAGEXISTS(line, flag), expected) << line;
    std::string rest;
    EXPECT_TRUE(FLAGEXISTSRET("Units == m", "units", rest));
    EXPECT_EQ(rest, " == m");
    EXPECT_FALSE(READGIS("read gis  roads", "roads"));
    EXPECT_TRUE(READGIS("Read MID x", ""));  // a blank name looks for the word pair alone
}

TEST(CheckLine, SplitsAtSeparatorOrColumnAndTestsTheCommand) {
    const std::tuple<string_view, string_view, string_view, int, bool, string_view, string_view> cases[] = {
        {"Read GIS == a.mif", "read gis", "==", 0, true, " a.mif", "Read GIS"},
        {"Width 12", "width", "==", 5, true, " 12", "Width"},
        {"a= b", "A", "= ", 0, true, "b", "a"},    // the separator's trailing blank counts
        {"abc", "*", "", 10, true, "", "abc"},     // a column beyond the line takes all of it
        {"abc", "x", "==", -3, false, "", "abc"},  // below 0 counts as 0
        {"   ", "*", "", 2, false, "", ""},        // an empty command passes only at column 0,
        {"", "*", "", 4, true, "", ""},            // which is where a column beyond the line lands
    };
    for (const auto& [line, keyword, separator, column, expected, value, command] : cases) {
        std::string valueOut = "old", commandOut = "old";
        EXPECT_EQ(CHECKLINE(line, keyword, separator, column, valueOut, commandOut), expected) << line;
        EXPECT_EQ(valueOut, value);
        EXPECT_EQ(commandOut, command);
    }
}

TEST(Extract, ValuesByKeywordOrFieldWithTheDefaultWhenNothingIsAssigned) {
    const std::tuple<string_view, string_view, int, int, int> cases[] = {
        {"Width = 12, Depth = 3", "DEPTH", 0, 0, 3}, {"Width = 12, Depth = 3", "slope", 0, 7, 7},
        {"a, 'b,c', 5", "x", 3, 0, 5},               {"a,,5", "x", 2, 9, 9},
        {"Width = /", "width", 0, 4, 4},
    };
    for (const auto& [line, keyword, field, defaultValue, expected] : cases) {
        EXPECT_EQ(EXTRACTINTEGER(line, LOWERCASE(line), keyword, field, defaultValue), expected) << line << keyword;
    }
    EXPECT_FLOAT_EQ(EXTRACTREAL("Slope = 1.5e-3 m", "slope = 1.5e-3 m", "slope", 0, 0.0f), 1.5e-3f);
    EXPECT_EQ(EXTRACTSTRING("Name = \"Pipe, 1\", 4", "name = \"pipe, 1\", 4", "name", 0), "Pipe, 1");
    EXPECT_EQ(EXTRACTSTRING("a, 'it''s' ,c", "a, 'it''s' ,c", "x", 2), "its");
    EXPECT_EQ(EXTRACTSTRINGREM("Note = first, second", "note = first, second", "note", 0), "first, second");
    float value = 99.0f;
    EXPECT_FALSE(CSVVALUE("a, ,b", 2, value));
    EXPECT_TRUE(CSVVALUE("x,-2.5d0", 2, value) && value == -2.5f);
}

TEST(Extract, KeywordWithoutEqualsOrValueOfTheWrongKindEndsTheRun) {
    ZX_EXPECT_STOP(EXTRACTSTRING("Width 12", "width 12", "Width", 0),
                   "\nERROR 0203 - No \"=\" sign found after keyword \"Width\"\\.");
    ZX_EXPECT_STOP(EXTRACTINTEGER("Width = 1.5", "width = 1.5", "width", 0, 0),
                   " Could not convert \"1\\.5\" in column  0 to an integer value for the width field\\.");
    ZX_EXPECT_STOP(EXTRACTREAL("a, abc", "a, abc", "x", 2, 0.0f),
                   " Could not convert \"abc\" in column  2 to a real value for the x field\\.");
}

TEST(Words, NextWordAndSubstrings) {
    std::string text = "\"x y\"z   w  ";
    EXPECT_EQ(NEXTWORD(text), "x yz");
    EXPECT_EQ(text, "w");
    text = "a b  ";
    EXPECT_EQ(NUMBEROFSUBSTRINGS(text, " "), 4);  // blanks up to the declared length count
    EXPECT_EQ(SUBSTRING("a, b ,c", ",", 2), "b");
    EXPECT_EQ(SUBSTRING("a, b ,c", ",", 4), "");
    EXPECT_EQ(SUBSTRING("a::b::c", "::", 3), "c");
}

TEST(Numbers, CountsDaysAndIntegerChecks) {
    const std::pair<string_view, int> numbers[] = {{"1 2.5 -3e2", 3}, {"1,,2", 3}, {"1 2 ! 3", 2}, {"1 x 2", -1}};
    for (const auto& [line, expected] : numbers) EXPECT_EQ(NUMBEROFNUMBERS(line), expected) << line;
    const std::pair<string_view, int> days[] = {
        {"20000230", 59}, {"20010101", 366}, {"2000AB01", -1}, {"20001301", -1}, {"20000001", -1}};
    for (const auto& [date, expected] : days) EXPECT_EQ(NUMBEROFDAYS(date), expected) << date;
    // False whenever no value was assigned: the value keeps what it held.
    const std::tuple<string_view, bool, std::int32_t> checks[] = {
        {"  -7 x", true, -7}, {"4.2", false, 5}, {",", false, 5}, {"/", false, 5}, {"3*", false, 5},
        {"2147483648", false, 5}};
    for (const auto& [text, expected, value] : checks) {
        std::int32_t read = 5;
        EXPECT_EQ(CHECKINT(text, read), expected) << text;
        EXPECT_EQ(read, value);
    }
    std::int64_t wide = 0;
    EXPECT_TRUE(CHECKINT8("2147483648", wide) && wide == 2147483648LL);
}

}  // namespace
}  // namespace zx
