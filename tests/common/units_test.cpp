// tests/common/units_test.cpp: the unit table: numbers handed out, the console dialogue of the
// opener, shared files, reserved slots and the save-date check.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::ConsoleCapture;
using test::readText;
using test::TempDir;
using test::writeText;

class UnitTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.init(1000); }
    UnitTable table;
    TempDir dir{true};
};

TEST_F(UnitTableTest, HandsOutTheFirstFreeUnitAndReportsEachOpenAndClose) {
    writeText("in.txt", "x\n");
    ConsoleCapture console;
    int in = 0;
    int out = 0;
    table.openFree(in, "I ", "in.txt");
    table.openFree(out, "O ", "out.mif");
    EXPECT_EQ(in, 1001);
    EXPECT_EQ(out, 1002);
    table.close(in);
    EXPECT_EQ(in, 0);
    int again = 0;
    table.openFree(again, "O ", "out2.MID");
    EXPECT_EQ(again, 1001);
    EXPECT_EQ(console.text(),
              " Trying to open file in.txt...OK. Opened File Unit:1001\n"
              " Trying to open file out.mif...OK.  File Unit:1002\n"
              "...Closed File Unit:1001\n"
              " Trying to open file out2.MID...OK.  File Unit:1001\n");
    EXPECT_EQ(table.fileType(1001), 102);
    EXPECT_EQ(table.fileType(1002), 101);
}

TEST_F(UnitTableTest, ClosingWhatIsNotOpenChangesNothing) {
    ConsoleCapture console;
    int closed = 1001;  // a table unit that is not in use
    table.close(closed);
    int none = 0;
    table.close(none);
    int foreign = 42;
    table.close(foreign);
    EXPECT_EQ(closed, 1001);
    EXPECT_EQ(foreign, 42);
    EXPECT_EQ(console.text(), "");
}

TEST_F(UnitTableTest, OtherExtensionsKeepTheSlotsFileTypeCode) {
    ConsoleCapture console;
    int unit = 0;
    table.openFree(unit, "O ", "a.12da");
    table.close(unit);
    table.openFree(unit, "O ", "a.csv");
    EXPECT_EQ(table.fileType(unit), 111);
}

TEST_F(UnitTableTest, BaseBelowNineBecomesNine) {
    table.init(5);
    EXPECT_EQ(table.reservedSlot(1).unit, 2);
    EXPECT_EQ(table.reservedSlot(8).unit, 9);
    EXPECT_EQ(table.tableSlot(1).unit, 10);
    EXPECT_EQ(table.tableSlot(1000).unit, 1009);
}

TEST_F(UnitTableTest, UnrecognisedModeOpensNothingAndLeavesTheSlotFree) {
    ConsoleCapture console;
    int unit = 0;
    table.openFree(unit, "XX", "a.txt");
    EXPECT_EQ(unit, 0);
    EXPECT_FALSE(table.tableSlot(1).inUse);
    EXPECT_FALSE(std::filesystem::exists("a.txt"));
    EXPECT_EQ(console.text(), " Trying to open file a.txt...  Unrecognised file type XX file a.txt\n");
}

TEST_F(UnitTableTest, KeepingModesShareOneFileSoBothUnitsWriteItInOrder) {
    ConsoleCapture console;
    int little = 0;
    int big = 0;
    table.openFree(little, "SB", "set.shp");
    table.openFree(big, "SE", "set.shp");
    ASSERT_NE(little, 0);
    ASSERT_NE(big, 0);
    EXPECT_EQ(table.file(little), table.file(big));
    EXPECT_EQ(table.find(big)->order, ByteOrder::Big);
    table.file(little)->write("ab");
    table.file(big)->write("cd");
    table.close(little);
    table.file(big)->write("ef");
    table.close(big);
    EXPECT_EQ(readText("set.shp"), "abcdef");
}

TEST_F(UnitTableTest, KeepingModesLeaveAnExistingFileInPlace) {
    writeText("old.shx", "0123456789");
    ConsoleCapture console;
    int unit = 0;
    table.openFree(unit, "SB", "old.shx");
    table.file(unit)->write("ab");
    table.close(unit);
    EXPECT_EQ(readText("old.shx"), "ab23456789");
}

TEST_F(UnitTableTest, MissingInputAsksForAnotherName) {
    writeText("real.inp", "x\n");
    ConsoleCapture console("\n   real.inp\n");
    int unit = 0;
    table.openFree(unit, "I ", "gone.inp");
    EXPECT_EQ(unit, 1001);
    EXPECT_EQ(table.lastOpenedName(), "real.inp");
    EXPECT_EQ(console.text(),
              " Trying to open file gone.inp... CHECK 0008 - \"gone.inp\" cannot be found\n"
              " Check file exists and press enter or enter another file name: "
              " No file name entered.  Trying file again...\n"
              " Trying to open file gone.inp... CHECK 0008 - \"gone.inp\" cannot be found\n"
              " Check file exists and press enter or enter another file name: "
              " Trying to open file real.inp...OK. Opened File Unit:1001\n");
}

TEST_F(UnitTableTest, ATypedNameIsCutAtEightyCharacters) {
    const std::string longName(80, 'n');
    writeText(longName, "x\n");
    ConsoleCapture console(longName + "IGNORED\n");
    int unit = 0;
    table.openFree(unit, "I ", "gone.inp");
    EXPECT_EQ(table.lastOpenedName(), longName);
}

TEST_F(UnitTableTest, AnAppendThatFailsOnAnExistingFileAllocatesNoUnit) {
    std::filesystem::create_directory("folder.log");
    ConsoleCapture console;
    int unit = 0;
    table.openFree(unit, "A ", "folder.log");
    EXPECT_EQ(unit, 0);
    EXPECT_FALSE(table.tableSlot(1).inUse);
    EXPECT_EQ(console.text(), " Trying to open file folder.log...FAILED.  No File Unit allocated.\n");
}

TEST_F(UnitTableTest, AnOutputOpenTwiceIsClosedOnRequestAndReplaced) {
    ConsoleCapture console("y\n");
    int first = 0;
    int second = 0;
    table.openFree(first, "O ", "twice.txt");
    table.file(first)->write("old");
    table.openFree(second, "O ", "twice.txt");
    EXPECT_EQ(second, 1002);
    EXPECT_EQ(table.file(first), nullptr);
    table.file(second)->write("new");
    table.close(second);
    EXPECT_EQ(readText("twice.txt"), "new");
    EXPECT_NE(console.text().find("\ntwice.txt is already open, close it? "), std::string::npos);
}

TEST_F(UnitTableTest, ReservedSlotsOpenByNumberWithTheirStoredNames) {
    writeText("main.inp", "x\n");
    ConsoleCapture console;
    int unit = 0;
    table.opener2(1, unit, "  main.inp", "I ", "input", 0);
    EXPECT_EQ(unit, 993);
    EXPECT_TRUE(table.named(1));
    EXPECT_EQ(table.getName(1), "main.inp");
    EXPECT_FALSE(table.named(2));
    int derived = 0;
    table.opener3(2, derived, "O ", "output", 0, "o_");
    EXPECT_EQ(derived, 994);
    EXPECT_EQ(table.getName(2), "o_main.inp");
    int built = 0;
    table.openFree2(built, "O ", "p ", ".log");
    EXPECT_EQ(table.lastOpenedName(), "pmain.inp.log");
    table.clearSlotName(2);
    EXPECT_FALSE(table.named(2));
    table.close(unit);
    EXPECT_EQ(unit, 0);
}

TEST_F(UnitTableTest, SaveDateCheckComparesTheTwoFiles) {
    writeText("layer.mid", "");
    writeText("layer.tab", "");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time("layer.tab", now - std::chrono::hours(1));
    std::filesystem::last_write_time("layer.mid", now);
    int a = 0;
    int b = 0;
    {
        ConsoleCapture console;
        EXPECT_TRUE(table.checkSaveDate("layer.mid", "layer.tab", a, b, false, 0));
        EXPECT_EQ(console.text(), "Checking save date is later than that of layer.tab...OK \n");
    }
    std::filesystem::last_write_time("layer.tab", now + std::chrono::hours(1));
    {
        ConsoleCapture console;
        EXPECT_TRUE(table.checkSaveDate("layer.mid", "layer.tab", a, b, false, 0));
        EXPECT_EQ(console.text(),
                  "Checking save date is later than that of layer.tab...NOT OK \n"
                  "WARNING 0004     - Save date of \"layer.tab\" file is later than that of \"layer.mid\"\n");
    }
    {
        ConsoleCapture console;
        EXPECT_TRUE(table.checkSaveDate("gone.mid", "layer.tab", a, b, false, 0));
        EXPECT_NE(console.text().find("WARNING 0004     - Could not access save date of \"gone.mid\""),
                  std::string::npos);
    }
    {
        ConsoleCapture console("\n");
        table.openFree(a, "I ", "layer.mid");
        table.openFree(b, "I ", "layer.tab");
        EXPECT_FALSE(table.checkSaveDate("layer.mid", "layer.tab", a, b, true, 0));
        EXPECT_EQ(a, 0);
        EXPECT_EQ(b, 0);
        EXPECT_NE(console.text().find("Re-export mif file and press Enter, or close window."), std::string::npos);
    }
}

using UnitTableDeathTest = UnitTableTest;

TEST_F(UnitTableDeathTest, QuestionsThatInputCanNoLongerAnswerEndTheRun) {
    ZX_EXPECT_STOP({
        int unit = 0;
        table.openFree(unit, "I ", "gone.inp");
    }, "CHECK 0008 - \"gone.inp\" cannot be found\n.*ERROR - End of input reached.*gone.inp");
    ZX_EXPECT_STOP({
        int unit = 0;
        table.openFree(unit, "O ", "no_such_folder/out.txt");
    }, "Can't Open\n\n Can't open: no_such_folder/out.txt\n(.*\n)*Press Enter to Continue\n\nERROR - End of input");
}

TEST_F(UnitTableDeathTest, AnInputThatCannotBeOpenedStopsWithTheSystemsReason) {
    std::filesystem::create_directory("folder.inp");
    ZX_EXPECT_STOP({
        int unit = 0;
        table.openFree(unit, "I ", "folder.inp");
    }, "ERROR - Unable to open file folder.inp: Is a directory");
}

TEST_F(UnitTableDeathTest, AWriteErrorFoundAtCloseEndsTheRun) {
    ZX_EXPECT_STOP({
        ConsoleCapture quiet;
        int unit = 0;
        table.openFree(unit, "O ", "/dev/full");
        table.file(unit)->write("data");
        test::consoleToStderr();
        table.close(unit);
    }, "ERROR - Unable to write file /dev/full: No space left on device");
}

TEST_F(UnitTableDeathTest, DirectStopsNameTheirCause) {
    ZX_EXPECT_STOP({
        int unit = 0;
        table.openFree(unit, "O ", "   ");
    }, "Empty filename specified.  Bailing out.  Please contact ");
    ZX_EXPECT_STOP({
        int unit = 0;
        table.opener(9, unit, "I ", "input", 0);
    }, "Incorrect file number - OPENER");
    ZX_EXPECT_STOP({
        table.named(0);
    }, "Invalid file number - NAMED");
    ZX_EXPECT_STOP({
        table.getName(9);
    }, "Invalid file number - GETNAM");
    ZX_EXPECT_STOP({
        writeText("x.inp", "");
        int unit = 0;
        table.opener2(1, unit, "x.inp", "I ", "input", 0);
        table.opener(1, unit, "I ", "input", 0);
    }, "File already opened - OPENER");
    ZX_EXPECT_STOP({
        int unit = 0;
        for (int i = 0; i <= UnitTable::kTableSlots; ++i) table.openFree(unit, "SB", "many.bin");
    }, "No free file numbers.");
}

}  // namespace
}  // namespace zx
