// tests/common/exports_test.cpp: the shared library shows exactly the names of its export list,
// and its routines meet callers by the exported convention.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

extern "C" {
void AREAL(char*, std::size_t, const float*);
void AREALD(char*, std::size_t, const float*, const std::int32_t*);
void CLEANPATH(char*, std::size_t, char*, std::size_t);
std::int32_t NUMBEROFSUBSTRINGS(char*, const char*, std::size_t, std::size_t);
}

namespace {

TEST(SharedLibrary, ExportsExactlyItsExportList) {
    std::set<std::string> expected, actual;
    std::ifstream list(ZX_EXPORT_LIST);
    for (std::string name; list >> name;) expected.insert(name);
    ASSERT_FALSE(expected.empty());
    std::FILE* pipe = ::popen("nm -D --defined-only --format=just-symbols " ZX_LIBRARY, "r");
    ASSERT_NE(pipe, nullptr);
    for (char name[512]; std::fscanf(pipe, "%511s", name) == 1;) actual.insert(name);
    ::pclose(pipe);
    EXPECT_EQ(actual, expected);
}

TEST(ExportedConvention, TextsAreFilledBlankPaddedCutAtTheDeclaredLengthAndCountedWhole) {
    char result[8];
    std::memset(result, 'x', sizeof result);
    const float half = 0.5F;
    AREAL(result, 3, &half);
    EXPECT_EQ(std::string_view(result, 4), "0.5x");  // nothing written past the declared length
    const std::int32_t minusTwo = -2;
    AREALD(result, sizeof result, &half, &minusTwo);
    EXPECT_EQ(std::string_view(result, 8), "1.      ");
    char path[] = {'a', '/', '/', 'b', ' ', ' '};
    CLEANPATH(result, sizeof result, path, sizeof path);
    EXPECT_EQ(std::string_view(result, 8), "a/b     ");
    EXPECT_EQ(std::string_view(path, 6), "a/b   ");
    // The whole declared text is searched: its trailing blanks are delimiters too.
    char text[] = {'a', ' ', 'b', ' ', ' ', ' '};
    EXPECT_EQ(NUMBEROFSUBSTRINGS(text, " ", sizeof text, 1), 5);
}

}  // namespace
