// fuzz/scratch_folder.hpp: what the fuzz targets share: one scratch folder per process, on a
// memory file system where there is one (an input makes and removes many files) and removed at
// exit; the working folder to come back to (libFuzzer writes its findings relative to it); the
// empty standard input of every run; and an input's bytes written to a file.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace zx::fuzz {

struct ScratchFolder {
    std::filesystem::path folder;
    std::filesystem::path home;
    std::FILE* noInput = nullptr;
};

// Made on the first call, named after the target.
inline const ScratchFolder& scratchFolder(std::string_view target) {
    namespace fs = std::filesystem;
    static const ScratchFolder made = [target] {
        ScratchFolder s;
        const fs::path temporary = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (temporary / ("zx-" + std::string(target) + "-fuzz-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        s.folder = pattern;
        s.home = fs::current_path();
        s.noInput = std::fopen("/dev/null", "r");
        if (s.noInput == nullptr) std::abort();
        return s;
    }();
    // Registered once the folder's record is made, so that at exit the folder is removed before
    // the record is destroyed (a handler registered while it was being made would run after).
    static const bool removedAtExit = [] {
        return std::atexit([] {
            std::error_code ignored;
            fs::remove_all(made.folder, ignored);
        }) == 0;
    }();
    static_cast<void>(removedAtExit);
    return made;
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

}  // namespace zx::fuzz
