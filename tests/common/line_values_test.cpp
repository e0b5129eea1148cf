// tests/common/line_values_test.cpp
#include "common/line_values.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/fortran_format.hpp"
#include "common/strings.hpp"
#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

// A text file opened for reading on a table unit, closed again at the end of the test.
class OpenInput {
public:
    explicit OpenInput(std::string_view contents) {
        test::writeText(dir_.path() / "input.txt", contents);
        const std::string name = dir_.file("input.txt");
        test::ConsoleCapture console;
        INITUNITS(1000);
        OPENFREEUNIT(unit_, "I ", name, static_cast<int>(name.size()));
    }
    ~OpenInput() {
        test::ConsoleCapture console;
        CLOSER(unit_);
    }
    int unit() const { return unit_; }

private:
    test::TempDir dir_;
    int unit_ = 0;
};

TEST(ReadLine, CleansEachRecordAndTellsContentFromComment) {
    struct Case {
        bool content;
        std::string_view line;
    };
    const Case expected[] = {
        {false, ""},
        {true, "[JUNCTIONS]; text"},
        {true, "A1 10"},
        {false, ""},
        {true, "x y"},
    };
    OpenInput input("   ! remark\n[JUNCTIONS]\t; text\nA1 10 # note ! x\n\t\t\t\n   x \ty\n");
    std::string line = "old";
    for (const auto& c : expected) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(READLINE(input.unit(), line), c.content);
        EXPECT_EQ(line, c.line);
    }
    ZX_EXPECT_STOP(READLINE(input.unit(), line),
                   "\nERROR 0202 - End-of-file encountered reading text line from file unit number" +
                       fmt::integer(input.unit(), 5) + "\n");
}

TEST(ReadLine, CutsTheRecordAtTheLineLengthBeforeCleaning) {
    OpenInput input("abcd\tef # x\n");
    std::string line;
    EXPECT_TRUE(READLINE(input.unit(), line, 6));
    EXPECT_EQ(line, "abcde");
}

TEST(ReadLine, UnitThatIsNotOpenIsAReadError) {
    std::string line;
    ZX_EXPECT_STOP(READLINE(4242, line), "ERROR 0201 - Reading text line from file unit number 4242");
}

TEST(Flags, FoundAnywhereIgnoringCase) {
    struct Case {
        std::string_view line, flag;
        bool expected;
    };
    const Case cases[] = {
        {"[conduits]", "[CONDUITS]", true}, {"any", "   ", true}, {"", "", true},
        {"", "X", false},                   {"a  b", "A B", false}, {"say 'x'", "'X'", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "|" + std::string(c.flag));
        EXPECT_EQ(FLAGEXISTS(c.line, c.flag), c.expected);
    }
    std::string rest = "old";
    EXPECT_TRUE(FLAGEXISTSRET("Units == m", "units", rest));
    EXPECT_EQ(rest, " == m");
    EXPECT_FALSE(FLAGEXISTSRET("Units == m", "depth", rest));
    EXPECT_EQ(rest, "");
}

TEST(Flags, NamedLayerCommandsTakeEitherPrefix) {
    struct Case {
        bool (*routine)(std::string_view, std::string_view);
        std::string_view line, name;
        bool expected;
    };
    const Case cases[] = {
        {READGIS, "read gis  roads", "roads", false},
        {READGIS, "Read GIS roads.mif", "roads", true},
        {READGIS, "READ MI roads", "roads", true},
        {READGIS, "Read MID x", "", true},  // a blank name looks for the word pair alone
        {WRITEGIS, "write gis out", "out", true},
        {WRITEGIS, "Read GIS out", "out", false},
        {READROWCOL, "Read RowCol grid", "grid", true},
        {READROWCOL, "Read MID grid", "grid", true},
        {READROWCOL, "Read MI grid", "grid", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(c.routine(c.line, c.name), c.expected);
    }
}

TEST(CheckLine, SplitsAtSeparatorOrColumnAndTestsTheCommand) {
    struct Case {
        std::string_view line, keyword, separator;
        int column;
        bool expected;
        std::string_view value, command;
    };
    const Case cases[] = {
        {"Read GIS == a.mif", "read gis", "==", 0, true, " a.mif", "Read GIS"},
        {"== a.mif", "read gis", "==", 0, false, " a.mif", ""},
        {"no separator", "*", "==", 0, true, "", "no separator"},
        {"Width 12", "width", "==", 5, true, " 12", "Width"},
        {"Width 12", "width", "", 5, true, " 12", "Width"},
        {"a= b", "A", "= ", 0, true, "b", "a"},     // the separator's trailing blank counts
        {"abc", "*", "", 10, true, "", "abc"},      // a column beyond the line takes all of it
        {"abc", "x", "==", -3, false, "", "abc"},   // below 0 counts as 0
        {"", "*", "==", 0, true, "", ""},           // column 0 without separator allows no command
        {"", "*", "", 4, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "|" + std::string(c.keyword));
        std::string value = "old", command = "old";
        EXPECT_EQ(CHECKLINE(c.line, c.keyword, c.separator, c.column, value, command), c.expected);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(command, c.command);
    }
}

TEST(CsvValue, ReadsTheNumberedFieldAsAReal) {
    struct Case {
        std::string_view line;
        int field;
        bool expected;
        float value;
    };
    const Case cases[] = {
        {"a,12,3.5", 2, true, 12.0f}, {"a,12,3.5", 3, true, 3.5f}, {"a,12,3.5", 4, false, 0.0f},
        {"a,12,3.5", 1, false, 0.0f}, {"a, ,b", 2, false, 0.0f},   {" 1e2 ,x", 0, true, 100.0f},
        {"x,-2.5d0", 2, true, -2.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "|" + std::to_string(c.field));
        float value = 99.0f;
        EXPECT_EQ(CSVVALUE(c.line, c.field, value), c.expected);
        EXPECT_EQ(value, c.value);
    }
}

TEST(Extract, IntegersAndRealsByKeywordOrField) {
    struct Case {
        std::string_view line, keyword;
        int field;
        int defaultValue;
        int expected;
    };
    const Case cases[] = {
        {"Width = 12, Depth = 3", "width", 0, 0, 12},
        {"Width = 12, Depth = 3", "DEPTH", 0, 0, 3},
        {"Width = 12, Depth = 3", "slope", 0, 7, 7},
        {"a, 'b,c', 5", "x", 3, 0, 5},
        {"a,,5", "x", 2, 9, 9},       // an empty field gives the default
        {"a,b", "x", 5, 1, 1},        // so does a missing one
        {"Width = /", "width", 0, 4, 4},  // a value that assigns nothing
        {"Width = 12 m", "width", 0, 0, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "|" + std::string(c.keyword));
        EXPECT_EQ(EXTRACTINTEGER(c.line, LOWERCASE(c.line), c.keyword, c.field, c.defaultValue), c.expected);
    }
    EXPECT_FLOAT_EQ(EXTRACTREAL("Slope = 1.5e-3", "slope = 1.5e-3", "slope", 0, 0.0f), 1.5e-3f);
    EXPECT_FLOAT_EQ(EXTRACTREAL("3, 2.5", "3, 2.5", "x", 2, 0.0f), 2.5f);
}

TEST(Extract, StringsLoseTheirQuotes) {
    struct Case {
        std::string (*routine)(std::string_view, std::string_view, std::string_view, int);
        std::string_view line, keyword;
        int field;
        std::string_view expected;
    };
    const Case cases[] = {
        {EXTRACTSTRING, "Name = \"Pipe, 1\", 4", "name", 0, "Pipe, 1"},
        {EXTRACTSTRING, "a, 'it''s' ,c", "x", 2, "its"},
        {EXTRACTSTRING, "a,b", "x", 0, ""},
        {EXTRACTSTRING, "Name =   ", "name", 0, ""},
        {EXTRACTSTRING, "a,\"x, y\",b", "name", 2, "x, y"},
        {EXTRACTSTRINGREM, "Note = first, second", "note", 0, "first, second"},
        {EXTRACTSTRINGREM, "a, b, c", "x", 2, "b, c"},
        {EXTRACTSTRINGREM, "a, ,c", "x", 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "|" + std::string(c.keyword));
        EXPECT_EQ(c.routine(c.line, LOWERCASE(c.line), c.keyword, c.field), c.expected);
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

TEST(NextWord, TakesTheFirstWordAndLeavesTheRest) {
    struct Case {
        std::string_view text, word, rest;
    };
    const Case cases[] = {
        {"'a b' rest of line", "a b", "rest of line"},
        {"one", "one", ""},
        {"   ", "", ""},
        {"\"x y\"z   w  ", "x yz", "w"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        std::string text(c.text);
        EXPECT_EQ(NEXTWORD(text), c.word);
        EXPECT_EQ(text, c.rest);
    }
}

TEST(Substrings, CountAndTakeFields) {
    struct CountCase {
        std::string_view text, delimiter;
        int expected;
        std::string_view after;
    };
    const CountCase counts[] = {
        {"a,b,,c", ",", 4, "a,b,,c"}, {"   ", ",", 0, ""},   {"a\tb,c", ",", 2, "ab,c"},
        {"aaa", "aa", 3, "aaa"},      {"a b  ", " ", 4, "a b"},  // blanks up to the declared length count
    };
    for (const auto& c : counts) {
        SCOPED_TRACE(std::string(c.text));
        std::string text(c.text);
        EXPECT_EQ(NUMBEROFSUBSTRINGS(text, c.delimiter), c.expected);
        EXPECT_EQ(text, c.after);
    }
    struct FieldCase {
        std::string_view text, delimiter;
        int field;
        std::string_view expected;
    };
    const FieldCase fields[] = {
        {"a, b ,c", ",", 2, "b"}, {"a, b ,c", ",", 3, "c"}, {"a, b ,c", ",", 4, ""},
        {"a, b ,c", ",", 0, ""},  {"a,,c", ",", 2, ""},     {"a::b::c", "::", 3, "c"},
    };
    for (const auto& c : fields) {
        SCOPED_TRACE(std::string(c.text) + "|" + std::to_string(c.field));
        EXPECT_EQ(SUBSTRING(c.text, c.delimiter, c.field), c.expected);
    }
}

TEST(NumberOfNumbers, CountsUntilACommentAndNegatesOnAStrayCharacter) {
    const std::pair<std::string_view, int> cases[] = {
        {"1 2.5 -3e2", 3}, {"1,,2", 3}, {"1 2 ! 3", 2}, {"1 x 2", -1}, {"+1", 0}, {"", 0}, {"1,\t2", 2},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(std::string(line));
        EXPECT_EQ(NUMBEROFNUMBERS(line), expected);
    }
}

TEST(NumberOfDays, CountsOnA365DayCalendarFrom2000) {
    const std::pair<std::string_view, int> cases[] = {
        {"20000101", 1},  {"20000201", 32}, {"20000230", 59}, {"20000228", 59}, {"20000431", 121},
        {"20010101", 366}, {"2000AB01", -1}, {"20001301", -1}, {"20000001", -1}, {"2000", -1},
    };
    for (const auto& [date, expected] : cases) {
        SCOPED_TRACE(std::string(date));
        EXPECT_EQ(NUMBEROFDAYS(date), expected);
    }
}

TEST(CheckInt, TrueOnlyWhenAnIntegerWasAssigned) {
    struct Case {
        std::string_view text;
        bool expected;
        std::int64_t value;
    };
    const Case cases[] = {
        {"42", true, 42},    {"  -7 x", true, -7},       {"4.2", false, 5},        {"", false, 5},
        {",", false, 5},     {"/", false, 5},            {"3*", false, 5},          {"2147483648", false, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        std::int32_t value = 5;
        EXPECT_EQ(CHECKINT(c.text, value), c.expected);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(CHECKINT4(c.text, value), c.expected);
    }
    std::int64_t wide = 0;
    EXPECT_TRUE(CHECKINT8("2147483648", wide));
    EXPECT_EQ(wide, 2147483648LL);
}

}  // namespace
}  // namespace zx

// The exported routines, called as a program that loads the library calls them: arguments by
// address, blank-padded texts with their lengths behind the explicit arguments.
namespace exported {
extern "C" {
std::int32_t ASAME(const char*, const char*, std::size_t, std::size_t);
void UPPERCASE(char*, std::size_t, const char*, std::size_t);
std::int32_t BLANK(char*, std::size_t);
std::int32_t FLAGEXISTSRET(const char*, const char*, char*, std::size_t, std::size_t, std::size_t);
std::int32_t NUMBEROFSUBSTRINGS(char*, const char*, std::size_t, std::size_t);
std::int32_t CHECKINT8(const char*, std::int64_t*, std::size_t);
}

TEST(ExportedConvention, TextsArePaddedCutAndLogicalsAreMinusOne) {
    EXPECT_EQ(ASAME("Pipe  ", "'PIPE'", 6, 6), -1);
    EXPECT_EQ(ASAME("Pipe", "Duct", 4, 4), 0);

    char upper[4];
    UPPERCASE(upper, sizeof upper, "abcdef", 6);
    EXPECT_EQ(std::string(upper, sizeof upper), "ABCD");
    char padded[8];
    UPPERCASE(padded, sizeof padded, "ab  ", 4);
    EXPECT_EQ(std::string(padded, sizeof padded), "AB      ");

    char line[6] = {'a', '\t', 'b', ' ', '\t', ' '};
    EXPECT_EQ(BLANK(line, sizeof line), 0);
    EXPECT_EQ(std::string(line, sizeof line), "ab    ");

    char rest[5];
    EXPECT_EQ(FLAGEXISTSRET("Units == metres", "UNITS  ", rest, 15, 7, sizeof rest), -1);
    EXPECT_EQ(std::string(rest, sizeof rest), " == m");

    // The whole declared text is searched: the trailing blanks of "a b   " hold three more.
    char text[6] = {'a', ' ', 'b', ' ', ' ', ' '};
    EXPECT_EQ(NUMBEROFSUBSTRINGS(text, " ", sizeof text, 1), 5);

    std::int64_t value = 0;
    EXPECT_EQ(CHECKINT8(" 9000000000 ", &value, 12), -1);
    EXPECT_EQ(value, 9000000000LL);
}
}  // namespace exported
