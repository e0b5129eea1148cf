// platform/console.cpp: standard output and standard input behind the Console.
#include "platform/console.hpp"

namespace zx::platform {

Console& console() {
    static Console instance(stdout, stdin);
    return instance;
}

void Console::write(std::string_view text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), out_);
}

void Console::writeLine(std::string_view text) {
    write(text);
    std::fputc('\n', out_);
}

void Console::flush() { std::fflush(out_); }

std::optional<std::string> Console::readLine() {
    flush();
    std::string line;
    int c = 0;
    bool gotAny = false;
    while ((c = std::fgetc(in_)) != EOF) {
        gotAny = true;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!gotAny) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool Console::pause(std::string_view prompt) {
    writeLine(prompt);
    return readLine().has_value();
}

}  // namespace zx::platform
