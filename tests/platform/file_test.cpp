// tests/platform/file_test.cpp: records, binary values in place, and errors that must surface.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file.hpp"
#include "platform/filesystem.hpp"
#include "support/test_support.hpp"

namespace zx::platform {
namespace {

using test::readText;
using test::TempDir;
using test::writeText;

TEST(FileRecords, LineEndsOfEitherSystemAndALastLineWithoutOne) {
    TempDir dir;
    writeText(dir.file("in.txt"), "first\r\nsecond\n\nlast");
    std::string reason;
    auto file = File::open(dir.file("in.txt"), OpenIntent::Read, reason);
    ASSERT_TRUE(file);
    std::string record;
    std::vector<std::string> records;
    while (file->readRecord(record) == File::ReadStatus::Ok) records.push_back(record);
    EXPECT_EQ(records, (std::vector<std::string>{"first", "second", "", "last"}));
    file->rewind();
    ASSERT_EQ(file->readRecord(record), File::ReadStatus::Ok);
    EXPECT_EQ(record, "first");
}

TEST(FileRecords, LongRecordsCrossTheBufferWhole) {
    TempDir dir;
    const std::string line(200000, 'x');
    writeText(dir.file("long.txt"), line + "\nend\n");
    std::string reason;
    auto file = File::open(dir.file("long.txt"), OpenIntent::Read, reason);
    std::string record;
    ASSERT_EQ(file->readRecord(record), File::ReadStatus::Ok);
    EXPECT_EQ(record, line);
    ASSERT_EQ(file->readRecord(record), File::ReadStatus::Ok);
    EXPECT_EQ(record, "end");
    EXPECT_EQ(file->readRecord(record), File::ReadStatus::EndOfFile);
}

TEST(FileBinary, HeaderFieldsAreRewrittenInPlaceAndTheFileIsCut) {
    TempDir dir;
    std::string reason;
    auto file = File::open(dir.file("a.bin"), OpenIntent::Replace, reason);
    ASSERT_TRUE(file);
    file->write(std::string(100, 'h'));
    file->write("records");
    file->seek(24);
    file->write("LEN!");
    EXPECT_EQ(file->position(), 28u);
    char back[4];
    file->seek(24);
    EXPECT_EQ(file->readBytes(back, 4), 4u);
    EXPECT_EQ(std::string(back, 4), "LEN!");
    ASSERT_TRUE(file->truncate(103, reason));
    ASSERT_TRUE(file->close(reason));
    const std::string bytes = readText(dir.file("a.bin"));
    EXPECT_EQ(bytes.size(), 103u);
    EXPECT_EQ(bytes.substr(20, 10), "hhhhLEN!hh");
    EXPECT_EQ(bytes.substr(100), "rec");
}

TEST(FileOpen, IntentsKeepReplaceOrAppend) {
    TempDir dir;
    const auto name = dir.file("k.txt");
    writeText(name, "0123456789");
    std::string reason;
    {
        auto file = File::open(name, OpenIntent::KeepOrCreate, reason);
        file->write("ab");
    }
    EXPECT_EQ(readText(name), "ab23456789");
    {
        auto file = File::open(name, OpenIntent::Append, reason);
        file->write("!");
    }
    EXPECT_EQ(readText(name), "ab23456789!");
    {
        auto file = File::open(name, OpenIntent::Replace, reason);
        file->write("new");
    }
    EXPECT_EQ(readText(name), "new");
    EXPECT_FALSE(File::open(dir.file("missing"), OpenIntent::Read, reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(File::open(dir.path().string(), OpenIntent::Read, reason));
    EXPECT_EQ(reason, "Is a directory");
}

TEST(FileOpen, BackslashNamesReachTheDiskWithSlashes) {
    TempDir dir(true);
    ASSERT_EQ(makeFolder("xs"), 0);
    ASSERT_EQ(makeFolder("xs"), 0);  // an existing folder is success
    ASSERT_EQ(makeFolder("odd \"$name\\inner"), 0);
    EXPECT_TRUE(std::filesystem::is_directory("odd \"$name/inner"));
    std::string reason;
    auto file = File::open("xs\\t1.csv", OpenIntent::Replace, reason);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->name(), "xs\\t1.csv");
    file->writeRecord("a,b");
    ASSERT_TRUE(file->close(reason));
    EXPECT_EQ(readText("xs/t1.csv"), "a,b\n");
    writeText("blocker", "");
    EXPECT_EQ(makeFolder("blocker\\sub"), -1);
}

TEST(FileErrors, AFailedWriteIsReportedByFlushAndClose) {
    std::string reason;
    auto file = File::open("/dev/full", OpenIntent::Replace, reason);
    ASSERT_TRUE(file);
    file->write("data");
    EXPECT_FALSE(file->flush(reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_FALSE(file->close(reason));
}

}  // namespace
}  // namespace zx::platform
