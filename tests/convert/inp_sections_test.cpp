// tests/convert/inp_sections_test.cpp: the section scan. How lines are cleaned is checked through
// the readers and on the corpus.
#include "convert/inp_sections.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "convert/inp_file.hpp"

namespace zx::convert {
namespace {

TEST(SectionScan, SetsTheFlagOfEachHeaderItKnowsAndWarnsOfOthers) {
    // The file's lines; the flags set and the console.
    const std::tuple<std::string_view, std::vector<std::size_t>, std::string_view> cases[] = {
        {"[junctions]\n", {section::kJunctions}, ""},
        {" [JUNCTIONS]\n", {}, ""},  // a header starts in column 1
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

}  // namespace
}  // namespace zx::convert
