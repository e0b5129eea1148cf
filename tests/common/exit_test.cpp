// tests/common/exit_test.cpp: how runs end and the unit module's small console routines.
#include <gtest/gtest.h>

#include <string>

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

TEST(ConsoleRoutines, WriteWithoutEndingTheLineMarkTextEndsAndReadAnswersUntilTheInputEnds) {
    {
        ConsoleCapture console("yes\n");
        WRITENOADV("abcdef", 3);
        std::string padded = "xy   ", word = "ab cd";
        WRITETRIMNOADV(padded.data(), padded.size());
        EXPECT_EQ(LENTOBLANK(word.data(), word.size()), 2);
        EXPECT_EQ(padded + word, std::string("xy\0  ab\0cd", 10));  // a NUL ends the text where there is room
        EXPECT_TRUE(ASKINVALIDUNIT("Continue"));
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
    ConsoleCapture console("aZ-q\n");
    ASKFLAGS();
    for (std::size_t k = 0; k < flags.size(); ++k) EXPECT_EQ(flags[k], k == 0 || k == 'Q' - 'A' || k == 25) << k;
}

}  // namespace
}  // namespace zx
