// tests/common/exports_test.cpp: the shared library shows exactly the names of its export list.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

namespace {

std::set<std::string> dynamicSymbols(const std::string& library) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only " + library;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        char address[64];
        char type[8];
        char name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, type, name) == 3) names.insert(name);
    }
    ::pclose(pipe);
    return names;
}

TEST(SharedLibrary, ExportsExactlyItsExportList) {
    std::set<std::string> expected;
    std::ifstream list(ZX_EXPORT_LIST);
    for (std::string name; list >> name;) expected.insert(name);
    ASSERT_FALSE(expected.empty());
    std::set<std::string> actual = dynamicSymbols(ZX_LIBRARY);
    // Symbol versioning adds the version node's own name.
    for (auto it = actual.begin(); it != actual.end();) {
        it = (it->rfind("ZERVANIX", 0) == 0 || it->find('@') != std::string::npos) ? actual.erase(it) : std::next(it);
    }
    EXPECT_EQ(actual, expected);
}

}  // namespace
