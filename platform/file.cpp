// platform/file.cpp: buffered file access on POSIX descriptors with positioned reads and writes,
// so that text records, binary values and in-place header rewrites share one mechanism.
#include "platform/file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/filesystem.hpp"

namespace zx::platform {
namespace {
constexpr std::size_t kBufferBytes = 1 << 16;

std::string reasonOf(int errorNumber) { return std::strerror(errorNumber); }
}  // namespace

File::File(std::string name, std::string diskName, int fd, bool writable)
    : name_(std::move(name)), diskName_(std::move(diskName)), fd_(fd), writable_(writable) {
    writeBuffer_.reserve(kBufferBytes);
}

File::~File() {
    if (fd_ >= 0) {
        std::string ignored;
        close(ignored);
    }
}

std::shared_ptr<File> File::open(std::string_view name, OpenIntent intent, std::string& reason) {
    const std::string disk = diskPath(name);
    int flags = O_CLOEXEC;
    bool writable = true;
    switch (intent) {
        case OpenIntent::Read: flags |= O_RDONLY; writable = false; break;
        case OpenIntent::Replace: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
        case OpenIntent::Append:
        case OpenIntent::KeepOrCreate: flags |= O_RDWR | O_CREAT; break;
        case OpenIntent::Update: flags |= O_RDWR; break;
    }
    const int fd = ::open(disk.c_str(), flags, 0666);
    if (fd < 0) {
        reason = reasonOf(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        reason = reasonOf(EISDIR);
        return nullptr;
    }
    std::shared_ptr<File> file(new File(std::string(name), disk, fd, writable));
    file->identity_ = FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    if (intent == OpenIntent::Append) file->seek(static_cast<std::uint64_t>(info.st_size));
    return file;
}

void File::noteError(int errorNumber) {
    if (errorNumber_ == 0) errorNumber_ = errorNumber;
}

bool File::flushWrites() {
    std::size_t done = 0;
    while (done < writeBuffer_.size()) {
        const ssize_t n = ::pwrite(fd_, writeBuffer_.data() + done, writeBuffer_.size() - done,
                                   static_cast<off_t>(writeStart_ + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            noteError(errno);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    writeBuffer_.clear();
    return errorNumber_ == 0;
}

void File::write(std::string_view bytes) { writeBytes(bytes.data(), bytes.size()); }

void File::writeBytes(const void* data, std::size_t size) {
    if (fd_ < 0 || size == 0) return;
    if (!writable_) {
        noteError(EBADF);
        return;
    }
    readBuffer_.clear();
    if (!writeBuffer_.empty() && writeStart_ + writeBuffer_.size() != position_) flushWrites();
    if (writeBuffer_.empty()) writeStart_ = position_;
    const char* bytes = static_cast<const char*>(data);
    if (writeBuffer_.size() + size > kBufferBytes) {
        flushWrites();
        writeStart_ = position_;
        if (size >= kBufferBytes) {
            writeBuffer_.assign(bytes, bytes + size);
            flushWrites();
            position_ += size;
            return;
        }
    }
    writeBuffer_.insert(writeBuffer_.end(), bytes, bytes + size);
    position_ += size;
}

// The bytes at the current position in the read buffer: the count available there, 0 at the end
// of the file, -1 on a read error.
std::ptrdiff_t File::bufferedAtPosition() {
    const bool inBuffer = position_ >= readStart_ && position_ < readStart_ + readBuffer_.size();
    if (!inBuffer) {
        readBuffer_.resize(kBufferBytes);
        ssize_t n = 0;
        do {
            n = ::pread(fd_, readBuffer_.data(), kBufferBytes, static_cast<off_t>(position_));
        } while (n < 0 && errno == EINTR);
        if (n <= 0) {
            readBuffer_.clear();
            return n < 0 ? -1 : 0;
        }
        readBuffer_.resize(static_cast<std::size_t>(n));
        readStart_ = position_;
    }
    return static_cast<std::ptrdiff_t>(readBuffer_.size() - (position_ - readStart_));
}

std::size_t File::readBytes(void* data, std::size_t size) {
    if (fd_ < 0) return 0;
    if (!writeBuffer_.empty()) flushWrites();
    char* out = static_cast<char*>(data);
    std::size_t got = 0;
    while (got < size) {
        const std::ptrdiff_t available = bufferedAtPosition();
        if (available <= 0) break;
        const std::size_t take = std::min(size - got, static_cast<std::size_t>(available));
        std::memcpy(out + got, readBuffer_.data() + (position_ - readStart_), take);
        got += take;
        position_ += take;
    }
    return got;
}

int File::peekByte() {
    if (bufferedAtPosition() <= 0) return -1;
    return static_cast<unsigned char>(readBuffer_[position_ - readStart_]);
}

File::ReadStatus File::readRecord(std::string& record) {
    record.clear();
    if (fd_ < 0) return ReadStatus::Error;
    if (!writeBuffer_.empty()) flushWrites();
    bool any = false;
    for (;;) {
        const std::ptrdiff_t available = bufferedAtPosition();
        if (available < 0) return ReadStatus::Error;
        // A last line without its line end is still a record.
        if (available == 0) return any ? ReadStatus::Ok : ReadStatus::EndOfFile;
        const char* begin = readBuffer_.data() + (position_ - readStart_);
        const char* end = begin + available;
        const bool crEnds = lineEnds_ != LineEnds::Lf;
        const char* lineEnd = std::find_if(begin, end, [crEnds](char c) { return c == '\n' || (crEnds && c == '\r'); });
        any = true;
        record.append(begin, lineEnd);
        position_ += static_cast<std::uint64_t>(lineEnd - begin);
        if (lineEnd == end) continue;
        ++position_;
        if (*lineEnd == '\r') {
            const bool lfFollows = peekByte() == '\n';
            if (lfFollows) ++position_;
            if (lineEnds_ == LineEnds::NotYetSeen) lineEnds_ = lfFollows ? LineEnds::Lf : LineEnds::Cr;
        } else {
            if (lineEnds_ == LineEnds::NotYetSeen) lineEnds_ = LineEnds::Lf;
            if (!record.empty() && record.back() == '\r') record.pop_back();
        }
        return ReadStatus::Ok;
    }
}

void File::seek(std::uint64_t offset) { position_ = offset; }

std::uint64_t File::size() {
    if (!writeBuffer_.empty()) flushWrites();
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

bool File::truncate(std::uint64_t length, std::string& reason) {
    if (!flush(reason)) return false;
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
        reason = reasonOf(errno);
        return false;
    }
    readBuffer_.clear();
    return true;
}

bool File::flush(std::string& reason) {
    if (fd_ < 0) return true;
    if (!writeBuffer_.empty()) flushWrites();
    if (errorNumber_ != 0) {
        reason = reasonOf(errorNumber_);
        return false;
    }
    return true;
}

bool File::close(std::string& reason) {
    if (fd_ < 0) return true;
    bool ok = flush(reason);
    if (::close(fd_) != 0 && ok) {
        reason = reasonOf(errno);
        ok = false;
    }
    fd_ = -1;
    return ok;
}

}  // namespace zx::platform
