// platform/file.hpp: one open file on disk, buffered, for text records and binary values alike.
// Write errors are kept and reported by flush() and close(), never dropped silently.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.hpp"

namespace zx::platform {

enum class OpenIntent {
    Read,          // an existing file, read only
    Replace,       // created, or emptied when it exists
    Append,        // created when missing, positioned at its end
    KeepOrCreate,  // created when missing, kept as it is otherwise, positioned at its start
    Update,        // an existing file, read and written in place
};

class File {
public:
    enum class ReadStatus { Ok, EndOfFile, Error };

    // The name as the library composes it (either separator); nullptr and the operating
    // system's reason on failure.
    static std::shared_ptr<File> open(std::string_view name, OpenIntent intent, std::string& reason);

    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    const std::string& name() const { return name_; }
    const std::string& diskName() const { return diskName_; }
    bool isOpen() const { return fd_ >= 0; }
    // The file on disk this object writes, fixed when it was opened.
    const FileIdentity& identity() const { return identity_; }

    // A text record without its line end. Lines end in LF or CR LF; a file whose first line
    // ends in a lone CR (old Mac editors) has CR line ends, and then a lone CR ends a line too.
    // Elsewhere a lone CR is a character of its line: real models carry stray ones mid-line.
    ReadStatus readRecord(std::string& record);
    // From now on CR, LF and CR LF each end a line, whatever the first line end was: for formats
    // whose other readers take them alike (MapInfo .mif and .mid), a CR is never part of a value.
    void endLinesAtEveryCr() { lineEnds_ = LineEnds::Cr; }
    void write(std::string_view bytes);
    void writeRecord(std::string_view text) {
        write(text);
        write("\n");
    }

    void writeBytes(const void* data, std::size_t size);
    // Reads up to size bytes; fewer at the end of the file.
    std::size_t readBytes(void* data, std::size_t size);

    // Nothing left to read at the current position (a read error does not count as the end).
    bool atEnd() { return bufferedAtPosition() == 0; }

    void seek(std::uint64_t offset);
    void rewind() { seek(0); }
    std::uint64_t position() const { return position_; }
    std::uint64_t size();

    // Cuts the file at the given length (pending writes are flushed first).
    bool truncate(std::uint64_t length, std::string& reason);
    bool flush(std::string& reason);
    bool close(std::string& reason);

private:
    File(std::string name, std::string diskName, int fd, bool writable);
    bool flushWrites();
    std::ptrdiff_t bufferedAtPosition();
    // The byte at the current position; -1 at the end of the file or on a read error.
    int peekByte();
    void noteError(int errorNumber);

    std::string name_;
    std::string diskName_;
    int fd_ = -1;
    bool writable_ = false;
    std::uint64_t position_ = 0;

    std::vector<char> writeBuffer_;
    std::uint64_t writeStart_ = 0;  // file offset of writeBuffer_[0]

    std::vector<char> readBuffer_;
    std::uint64_t readStart_ = 0;  // file offset of readBuffer_[0]

    enum class LineEnds { NotYetSeen, Lf, Cr };
    LineEnds lineEnds_ = LineEnds::NotYetSeen;

    FileIdentity identity_;
    int errorNumber_ = 0;  // first failure of a write, kept until flush() or close() reports it
};

}  // namespace zx::platform
