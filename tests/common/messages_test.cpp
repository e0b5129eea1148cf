// tests/common/messages_test.cpp: issuing the pending message: kinds, numbers, counters, outputs.
#include <gtest/gtest.h>

#include "common/fortran_abi.hpp"
#include "common/messages.hpp"
#include "common/units.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

using test::ConsoleCapture;
using test::readText;
using test::TempDir;

class MessageBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        DMESSAGECLEAR();
        DMESSAGERESETCOUNTERS();
        auto& b = messageBlock();
        b.logUnit = b.msgMidUnit = b.xyMifUnit = b.xyMidUnit = b.checkMifUnit = b.checkMidUnit = 0;
        b.labelHeight = b.labelWidth = 0;
    }
    void TearDown() override { SetUp(); }
    DMessageBlock& block = messageBlock();
};

struct KindCase {
    std::string_view line1;
    MessageKind kind;
    int number;
    int errors, warnings, checks;
};
constexpr KindCase kKindCases[] = {
    {"ERROR 0203 - No = sign", MessageKind::Error, 203, 1, 0, 0},
    {"ERROR - text", MessageKind::Error, 0, 1, 0, 0},
    {"WARNING 0305 - x", MessageKind::Warning, 305, 0, 1, 0},
    {"Warning 0305 - x", MessageKind::Unclassified, 0, 0, 0, 0},
    {"UNSTABLE 0010", MessageKind::Unstable, 10, 0, 0, 0},
    {"CHECK 0008 - \"a\" cannot be found", MessageKind::Check, 8, 0, 0, 1},
    {" ERROR 1 - indented", MessageKind::Unclassified, 0, 0, 0, 0},
};

TEST_F(MessageBlockTest, KindAndNumberComeFromTheLeadingWord) {
    for (const auto& c : kKindCases) {
        SCOPED_TRACE(c.line1);
        DMESSAGERESETCOUNTERS();
        ConsoleCapture console;
        issueMessage(-2, c.line1);
        EXPECT_EQ(block.kind, static_cast<int>(c.kind));
        EXPECT_EQ(block.number, c.number);
        EXPECT_EQ(block.nError, c.errors);
        EXPECT_EQ(block.nWarning, c.warnings);
        EXPECT_EQ(block.nCheck, c.checks);
        EXPECT_EQ(console.text(), "");
    }
}

TEST_F(MessageBlockTest, IssuingPrintsBlankLinesThenTheLinesAndClearsTheBlock) {
    ConsoleCapture console;
    setField(block.line1, "ERROR 0203 - No = sign");
    setField(block.line3, "third");
    setField(block.attr2, "b");
    block.X = 5;
    DMESSAGE(1);
    EXPECT_EQ(console.text(), "\nERROR 0203 - No = sign\nthird\n; b\n");
    EXPECT_EQ(fieldText(block.line1), "");
    EXPECT_EQ(fieldText(block.line4), "");
    EXPECT_EQ(block.X, -99999.0);
    EXPECT_EQ(block.nError, 1);
}

TEST_F(MessageBlockTest, OneLineJoinsTheLinesWithTwoBlanksAndThePrefixLeads) {
    ConsoleCapture console;
    setField(block.prefix, "XY:");
    setField(block.line1, "CHECK 1 - a");
    setField(block.line2, "more");
    block.oneLine = abi::kTrue;
    DMESSAGE(0);
    EXPECT_EQ(console.text(), "XY: CHECK 1 - a  more\n");
    EXPECT_FALSE(abi::isTrue(block.oneLine));
}

TEST_F(MessageBlockTest, BlankLineCountChoosesConsoleAndLog) {
    TempDir dir;
    int log = 0;
    UnitTable& table = units();
    table.init(1000);
    {
        ConsoleCapture quiet;
        OPENFREEUNIT(log, "O ", dir.file("log.txt"), 1);
    }
    block.logUnit = log;
    ConsoleCapture console;
    issueMessage(-1, "WARNING 1 - to the log only");
    issueMessage(-2, "WARNING 2 - nowhere");
    issueMessage(2, "WARNING 3 - everywhere");
    const std::string shown = console.text();
    EXPECT_EQ(shown, "\n\nWARNING 3 - everywhere\n");
    EXPECT_EQ(block.nWarning, 3);
    CLOSER(log);
    EXPECT_EQ(readText(dir.file("log.txt")), "WARNING 1 - to the log only\n\n\nWARNING 3 - everywhere\n");
}

TEST_F(MessageBlockTest, ClassifiedMessagesLeaveARecordInTheMessagesLayer) {
    TempDir dir;
    int mid = 0;
    units().init(1000);
    {
        ConsoleCapture quiet;
        OPENFREEUNIT(mid, "O ", dir.file("messages.mid"), 1);
    }
    block.msgMidUnit = mid;
    ConsoleCapture console;
    block.X = 1.5;
    block.Y = 2.25;
    setField(block.line1, "ERROR 12 - say \"hi\"");
    setField(block.attr1, "a1");
    DMESSAGE(-2);
    issueMessage(-2, "plain text leaves no record");
    {
        ConsoleCapture quiet;
        CLOSER(mid);
    }
    EXPECT_EQ(readText(dir.file("messages.mid")),
              " 0012, 1,           1.500,           2.250, \"ERROR 12 - say \"\"hi\"\"\", \"a1\", \"\", \"\"\n");
}

TEST_F(MessageBlockTest, LocatedMessageWritesATextObjectCentredOnThePoint) {
    TempDir dir;
    int mif = 0;
    int mid = 0;
    units().init(1000);
    {
        ConsoleCapture quiet;
        OPENFREEUNIT(mif, "O ", dir.file("xy.mif"), 1);
        OPENFREEUNIT(mid, "O ", dir.file("xy.mid"), 1);
    }
    block.xyMifUnit = mif;
    block.xyMidUnit = mid;
    block.labelHeight = 2;
    block.labelWidth = 10;
    setField(block.line1, "ERROR 7 - a");
    setField(block.line2, "b \"q\"");
    setField(block.line3, "c");
    ConsoleCapture console;
    DMESSAGEXY(0, 100, 50);
    EXPECT_EQ(console.text(), "XY: ERROR 7 - a\nb \"q\"\nc\n");
    EXPECT_EQ(block.nErrorXY, 1);
    EXPECT_EQ(block.nError, 1);
    {
        ConsoleCapture quiet;
        CLOSER(mif);
        CLOSER(mid);
    }
    EXPECT_EQ(readText(dir.file("xy.mif")),
              "Text\n"
              "\"ERROR 7 - a\\nb \"\"q\"\"\\nc\"\n"
              "             102.000          47.000         112.000          53.000\n"
              "    Font (\"Arial\",257,0,16711935,0)\n"
              "    Label Line Arrow          100.000          50.000\n");
    EXPECT_EQ(readText(dir.file("xy.mid")), "\"ERROR 7 - a  b \"\"q\"\"  c  \"\n");
}

TEST_F(MessageBlockTest, LocatedMessageWithoutOpenLayerUnitsOnlyPrints) {
    block.checkMifUnit = 1999;  // never opened
    block.checkMidUnit = 1998;
    setField(block.line1, "CHECK 3 - here");
    ConsoleCapture console;
    DMESSAGEXY(0, 1, 2);
    EXPECT_EQ(console.text(), "XY: CHECK 3 - here\n");
    EXPECT_EQ(block.nCheckXY, 1);
    EXPECT_EQ(block.nCheck, 1);
}

TEST_F(MessageBlockTest, LongLinesReachTheConsoleWhole) {
    const std::string longLine = "WARNING 9 - " + std::string(5000, 'x');
    ConsoleCapture console;
    issueMessage(0, longLine);
    EXPECT_EQ(console.text(), longLine + "\n");
}

TEST(MessageRule, IsEightyUnderscores) {
    ConsoleCapture console;
    DLINE(0);
    EXPECT_EQ(console.text(), std::string(80, '_') + "\n");
}

}  // namespace
}  // namespace zx
