// tests/convert/inp_sections_test.cpp: how .inp lines, words and values are read, and the
// section scan.
#include "convert/inp_sections.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "convert/inp_file.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

struct CleanCase {
    std::string_view line;
    std::string_view expected;
};
const CleanCase kCleanCases[] = {
    {"J1\t12.5\t3.0\r", "J1 12.5 3.0"},               // EPA's tab-separated rows keep their fields
    {"J1  12.5 ; first junction", "J1  12.5"},        // an inline comment goes before words are counted
    {"   ;; indented comment", ""},                   // skipped like a column-1 comment
    {";Name Elevation", ""},
    {"\"N;1\" 2 ;x", "\"N;1\" 2"},                    // a ";" inside double quotes is part of the name
    {"c1 j4 j3 29.1 0.015 0 0.03\r 0.00 0.00", "c1 j4 j3 29.1 0.015 0 0.03  0.00 0.00"},  // stray CR
};

TEST(InpLine, TabsAndCarriageReturnsAreBlanksAndCommentsAreCut) {
    for (const auto& c : kCleanCases) {
        std::string line(c.line);
        inpCleanLine(line);
        EXPECT_EQ(line, c.expected) << c.line;
    }
    std::string longLine(1200, 'x');
    inpCleanLine(longLine);
    EXPECT_EQ(longLine.size(), kInpLineLength);
}

TEST(InpLine, WordsAreRunsOfNonBlanks) {
    EXPECT_EQ(inpCountWords("J1    10.0   20.0"), 3);
    EXPECT_EQ(inpCountWords("J1,10.0,20.0"), 1);
    EXPECT_EQ(inpCountWords(""), 0);
    EXPECT_EQ(inpCountWords("x"), 1);
    EXPECT_EQ(inpCountWords("  a  b   "), 2);
}

TEST(InpValues, IntegersTakeAnyRealNotationTruncated) {
    const std::pair<std::string_view, std::int32_t> cases[] = {{"1", 1}, {"1.0", 1}, {"0.0", 0}, {"2.9", 2},
                                                              {"-2.9", -2}, {"3e1", 30}};
    for (const auto& [text, expected] : cases) {
        std::int32_t value = -7;
        EXPECT_EQ(LineValues(text).integer(value).status(), LineValues::Status::Ok) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (std::string_view text : {"1e10", "abc", "\"1\""}) {
        std::int32_t value = -7;
        EXPECT_EQ(LineValues(text).integer(value).status(), LineValues::Status::BadValue) << text;
        EXPECT_EQ(value, -7) << text;
    }
}

struct ScanCase {
    std::string_view text;
    std::vector<std::size_t> flags;
    bool anyLinks;
    std::string_view console;
};
const ScanCase kScanCases[] = {
    {"no header here\n", {}, false, ""},
    {"[junctions]\n", {section::kJunctions}, false, ""},
    {" [JUNCTIONS]\n", {}, false, ""},  // a header starts in column 1
    {"[TAGS]\n", {}, false, "\nWARNING - Unrecognised Section Flag: [TAGS]\n"},
    {"[PROFILES]\n", {3}, false, ""},              // the first keyword it holds decides: FILES
    {"[LID_CONTROLS]\n", {11}, false, ""},         // not CONTROLS
    {"[TIMESERIES]\n", {}, false, ""},             // known, no flag
    {"[WEIRS]\n", {section::kWeirs}, true, ""},
    {"[XSECTIONS] ; see [CONDUITS]\n", {section::kXsections}, false, ""},
    {"[COORDINATES]\r\n[VERTICES]\n[ORIFICES]\n", {section::kCoordinates, section::kVertices, section::kOrifices},
     true, ""},
};

TEST(SectionScan, SetsTheFlagOfEachHeaderByItsFirstKeyword) {
    for (const auto& c : kScanCases) {
        SectionFlags flags;
        flags.fill(true);
        inpResetSectionFlags(flags);
        bool anyLinks = !c.anyLinks;
        const std::string console =
            test::consoleOf(c.text, [&](int unit) { inpScanSections(unit, flags, anyLinks); });
        SectionFlags expected{};
        for (std::size_t flag : c.flags) expected[flag] = true;
        EXPECT_EQ(flags, expected) << c.text;
        EXPECT_EQ(anyLinks, c.anyLinks) << c.text;
        EXPECT_EQ(console, c.console) << c.text;
    }
}

}  // namespace
}  // namespace zx::convert
