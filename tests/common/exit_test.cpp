// tests/common/exit_test.cpp: how runs end and the unit module's small console routines.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
    // A successful end closes the open units, so their last writes reach the disk.
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
    }, ::testing::ExitedWithCode(0), "Press Enter to Close");
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
    std::string blanks = "   ", full = "abc", word = "ab cd";
    EXPECT_EQ(LENSL(blanks.data(), blanks.size()), 0);
    EXPECT_EQ(LENSL(full.data(), full.size()), 3);
    EXPECT_EQ(LENTOBLANK(word.data(), word.size()), 2);
    EXPECT_EQ(blanks + full + word, std::string("   abcab\0cd", 11));
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
    for (std::size_t k = 0; k < flags.size(); ++k) EXPECT_EQ(flags[k], k == 0 || k == 'Q' - 'A' || k == 25) << k;
}

TEST(SignTest, ZeroCountsAsPositive) {
    EXPECT_FALSE(SAMESIGN(0, -1));
    EXPECT_TRUE(SAMESIGN(0, 5));
    EXPECT_FALSE(SAMESIGN(-0.5f, 0.5f));
}

}  // namespace
}  // namespace zx
