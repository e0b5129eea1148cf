// tests/platform/file_test.cpp: records, open intents, folders, and errors that must surface.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file.hpp"
#include "platform/filesystem.hpp"
#include "support/test_support.hpp"

namespace zx::platform {
namespace {

using test::readText;
using test::writeText;

std::vector<std::string> recordsOf(const std::string& path) {
    std::string reason, record;
    auto file = File::open(path, OpenIntent::Read, reason);
    std::vector<std::string> records;
    while (file && file->readRecord(record) == File::ReadStatus::Ok) records.push_back(record);
    return records;
}

TEST(FileRecords, LineEndsOfEverySystemLongRecordsAndALastLineWithoutEnd) {
    test::TempDir dir;
    const std::string longLine(200000, 'x');  // crosses the read buffer
    // The first line end decides whether a lone CR ends a line or stays a character of it.
    const std::tuple<std::string, std::vector<std::string>> cases[] = {
        {"first\r\n" + longLine + "\n\nstray\rcr\nlast", {"first", longLine, "", "stray\rcr", "last"}},
        {"a\nb\r\nc\r", {"a", "b", "c\r"}},
        {"mac1\rmac2\r\r" + longLine + "\rlf\ncrlf\r\nlast", {"mac1", "mac2", "", longLine, "lf", "crlf", "last"}},
        // a CR LF split by the end of the read buffer is still one line end
        {std::string(65535, 'y') + "\r\nz\rz", {std::string(65535, 'y'), "z\rz"}},
    };
    for (const auto& [text, records] : cases) {
        writeText(dir.file("in.txt"), text);
        EXPECT_EQ(recordsOf(dir.file("in.txt")), records) << text.substr(0, 20);
    }
    writeText(dir.file("in.txt"), "first\r\nsecond");
    std::string reason;
    auto file = File::open(dir.file("in.txt"), OpenIntent::Read, reason);
    ASSERT_TRUE(file);
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
