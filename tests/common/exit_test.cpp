// tests/common/exit_test.cpp: how runs end and the unit module's small console routines.
#include <gtest/gtest.h>

#include <cstring>

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
    ZX_EXPECT_STOP({
        INITUNITS(1000);
        units().settings().pauseOnExit = false;
        EXITS();
    }, "^$");
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

TEST(ExitDeathTest, AllocationFailureStopsWithItsMessage) {
    CHECKALLOCATION(0);
    ZX_EXPECT_STOP(CHECKALLOCATION(1), "^\nERROR - Could not allocate enough memory \\(RAM\\)\\.\n");
}

TEST(ExitDeathTest, InternalStopAsksTheUserToContactTheMaker) {
    ZX_EXPECT_STOP(internalStop("Should not be here [probe]"),
                   "^\nShould not be here \\[probe\\] - please contact .*@.*\\.\n");
}

struct LengthCase {
    std::string_view text;
    int lensl;
    std::string_view afterLensl;
    int toBlank;
    std::string_view afterToBlank;
};
const LengthCase kLengthCases[] = {
    {std::string_view("abc       ", 10), 3, std::string_view("abc\0      ", 10), 3, std::string_view("abc\0      ", 10)},
    {std::string_view("          ", 10), 0, std::string_view("          ", 10), 0, std::string_view("\0         ", 10)},
    {std::string_view("abcde", 5), 5, "abcde", 5, "abcde"},
    {std::string_view("ab cd", 5), 5, "ab cd", 2, std::string_view("ab\0cd", 5)},
    {std::string_view("ab\0  ", 5), 2, std::string_view("ab\0  ", 5), 2, std::string_view("ab\0  ", 5)},
};

TEST(TerminatedTexts, LengthsAndTheNulWrittenBehindThem) {
    for (const auto& c : kLengthCases) {
        std::string text(c.text);
        SCOPED_TRACE(text);
        EXPECT_EQ(LENSL(text.data(), text.size()), c.lensl);
        EXPECT_EQ(text, c.afterLensl);
        text = std::string(c.text);
        EXPECT_EQ(LENTOBLANK(text.data(), text.size()), c.toBlank);
        EXPECT_EQ(text, c.afterToBlank);
    }
}

TEST(ConsoleRoutines, WriteWithoutEndingTheLine) {
    ConsoleCapture console;
    WRITENOADV("abcdef", 3);
    std::string padded = "xy   ";
    WRITETRIMNOADV(padded.data(), padded.size());
    EXPECT_EQ(console.text(), "abcxy");
    EXPECT_EQ(padded, std::string("xy\0  ", 5));
}

TEST(ConsoleRoutines, QuestionsReadTheirAnswerFromTheConsole) {
    {
        ConsoleCapture console("yes\n");
        EXPECT_TRUE(ASKINVALIDUNIT("Continue"));
        EXPECT_EQ(console.text(), "Continue? ");
    }
    {
        ConsoleCapture console("N\n");
        EXPECT_FALSE(ASKINVALIDUNIT("Continue"));
    }
    {
        ConsoleCapture console;
        EXPECT_FALSE(ASKINVALIDUNIT("Continue"));
    }
    {
        ConsoleCapture console("  typed name   \n");
        char text[20];
        int count = 0;
        READCONSOLELINE(text, sizeof text, count);
        EXPECT_EQ(count, 12);
        EXPECT_EQ(std::string(text, 14), std::string("  typed name\0 ", 14));
    }
}

TEST(ConsoleRoutines, FlagLettersAreSetInEitherCase) {
    INITUNITS(1000);
    auto& flags = units().settings().flagLetters;
    flags.fill(false);
    ConsoleCapture console("aZ-q\n");
    ASKFLAGS();
    EXPECT_EQ(console.text(), "Set flags: ");
    for (int k = 0; k < 26; ++k) {
        SCOPED_TRACE(static_cast<char>('A' + k));
        EXPECT_EQ(flags[static_cast<std::size_t>(k)], k == 0 || k == 25 || k == 'Q' - 'A');
    }
}

TEST(ConsoleRoutines, PauseWaitsForEnterAndReturnsAtTheEndOfInput) {
    INITUNITS(1000);
    ConsoleCapture console;
    PAUSEMSG();
    EXPECT_EQ(console.text(), "\nPress Enter to Continue\n");
}

TEST(SignTest, ZeroCountsAsPositive) {
    EXPECT_FALSE(SAMESIGN(0, -1));
    EXPECT_TRUE(SAMESIGN(0, 5));
    EXPECT_TRUE(SAMESIGN(-2, -3));
    EXPECT_FALSE(SAMESIGN(-0.5f, 0.5f));
}

}  // namespace
}  // namespace zx
