// platform/console.hpp: the console of a run: standard output for every message, standard input
// for prompts and pauses. Output is flushed before any read, so a prompt is always visible.
#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace zx::platform {

class Console {
public:
    Console(std::FILE* out, std::FILE* in) : out_(out), in_(in) {}

    void write(std::string_view text);
    void writeLine(std::string_view text = {});
    void flush();

    // One line of input without its line end (a CR before the LF is dropped too);
    // nullopt at end of input or on a read error.
    std::optional<std::string> readLine();

    // Writes the prompt as a line and waits for Enter. At end of input it returns at once, so a
    // batch run never hangs; the result says whether a line was read.
    bool pause(std::string_view prompt);

    // Tests point the console at their own streams.
    void redirect(std::FILE* out, std::FILE* in) { out_ = out; in_ = in; }
    std::FILE* output() const { return out_; }
    std::FILE* input() const { return in_; }

private:
    std::FILE* out_;
    std::FILE* in_;
};

Console& console();

}  // namespace zx::platform
