// platform/filesystem.cpp: std::filesystem and stat behind the names the library composes.
#include "platform/filesystem.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zx::platform {

std::string diskPath(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool pathExists(std::string_view name) {
    struct stat info {};
    return ::stat(diskPath(name).c_str(), &info) == 0;
}

int makeFolder(std::string_view name) {
    std::error_code error;
    const std::filesystem::path folder(diskPath(name));
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder, error)) return 0;
    return -1;
}

std::optional<std::int64_t> modificationTime(std::string_view name) {
    struct stat info {};
    if (::stat(diskPath(name).c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

std::optional<std::string> absolutePath(std::string_view name) {
    std::error_code error;
    auto path = std::filesystem::absolute(std::filesystem::path(diskPath(name)), error);
    if (error) return std::nullopt;
    return path.lexically_normal().string();
}

std::optional<FileIdentity> fileIdentity(std::string_view name) {
    struct stat info {};
    if (::stat(diskPath(name).c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace zx::platform
