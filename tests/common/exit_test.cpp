// tests/common/exit_test.cpp: how runs end and the unit module's small console routines.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

#include "common/exit.hpp"
#include "common/units.hpp"
#include "platform/process.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::ConsoleCapture;

TEST(ExitDeathTest, EndsWithTheClosePromptAndAFailureUnlessTheRunSucceeded) {
    ZX_EXPECT_STOP({
        INITUNITS(1000);
        EXITS();
    }, "^\nPress Enter to Close\n$");
    EXPECT_EXIT({
        test::consoleToStderr();
        INITUNITS(1000);
        platform::markRunSuccessful();
        EXITS();
    }, ::testing::ExitedWithCode(0), "Press Enter to Close");
}

TEST(ExitDeathTest, ClosesOpenUnitsSoTheirLastWritesReachTheDisk) {
    test::TempDir dir;
    const std::string path = dir.file("pending.txt");
    EXPECT_EXIT({
        test::consoleToStderr();
        INITUNITS(1000);
        int unit = 0;
        OPENFREEUNIT(unit, "O ", path, 1);
        writeUnitRecord(unit, "last line");
        platform::markRunSuccessful();
        EXITS();
    }, ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(test::readText(path), "last line\n");
}

TEST(ExitDeathTest, AWriteErrorAtTheEndFailsEvenASuccessfulRun) {
    ZX_EXPECT_STOP({
        INITUNITS(1000);
        int unit = 0;
        OPENFREEUNIT(unit, "O ", "/dev/full", 1);
        writeUnitRecord(unit, "lost");
        platform::markRunSuccessful();
        EXITS();
    }, "ERROR - Unable to write file /dev/full");
}

TEST(ExitDeathTest, AllocationFailureAndInternalStopsEndTheRunWithTheirMessages) {
    CHECKALLOCATION(0);
    ZX_EXPECT_STOP(CHECKALLOCATION(1), "^\nERROR - Could not allocate enough memory \\(RAM\\)\\.\n");
    ZX_EXPECT_STOP(internalStop("Should not be here [probe]"),
                   "^\nShould not be here \\[probe\\] - please contact .*@.*\\.\n");
}

TEST(TerminatedTexts, ANulEndsTheSignificantTextWhereThereIsRoomForIt) {
    using Measure = int (*)(char*, std::size_t);
    const std::tuple<Measure, std::string_view, int, std::string_view> cases[] = {
        {LENSL, "abc   ", 3, std::string_view("abc\0  ", 6)},
        {LENSL, "      ", 0, "      "},
        {LENSL, "abcde", 5, "abcde"},
        {LENTOBLANK, "ab cd", 2, std::string_view("ab\0cd", 5)},
    };
    for (const auto& [routine, input, length, after] : cases) {
        std::string text(input);
        EXPECT_EQ(routine(text.data(), text.size()), length) << input;
        EXPECT_EQ(text, after);
    }
}

TEST(ConsoleRoutines, WriteWithoutEndingTheLineAndReadAnswersUntilTheInputEnds) {
    {
        ConsoleCapture console("yes\n  typed name   \n");
        WRITENOADV("abcdef", 3);
        std::string padded = "xy   ";
        WRITETRIMNOADV(padded.data(), padded.size());
        EXPECT_TRUE(ASKINVALIDUNIT("Continue"));
        char text[14];
        int count = 0;
        READCONSOLELINE(text, sizeof text, count);
        EXPECT_EQ(count, 12);
        EXPECT_EQ(std::string(text, 14), std::string("  typed name\0 ", 14));
        EXPECT_EQ(console.text(), "abcxyContinue? ");
    }
    INITUNITS(1000);
    ConsoleCapture console;
    EXPECT_FALSE(ASKINVALIDUNIT("Continue"));
    PAUSEMSG();  // at the end of input a pause returns at once
    EXPECT_EQ(console.text(), "Continue? \nPress Enter to Continue\n");
}

TEST(ConsoleRoutines, FlagLettersAreSetInEitherCase) {
    INITUNITS(1000);
    auto& flags = units().settings().flagLetters;
    flags.fill(false);
    ConsoleCapture console("aZ-q\n");
    ASKFLAGS();
    for (int k = 0; k < 26; ++k) {
        EXPECT_EQ(flags[static_cast<std::size_t>(k)], k == 0 || k == 25 || k == 'Q' - 'A') << k;
    }
}

TEST(SignTest, ZeroCountsAsPositive) {
    EXPECT_FALSE(SAMESIGN(0, -1));
    EXPECT_TRUE(SAMESIGN(0, 5));
    EXPECT_FALSE(SAMESIGN(-0.5f, 0.5f));
}

}  // namespace
}  // namespace zx
