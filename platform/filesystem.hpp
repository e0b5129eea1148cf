// platform/filesystem.hpp: names on disk and questions about them. Names keep the separators the
// library composes ("\" or "/"); only here do they become disk paths, with "/" throughout.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zx::platform {

std::string diskPath(std::string_view name);

// True for anything present under the name, a folder included (opening a folder then fails
// with the operating system's reason).
bool pathExists(std::string_view name);

// Makes the folder and any missing parents; an existing folder is success. 0 on success, -1 when
// the folder cannot be made.
int makeFolder(std::string_view name);

// Modification time in nanoseconds since the epoch; nullopt when the file's status is unreadable.
std::optional<std::int64_t> modificationTime(std::string_view name);

// The absolute form of the name (with "/" separators); nullopt when it cannot be formed.
std::optional<std::string> absolutePath(std::string_view name);

// The identity of the file on disk (device and inode), so that two names of one file can be
// recognised; nullopt when the file does not exist.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(std::string_view name);

}  // namespace zx::platform
