// tests/convert/inp_sections_test.cpp: the section scan and the words and values of a data line.
// How lines are cleaned is checked through the readers and on the corpus.
#include "convert/inp_sections.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "convert/inp_file.hpp"

namespace zx::convert {
namespace {

TEST(SectionScan, SetsTheFlagOfEachHeaderItKnowsAndWarnsOfOthers) {
    // The file's lines; the flags set and the console.
    const std::tuple<std::string_view, std::vector<std::size_t>, std::string_view> cases[] = {
        {"[junctions]\n", {section::kJunctions}, ""},
        {" \t[JUNCTIONS]x\n", {section::kJunctions}, ""},  // a header's first word starts with "["
        {"[TAGS]\n", {}, "\nWARNING - Unrecognised Section Flag: [TAGS]\n"},
        {"[TIMESERIES]\n", {}, ""},  // known, no flag
        {"[COORDINATES]\r\n[VERTICES]\n[ORIFICES]\n", {section::kCoordinates, section::kVertices, section::kOrifices},
         ""},
    };
    for (const auto& [text, set, shown] : cases) {
        SectionFlags flags{};
        bool anyLinks = false;
        EXPECT_EQ(test::consoleOf(text, [&](int unit) { inpScanSections(unit, flags, anyLinks); }), shown) << text;
        SectionFlags expected{};
        for (std::size_t flag : set) expected[flag] = true;
        EXPECT_EQ(flags, expected) << text;
        EXPECT_EQ(anyLinks, flags[section::kOrifices]) << text;  // the only links here
    }
}

TEST(DataLine, SplitsWordsAtBlanksAloneAndReadsEachNumberWhole) {
    // The line; its words joined by "|" ("!" for a malformed rest) and how a name and two numbers
    // read from it.
    using Status = InpLineValues::Status;
    const std::tuple<std::string_view, std::string_view, Status> cases[] = {
        {"J1 \t 10.5 -2e3", "J1|10.5|-2e3", Status::Ok},
        {"'J,2* 1 1", "'J,2*|1|1", Status::Ok},
        {"\"J 4\" 1 1", "J 4|1|1", Status::Ok},
        {"\"C,1 \"\"x\"\"\" 1 1", "C,1 \"x\"|1|1", Status::Ok},
        {"J\"1 1 1", "J\"1|1|1", Status::Ok},  // a quote within a word is a character of it
        {"J2 2*100", "J2|2*100", Status::BadValue},
        {"J3 200,,", "J3|200,,", Status::BadValue},
        {"J4 3* 1", "J4|3*|1", Status::BadValue},
        {"J5 \"1\" 1", "J5|1|1", Status::BadValue},  // a quoted number is a text
        {"J6 1", "J6|1", Status::EndOfLine},
        {"\"J 7 1 1", "!", Status::BadValue},
        {"\"J\"7 1 1", "!", Status::BadValue},
    };
    for (const auto& [line, words, status] : cases) {
        SCOPED_TRACE(line);
        InpWords split(line);
        std::string word;
        std::string joined;
        for (auto item = split.next(word); item != InpWords::Item::EndOfLine; item = split.next(word)) {
            if (!joined.empty()) joined += '|';
            joined += item == InpWords::Item::Word ? word : "!";
        }
        EXPECT_EQ(joined, words);
        EXPECT_EQ(inpCountWords(line), static_cast<int>(std::count(words.begin(), words.end(), '|') + 1));
        std::string name;
        double x = 0;
        double y = 0;
        EXPECT_EQ(InpLineValues(line).text(name).real8(x).real8(y).status(), status);
    }
}

}  // namespace
}  // namespace zx::convert
