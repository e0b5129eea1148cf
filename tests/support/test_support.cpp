// tests/support/test_support.cpp
#include "support/test_support.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

#include "platform/console.hpp"

namespace zx::test {

TempDir::TempDir(bool enter) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zxtest-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    if (enter) {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
        entered_ = true;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (entered_) std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

ConsoleCapture::ConsoleCapture(std::string_view input) {
    out_ = std::tmpfile();
    in_ = std::tmpfile();
    if (!input.empty()) std::fwrite(input.data(), 1, input.size(), in_);
    std::rewind(in_);
    previousOut_ = platform::console().output();
    platform::console().flush();
    platform::console().redirect(out_, in_);
}

ConsoleCapture::~ConsoleCapture() {
    platform::console().flush();
    platform::console().redirect(previousOut_, stdin);
    std::fclose(out_);
    std::fclose(in_);
}

std::string ConsoleCapture::text() {
    platform::console().flush();
    std::fflush(out_);
    std::string result;
    const long end = std::ftell(out_);
    std::rewind(out_);
    result.resize(static_cast<std::size_t>(end));
    if (end > 0) std::fread(result.data(), 1, result.size(), out_);
    std::fseek(out_, end, SEEK_SET);
    return result;
}

void consoleToStderr() {
    std::FILE* empty = std::fopen("/dev/null", "r");
    platform::console().redirect(stderr, empty);
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
    const std::string text = readText(path);
    return std::vector<unsigned char>(text.begin(), text.end());
}

void writeText(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& folder, std::string_view input) {
    TempDir scratch;
    const auto inPath = scratch.path() / "stdin";
    const auto outPath = scratch.path() / "stdout";
    const auto errPath = scratch.path() / "stderr";
    writeText(inPath, input);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        const int in = ::open(inPath.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

bool onPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path == nullptr ? "" : path;
    while (!folders.empty()) {
        const auto colon = folders.find(':');
        const std::filesystem::path folder(std::string(folders.substr(0, colon)));
        if (::access((folder / program).c_str(), X_OK) == 0) return true;
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
    }
    return false;
}

RunResult runFromPath(std::vector<std::string> argv, const std::filesystem::path& folder) {
    argv.insert(argv.begin(), "/usr/bin/env");
    return run(argv, folder);
}

}  // namespace zx::test
