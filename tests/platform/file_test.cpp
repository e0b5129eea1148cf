// tests/platform/file_test.cpp: records, open intents, folders, and errors that must surface.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.hpp"
#include "platform/filesystem.hpp"
#include "support/test_support.hpp"

namespace zx::platform {
namespace {

using test::readText;
using test::writeText;

TEST(FileRecords, LineEndsOfEitherSystemLongRecordsAndALastLineWithoutEnd) {
    test::TempDir dir;
    const std::string longLine(200000, 'x');  // crosses the read buffer
    writeText(dir.file("in.txt"), "first\r\n" + longLine + "\n\nlast");
    std::string reason, record;
    auto file = File::open(dir.file("in.txt"), OpenIntent::Read, reason);
    ASSERT_TRUE(file);
    std::vector<std::string> records;
    while (file->readRecord(record) == File::ReadStatus::Ok) records.push_back(record);
    EXPECT_EQ(records, (std::vector<std::string>{"first", longLine, "", "last"}));
    file->rewind();
    char bytes[7];
    EXPECT_EQ(file->readBytes(bytes, sizeof bytes), 7u);
    EXPECT_EQ(std::string(bytes, 7), "first\r\n");
}

TEST(FileOpen, IntentsKeepAppendOrReplaceBackslashesBecomeSlashesAndFailuresGiveTheReason) {
    test::TempDir dir(true);
    ASSERT_EQ(makeFolder("xs"), 0);
    ASSERT_EQ(makeFolder("xs"), 0);  // an existing folder is success
    writeText("xs/k.txt", "0123456789");
    std::string reason;
    File::open("xs\\k.txt", OpenIntent::KeepOrCreate, reason)->write("ab");
    File::open("xs\\k.txt", OpenIntent::Append, reason)->write("!");
    EXPECT_EQ(readText("xs/k.txt"), "ab23456789!");
    File::open("xs\\k.txt", OpenIntent::Replace, reason)->writeRecord("new");
    EXPECT_EQ(readText("xs/k.txt"), "new\n");
    EXPECT_FALSE(File::open("missing", OpenIntent::Read, reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(File::open("xs", OpenIntent::Read, reason));
    EXPECT_EQ(reason, "Is a directory");
    // Folders are made without a shell: quotes and "$" are characters of the name.
    ASSERT_EQ(makeFolder("odd \"$name\\inner"), 0);
    EXPECT_TRUE(std::filesystem::is_directory("odd \"$name/inner"));
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
