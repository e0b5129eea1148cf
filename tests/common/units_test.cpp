// tests/common/units_test.cpp: the unit table: numbers handed out, the console dialogue of the
// opener, shared files, reserved slots and the save-date check.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>

#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::ConsoleCapture;
using test::readText;
using test::writeText;

class UnitTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.init(1000); }
    UnitTable table;
    test::TempDir dir{true};
};

TEST_F(UnitTableTest, HandsOutTheFirstFreeUnitAndReportsEachOpenAndClose) {
    writeText("in.txt", "x\n");
    ConsoleCapture console;
    int in = 0, out = 0, again = 0;
    table.openFree(in, "I ", "in.txt");
    table.openFree(out, "O ", "out.mif");
    table.close(in);
    EXPECT_EQ(in, 0);
    table.close(in);  // closing what is not open changes nothing
    table.openFree(again, "O ", "out2.MID");
    EXPECT_EQ(console.text(),
              " Trying to open file in.txt...OK. Opened File Unit:1001\n"
              " Trying to open file out.mif...OK.  File Unit:1002\n"
              "...Closed File Unit:1001\n"
              " Trying to open file out2.MID...OK.  File Unit:1001\n");
    EXPECT_EQ(table.fileType(again), 102);
}

TEST_F(UnitTableTest, OpensThatFailAllocateNoUnitAndLeaveTheSlotFree) {
    std::filesystem::create_directory("folder.log");
    ConsoleCapture console;
    int unrecognised = 0, append = 0;
    table.openFree(unrecognised, "XX", "a.txt");
    table.openFree(append, "A ", "folder.log");  // an append on a folder
    EXPECT_EQ(unrecognised + append, 0);
    EXPECT_FALSE(table.tableSlot(1).inUse);
    EXPECT_FALSE(std::filesystem::exists("a.txt"));
    EXPECT_EQ(console.text(),
              " Trying to open file a.txt...  Unrecognised file type XX file a.txt\n"
              " Trying to open file folder.log...FAILED.  No File Unit allocated.\n");
}

TEST_F(UnitTableTest, KeepingModesShareOneExistingFileSoBothUnitsWriteItInOrder) {
    writeText("set.shp", "0123456789");
    ConsoleCapture console;
    int little = 0, big = 0;
    table.openFree(little, "SB", "set.shp");
    table.openFree(big, "SE", "set.shp");
    ASSERT_EQ(table.find(big)->order, ByteOrder::Big);
    table.file(little)->write("ab");
    table.file(big)->write("cd");
    table.close(little);
    table.file(big)->write("ef");
    table.close(big);
    EXPECT_EQ(readText("set.shp"), "abcdef6789");
}

TEST_F(UnitTableTest, MissingInputAsksForAnotherName) {
    writeText("real.inp", "x\n");
    ConsoleCapture console("\n   real.inp\n");
    int unit = 0;
    table.openFree(unit, "I ", "gone.inp");
    EXPECT_EQ(console.text(),
              " Trying to open file gone.inp... CHECK 0008 - \"gone.inp\" cannot be found\n"
              " Check file exists and press enter or enter another file name: "
              " No file name entered.  Trying file again...\n"
              " Trying to open file gone.inp... CHECK 0008 - \"gone.inp\" cannot be found\n"
              " Check file exists and press enter or enter another file name: "
              " Trying to open file real.inp...OK. Opened File Unit:1001\n");
}

TEST_F(UnitTableTest, AnOutputOpenTwiceIsClosedOnRequestAndReplaced) {
    ConsoleCapture console("y\n");
    int first = 0, second = 0;
    table.openFree(first, "O ", "twice.txt");
    table.file(first)->write("old");
    table.openFree(second, "O ", "twice.txt");
    table.file(second)->write("new");
    table.close(second);
    EXPECT_EQ(readText("twice.txt"), "new");
    EXPECT_NE(console.text().find("\ntwice.txt is already open, close it? "), std::string::npos);
}

TEST_F(UnitTableTest, ReservedSlotsOpenByNumberWithTheirStoredNames) {
    const std::string model = "m_" + std::string(40, 'n') + ".inp";  // longer than any fixed buffer
    writeText(model, "x\n");
    ConsoleCapture console;
    int unit = 0, derived = 0, built = 0;
    table.opener2(1, unit, "  " + model, "I ", "input", 0);
    EXPECT_EQ(unit, 993);
    EXPECT_EQ(table.getName(1), model);
    table.opener3(2, derived, "O ", "output", 0, "o_");
    EXPECT_EQ(table.getName(2), "o_" + model.substr(2));
    table.openFree2(built, "O ", "p ", ".log");
    EXPECT_EQ(table.lastOpenedName(), "p" + model.substr(2) + ".log");
}

TEST_F(UnitTableTest, SaveDateCheckComparesTheTwoFilesAndWarnsWhenEitherCannotBeRead) {
    writeText("layer.mid", "");
    writeText("layer.tab", "");
    const auto now = std::filesystem::file_time_type::clock::now();  // layer.mid was saved just before
    const std::tuple<std::string_view, std::string_view, int, std::string_view> cases[] = {
        {"layer.mid", "layer.tab", -1, "layer.tab...OK \n"},
        {"gone.mid", "layer.tab", -1, "WARNING 0004     - Could not access save date of \"gone.mid\""},
        {"layer.mid", "gone.tab", -1, "Could not access save date of \"layer.mid\" to check with \"gone.tab\""},
        {"layer.mid", "layer.tab", 1,
         "layer.tab...NOT OK \n"
         "WARNING 0004     - Save date of \"layer.tab\" file is later than that of \"layer.mid\"\n"},
    };
    int a = 0, b = 0;
    for (const auto& [first, second, tabHours, expected] : cases) {
        std::filesystem::last_write_time("layer.tab", now + std::chrono::hours(tabHours));
        ConsoleCapture console;
        EXPECT_TRUE(table.checkSaveDate(first, second, a, b, false, 0));
        EXPECT_NE(console.text().find(expected), std::string::npos) << console.text();
    }
    ConsoleCapture console("\n");  // the later save date stands from the last case
    table.openFree(a, "I ", "layer.mid");
    table.openFree(b, "I ", "layer.tab");
    EXPECT_FALSE(table.checkSaveDate("layer.mid", "layer.tab", a, b, true, 0));
    EXPECT_EQ(a + b, 0);  // both closed, so the user can export again
    EXPECT_NE(console.text().find("Re-export mif file and press Enter, or close window."), std::string::npos);
}

// The branches that a library caller switches on through settings(), each with its dialogue:
// settings, mode, name, what the console answers, a stretch of the transcript, the file written.
struct BranchCase {
    void (*set)(UnitTable::Settings&);
    std::string_view mode, name, input, shown, written;
};
const BranchCase kBranches[] = {
    // Windowed: a missing folder is made on two Yes answers, or at once when asked to.
    {[](auto& s) { s.windowedMode = true; }, "O ", "new/out.txt", "y\ny\n",
     "Can't Open\nnew/\n\nAbove folder does not exist!  Create?\n", "new/out.txt"},
    {[](auto& s) { s.windowedMode = s.createMissingFolders = true; }, "O ", "made/out.txt", "",
     "...Can't Open\nOK.  File Unit:", "made/out.txt"},
    // The file already open is closed on Yes.
    {[](auto& s) { s.windowedMode = true; }, "O ", "open.txt", "y\n", "open.txt\nis already open.  Close it?\n",
     "open.txt"},
    // Drive letters replace the one a name starts with.
    {[](auto& s) { s.outputDriveLetter = 'd'; }, "O ", "c:out.txt", "", "file d:out.txt...OK.", "d:out.txt"},
    // Copies of the inputs: an output goes to the mirror folder, an input is copied there.
    {[](auto& s) {
         s.copyInputsMode = true;
         s.copyInputsFolder = "copy/";
     },
     "O ", "out.txt", "", "file out.txt...OK.", "copy/out.txt"},
    {[](auto& s) {
         s.copyInputsMode = s.copySingleInput = true;
         s.copyInputsFolder = "copy/";
     },
     "I ", "in.txt", "", "file in.txt...OK. Opened", "copy/in.txt"},
};

TEST_F(UnitTableTest, SwitchedOnBranchesHoldTheirDialogue) {
    for (const BranchCase& c : kBranches) {
        SCOPED_TRACE(c.name);
        UnitTable branch;
        branch.init(1000);
        c.set(branch.settings());
        writeText("in.txt", "x\n");
        int held = 0, unit = 0;
        ConsoleCapture console(c.input);
        if (c.name == "open.txt") branch.openFree(held, "O ", c.name);
        branch.openFree(unit, c.mode, c.name);
        EXPECT_NE(unit, 0);
        EXPECT_NE(console.text().find(c.shown), std::string::npos) << console.text();
        EXPECT_TRUE(std::filesystem::exists(c.written)) << c.written;
    }
}

using UnitTableDeathTest = UnitTableTest;

TEST_F(UnitTableDeathTest, CancelInAWindowEndsTheRun) {
    table.settings().windowedMode = true;
    table.settings().simulationName = "Sim";
    std::filesystem::create_directory("locked.txt");
    int unit = 0;
    EXPECT_EXIT(
        {
            test::consoleToStderr();
            table.openFree(unit, "I ", "gone.inp");
        },
        ::testing::ExitedWithCode(1), "\\[Sim\\]\n FILE and/or path\ndoes not exist.\nRetry or Cancel");
    EXPECT_EXIT(
        {
            test::consoleToStderr();
            table.openFree(unit, "O ", "locked.txt");
        },
        ::testing::ExitedWithCode(1), "locked.txt\n\nAbove file is locked by another application.\n");
}

TEST_F(UnitTableDeathTest, QuestionsThatInputCanNoLongerAnswerEndTheRun) {
    int unit = 0;
    ZX_EXPECT_STOP(table.openFree(unit, "I ", "gone.inp"),
                   "CHECK 0008 - \"gone.inp\" cannot be found\n.*ERROR - End of input reached.*gone.inp");
    ZX_EXPECT_STOP(table.openFree(unit, "O ", "no_such_folder/out.txt"),
                   "Can't Open\n\n Can't open: no_such_folder/out.txt\n(.*\n)*Press Enter to Continue\n\nERROR - End "
                   "of input");
}

TEST_F(UnitTableDeathTest, InputsThatCannotBeOpenedAndWritesThatFailEndTheRunWithTheSystemsReason) {
    std::filesystem::create_directory("folder.inp");
    int unit = 0;
    ZX_EXPECT_STOP(table.openFree(unit, "I ", "folder.inp"), "ERROR - Unable to open file folder.inp: Is a directory");
    ZX_EXPECT_STOP({
        ConsoleCapture quiet;
        table.openFree(unit, "O ", "/dev/full");
        table.file(unit)->write("data");
        test::consoleToStderr();
        table.close(unit);
    }, "ERROR - Unable to write file /dev/full: No space left on device");
}

TEST_F(UnitTableDeathTest, DirectStopsNameTheirCause) {
    int unit = 0;
    ZX_EXPECT_STOP(table.openFree(unit, "O ", "   "), "Empty filename specified.  Bailing out.  Please contact ");
    ZX_EXPECT_STOP(table.opener(9, unit, "I ", "input", 0), "Incorrect file number - OPENER");
    ZX_EXPECT_STOP(table.named(0), "Invalid file number - NAMED");
    ZX_EXPECT_STOP(table.getName(9), "Invalid file number - GETNAM");
    ZX_EXPECT_STOP({
        writeText("x.inp", "");
        table.opener2(1, unit, "x.inp", "I ", "input", 0);
        table.opener(1, unit, "I ", "input", 0);
    }, "File already opened - OPENER");
    ZX_EXPECT_STOP({
        for (int i = 0; i <= UnitTable::kTableSlots; ++i) table.openFree(unit, "SB", "many.bin");
    }, "No free file numbers.");
}

}  // namespace
}  // namespace zx
