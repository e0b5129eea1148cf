// tests/convert/network_test.cpp: finding records by name gives what a scan from the start of
// the table would give.
#include "convert/network.hpp"

#include <gtest/gtest.h>

namespace zx::convert {
namespace {

TEST(NetworkLookup, FindsTheFirstRecordOfANameAsAsameOrExactComparisonWouldScan) {
    ConduitTable conduits;
    for (std::string_view name : {"C1", "c1", "\"C2\"", "C2", " C3"}) {
        inpConduit conduit;
        conduit.Name = name;
        conduits.append(conduit);
    }
    const std::tuple<std::string_view, std::optional<std::size_t>, std::optional<std::size_t>> cases[] = {
        // name looked up, ASAME match, exact match
        {"c1", 0, 1},
        {"C1   ", 0, 0},               // trailing blanks never count
        {"'c2'", 2, std::nullopt},      // ASAME drops quotes and folds case
        {"C3", 4, std::nullopt},        // leading blanks count only when compared exactly
        {"C4", std::nullopt, std::nullopt},
    };
    for (const auto& [name, asame, exact] : cases) {
        EXPECT_EQ(conduits.find(name), asame) << name;
        EXPECT_EQ(conduits.findExact(name), exact) << name;
    }
}

}  // namespace
}  // namespace zx::convert
