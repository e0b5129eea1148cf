// tests/convert/network_test.cpp: finding records by name gives what a scan from the start of
// the table would give.
#include "convert/network.hpp"

#include <gtest/gtest.h>

namespace zx::convert {
namespace {

TEST(NetworkLookup, FindsTheFirstRecordOfANameAsAnAsameScanWould) {
    ConduitTable conduits;
    for (std::string_view name : {"C1", "c1", "\"C2\"", "C2", " C3"}) {
        inpConduit conduit;
        conduit.Name = name;
        conduits.append(conduit);
    }
    const std::pair<std::string_view, std::optional<std::size_t>> cases[] = {
        {"c1", 0},
        {"C1   ", 0},  // trailing blanks never count
        {"'c2'", 2},   // quotes dropped, case folded
        {"C3", 4},     // leading blanks dropped
        {"C4", std::nullopt},
    };
    for (const auto& [name, found] : cases) EXPECT_EQ(conduits.find(name), found) << name;
}

}  // namespace
}  // namespace zx::convert
