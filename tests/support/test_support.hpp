// tests/support/test_support.hpp: what the tests share: temporary folders, console capture,
// file contents and running the program as a user would.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zx::test {

// A fresh folder, removed again at the end of the test; optionally the working folder meanwhile.
class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool entered_ = false;
};

// Points the console at a temporary file and feeds it the given input; restores it at the end.
class ConsoleCapture {
public:
    explicit ConsoleCapture(std::string_view input = {});
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;
    std::string text();

private:
    std::FILE* out_ = nullptr;
    std::FILE* in_ = nullptr;
    std::FILE* previousOut_ = nullptr;
};

// For death tests: the console writes to standard error (which the death test matches) and reads
// from an empty input, so every pause returns at once.
void consoleToStderr();

std::string readText(const std::filesystem::path& path);
std::vector<unsigned char> readBytes(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, std::string_view text);

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs a program with the given arguments in the given folder, standard input from the text.
RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& folder, std::string_view input = {});

// Whether a program is found on PATH, the one way the tests find outside readers.
bool onPath(std::string_view program);

// Runs a program found on PATH with the arguments, in the folder.
RunResult runFromPath(std::vector<std::string> argv, const std::filesystem::path& folder);

}  // namespace zx::test

// A test that needs an outside program: skipped where it is not installed, failed under CI
// (CI=true), whose setup installs every program the tests use.
#define ZX_REQUIRE_PROGRAM(program)                                                       \
    do {                                                                                  \
        if (!::zx::test::onPath(program)) {                                               \
            if (std::getenv("CI") != nullptr) FAIL() << (program) << " is not on PATH";   \
            GTEST_SKIP() << (program) << " is not on PATH";                               \
        }                                                                                 \
    } while (false)

// A fatal path: the statement ends the process with a failure status and the console shows the
// pattern.
#define ZX_EXPECT_STOP(statement, pattern)                                                            \
    EXPECT_EXIT(                                                                                      \
        {                                                                                             \
            ::zx::test::consoleToStderr();                                                            \
            statement;                                                                                \
        },                                                                                            \
        ::testing::ExitedWithCode(1), pattern)
