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
    test::writeText(name, "   ! remark\n[JUNCTIONS]\t; text\nA1 10 # note ! x\n\t\t\n   x \ty\nabcd\tef # x\n");
    test::ConsoleCapture console;
    INITUNITS(1000);
    int unit = 0;
    OPENFREEUNIT(unit, "I ", name, 80);
    const std::tuple<bool, string_view> expected[] = {
        {false, ""}, {true, "[JUNCTIONS]; text"}, {true, "A1 10"}, {false, ""}, {true, "x y"}};
    std::string line = "old";
    for (const auto& [content, cleaned] : expected) {
        EXPECT_EQ(READLINE(unit, line), content);
        EXPECT_EQ(line, cleaned);
    }
    // A fixed-length line is cut before its TABs are removed.
    EXPECT_TRUE(READLINE(unit, line, 6));
    EXPECT_EQ(line, "abcde");
    ZX_EXPECT_STOP(READLINE(unit, line), "\nERROR 0202 - End-of-file encountered reading text line from file unit number" +
                                             fmt::integer(unit, 5) + "\n");
    ZX_EXPECT_STOP(READLINE(4242, line), "ERROR 0201 - Reading text line from file unit number 4242");
    CLOSER(unit);
}

TEST(Flags, FoundAnywhereIgnoringCase) {
    const std::tuple<string_view, string_view, bool> cases[] = {
        {"[conduits]", "[CONDUITS]", true}, {"any", "   ", true}, {"", "X", false}, {"a  b", "A B", false}};
    for (const auto& [line, flag, expected] : cases) EXPECT_EQ(FLAGEXISTS(line, flag), expected) << line;
    std::string rest = "old";
    EXPECT_TRUE(FLAGEXISTSRET("Units == m", "units", rest));
    EXPECT_EQ(rest, " == m");

    using Named = bool (*)(string_view, string_view);
    const std::tuple<Named, string_view, string_view, bool> named[] = {
        {READGIS, "read gis  roads", "roads", false}, {READGIS, "READ MI roads.mif", "roads", true},
        {READGIS, "Read MID x", "", true},  // a blank name looks for the word pair alone
        {WRITEGIS, "write gis out", "out", true}};
    for (const auto& [routine, line, name, expected] : named) EXPECT_EQ(routine(line, name), expected) << line;
}

TEST(CheckLine, SplitsAtSeparatorOrColumnAndTestsTheCommand) {
    const std::tuple<string_view, string_view, string_view, int, bool, string_view, string_view> cases[] = {
        {"Read GIS == a.mif", "read gis", "==", 0, true, " a.mif", "Read GIS"},
        {"Width 12", "width", "==", 5, true, " 12", "Width"},
        {"a= b", "A", "= ", 0, true, "b", "a"},    // the separator's trailing blank counts
        {"abc", "*", "", 10, true, "", "abc"},     // a column beyond the line takes all of it
        {"abc", "x", "==", -3, false, "", "abc"},  // below 0 counts as 0
        {"", "*", "", 4, false, "", ""},           // an empty command passes only at column 0
    };
    for (const auto& [line, keyword, separator, column, expected, value, command] : cases) {
        std::string valueOut = "old", commandOut = "old";
        EXPECT_EQ(CHECKLINE(line, keyword, separator, column, valueOut, commandOut), expected) << line;
        EXPECT_EQ(valueOut, value);
        EXPECT_EQ(commandOut, command);
    }
}

TEST(CsvValue, ReadsTheNumberedFieldAsAReal) {
    const std::tuple<string_view, int, bool, float> cases[] = {
        {"a,12,3.5", 2, true, 12.0f}, {"a,12,3.5", 4, false, 0.0f}, {"a, ,b", 2, false, 0.0f},
        {"x,-2.5d0", 2, true, -2.5f}};
    for (const auto& [line, field, expected, value] : cases) {
        float read = 99.0f;
        EXPECT_EQ(CSVVALUE(line, field, read), expected) << line << field;
        EXPECT_EQ(read, value);
    }
}

TEST(Extract, NumbersByKeywordOrField) {
    const std::tuple<string_view, string_view, int, int, int> cases[] = {
        {"Width = 12, Depth = 3", "DEPTH", 0, 0, 3}, {"Width = 12, Depth = 3", "slope", 0, 7, 7},
        {"a, 'b,c', 5", "x", 3, 0, 5},               {"a,,5", "x", 2, 9, 9},
        {"Width = /", "width", 0, 4, 4},  // a value that assigns nothing keeps the default
    };
    for (const auto& [line, keyword, field, defaultValue, expected] : cases) {
        EXPECT_EQ(EXTRACTINTEGER(line, LOWERCASE(line), keyword, field, defaultValue), expected) << line << keyword;
    }
    EXPECT_FLOAT_EQ(EXTRACTREAL("Slope = 1.5e-3 m", "slope = 1.5e-3 m", "slope", 0, 0.0f), 1.5e-3f);
}

TEST(Extract, StringsLoseTheirQuotes) {
    using Extractor = std::string (*)(string_view, string_view, string_view, int);
    const std::tuple<Extractor, string_view, string_view, int, string_view> cases[] = {
        {EXTRACTSTRING, "Name = \"Pipe, 1\", 4", "name", 0, "Pipe, 1"},
        {EXTRACTSTRING, "a, 'it''s' ,c", "x", 2, "its"},
        {EXTRACTSTRINGREM, "Note = first, second", "note", 0, "first, second"},
        {EXTRACTSTRINGREM, "a, b, c", "x", 2, "b, c"},
    };
    for (const auto& [routine, line, keyword, field, expected] : cases) {
        EXPECT_EQ(routine(line, LOWERCASE(line), keyword, field), expected) << line;
    }
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
    const std::tuple<string_view, string_view, string_view> words[] = {
        {"'a b' rest of line", "a b", "rest of line"}, {"\"x y\"z   w  ", "x yz", "w"}};
    for (const auto& [input, word, rest] : words) {
        std::string text(input);
        EXPECT_EQ(NEXTWORD(text), word);
        EXPECT_EQ(text, rest);
    }
    const std::tuple<string_view, string_view, int, string_view> counts[] = {
        {"a,b,,c", ",", 4, "a,b,,c"}, {"a\tb,c", ",", 2, "ab,c"}, {"aaa", "aa", 3, "aaa"},
        {"a b  ", " ", 4, "a b"}};  // blanks up to the declared length count
    for (const auto& [input, delimiter, expected, after] : counts) {
        std::string text(input);
        EXPECT_EQ(NUMBEROFSUBSTRINGS(text, delimiter), expected) << input;
        EXPECT_EQ(text, after);
    }
    const std::tuple<string_view, int, string_view> fields[] = {
        {"a, b ,c", 2, "b"}, {"a, b ,c", 4, ""}, {"a, b ,c", 0, ""}};
    for (const auto& [text, field, expected] : fields) EXPECT_EQ(SUBSTRING(text, ",", field), expected);
    EXPECT_EQ(SUBSTRING("a::b::c", "::", 3), "c");
}

TEST(Numbers, CountsDaysAndIntegerChecks) {
    const std::pair<string_view, int> numbers[] = {{"1 2.5 -3e2", 3}, {"1,,2", 3}, {"1 2 ! 3", 2}, {"1 x 2", -1}};
    for (const auto& [line, expected] : numbers) EXPECT_EQ(NUMBEROFNUMBERS(line), expected) << line;

    const std::pair<string_view, int> days[] = {
        {"20000101", 1}, {"20000230", 59}, {"20010101", 366}, {"2000AB01", -1}, {"20001301", -1}, {"20000001", -1}};
    for (const auto& [date, expected] : days) EXPECT_EQ(NUMBEROFDAYS(date), expected) << date;

    // False whenever no value was assigned: the value keeps what it held.
    const std::tuple<string_view, bool, std::int32_t> checks[] = {
        {"  -7 x", true, -7}, {"4.2", false, 5},  {",", false, 5},
        {"/", false, 5},      {"3*", false, 5},  {"2147483648", false, 5}};
    for (const auto& [text, expected, value] : checks) {
        std::int32_t read = 5;
        EXPECT_EQ(CHECKINT(text, read), expected) << text;
        EXPECT_EQ(read, value);
    }
    std::int64_t wide = 0;
    EXPECT_TRUE(CHECKINT8("2147483648", wide));
    EXPECT_EQ(wide, 2147483648LL);
}

}  // namespace
}  // namespace zx
