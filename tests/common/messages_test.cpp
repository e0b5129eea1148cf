// tests/common/messages_test.cpp: issuing the pending message: kinds, numbers, counters, outputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>

#include "common/fortran_abi.hpp"
#include "common/messages.hpp"
#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::ConsoleCapture;

class MessageBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        DMESSAGECLEAR();
        DMESSAGERESETCOUNTERS();
        block.logUnit = block.msgMidUnit = 0;
        block.xyMifUnit = block.xyMidUnit = block.checkMifUnit = block.checkMidUnit = 0;
        units().init(1000);
    }
    void TearDown() override { SetUp(); }
    // Output units opened and closed without their console reports.
    int open(std::string_view name) {
        ConsoleCapture quiet;
        int unit = 0;
        OPENFREEUNIT(unit, "O ", dir.file(name), 1);
        return unit;
    }
    void close(int unit) {
        ConsoleCapture quiet;
        CLOSER(unit);
    }
    DMessageBlock& block = messageBlock();
    test::TempDir dir;
};

TEST_F(MessageBlockTest, KindAndNumberComeFromTheLeadingWordAndAreCounted) {
    const std::tuple<std::string_view, MessageKind, int> cases[] = {
        {"ERROR 0203 - No = sign", MessageKind::Error, 203}, {"ERROR - text", MessageKind::Error, 0},
        {"WARNING 0305 - x", MessageKind::Warning, 305},     {"Warning 0305 - x", MessageKind::Unclassified, 0},
        {"UNSTABLE 0010", MessageKind::Unstable, 10},        {"CHECK 0008 - \"a\" missing", MessageKind::Check, 8},
    };
    for (const auto& [line1, kind, number] : cases) {
        issueMessage(-2, line1);
        EXPECT_EQ(block.kind, static_cast<int>(kind)) << line1;
        EXPECT_EQ(block.number, number) << line1;
    }
    EXPECT_EQ((std::array{block.nError, block.nWarning, block.nCheck}), (std::array{2, 1, 1}));
}

TEST_F(MessageBlockTest, IssuingPrintsBlankLinesThenTheLinesAndClearsTheBlock) {
    ConsoleCapture console;
    setField(block.line1, "ERROR 0203 - No = sign");
    setField(block.line3, "third");
    setField(block.attr2, "b");
    DMESSAGE(1);
    block.oneLine = abi::kTrue;
    setField(block.prefix, "XY:");
    setField(block.line1, "CHECK 1 - a");
    setField(block.line2, "more");
    DMESSAGE(0);
    // Nothing of the first message shows in the second: the block was cleared.
    EXPECT_EQ(console.text(), "\nERROR 0203 - No = sign\nthird\n; b\nXY: CHECK 1 - a  more\n");
    EXPECT_FALSE(abi::isTrue(block.oneLine));
}

TEST_F(MessageBlockTest, BlankLineCountChoosesConsoleAndLogAndLongLinesReachThemWhole) {
    block.logUnit = open("log.txt");
    const std::string longLine = "WARNING 3 - " + std::string(5000, 'x');
    ConsoleCapture console;
    issueMessage(-1, "WARNING 1 - to the log only");
    issueMessage(-2, "WARNING 2 - nowhere");
    issueMessage(2, longLine);
    EXPECT_EQ(console.text(), "\n\n" + longLine + "\n");
    close(block.logUnit);
    EXPECT_EQ(test::readText(dir.file("log.txt")), "WARNING 1 - to the log only\n\n\n" + longLine + "\n");
}

TEST_F(MessageBlockTest, ClassifiedMessagesLeaveARecordInTheMessagesLayer) {
    block.msgMidUnit = open("messages.mid");
    block.X = 1.5;
    block.Y = 2.25;
    setField(block.line1, "ERROR 12 - say \"hi\"");
    setField(block.attr1, "a1");
    ConsoleCapture console;
    DMESSAGE(-2);
    issueMessage(-2, "plain text leaves no record");
    close(block.msgMidUnit);
    EXPECT_EQ(test::readText(dir.file("messages.mid")),
              " 0012, 1,           1.500,           2.250, \"ERROR 12 - say \"\"hi\"\"\", \"a1\", \"\", \"\"\n");
}

TEST_F(MessageBlockTest, LocatedMessageWritesATextObjectCentredOnThePointWhileItsUnitsAreOpen) {
    block.xyMifUnit = open("xy.mif");
    block.xyMidUnit = open("xy.mid");
    block.labelHeight = 2;
    block.labelWidth = 10;
    setField(block.line1, "ERROR 7 - a");
    setField(block.line2, "b \"q\"");
    setField(block.line3, "c");
    ConsoleCapture console;
    DMESSAGEXY(0, 100, 50);
    close(block.xyMifUnit);
    close(block.xyMidUnit);
    setField(block.line1, "ERROR 8 - the layer is closed");
    DMESSAGEXY(0, 1, 2);
    EXPECT_EQ(console.text(), "XY: ERROR 7 - a\nb \"q\"\nc\nXY: ERROR 8 - the layer is closed\n");
    EXPECT_EQ(block.nErrorXY, 2);
    EXPECT_EQ(test::readText(dir.file("xy.mif")),
              "Text\n"
              "\"ERROR 7 - a\\nb \"\"q\"\"\\nc\"\n"
              "             102.000          47.000         112.000          53.000\n"
              "    Font (\"Arial\",257,0,16711935,0)\n"
              "    Label Line Arrow          100.000          50.000\n");
    EXPECT_EQ(test::readText(dir.file("xy.mid")), "\"ERROR 7 - a  b \"\"q\"\"  c  \"\n");
}

TEST_F(MessageBlockTest, ResetGivesTheBlockOfProcessStart) {
    // At process start every number is 0 but the location, -99999, and every text is blank.
    DMessageBlock start{};
    start.X = start.Y = -99999;
    for (char* text : {start.line1, start.line2, start.line3, start.line4, start.attr1, start.attr2, start.attr3}) {
        std::fill_n(text, kMessageLineLength, ' ');
    }
    std::fill_n(start.prefix, sizeof start.prefix, ' ');
    std::memset(&block, 'x', sizeof block);
    resetMessageBlock();
    EXPECT_EQ(std::memcmp(&block, &start, sizeof block), 0);
}

}  // namespace
}  // namespace zx
