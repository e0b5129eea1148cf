// common/exit.cpp: the end of every run, the pause, and the unit module's console routines.
#include "common/exit.hpp"

#include <algorithm>
#include <cstring>

#include "build_info.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "platform/console.hpp"
#include "platform/message_box.hpp"
#include "platform/process.hpp"

namespace zx {
namespace {

// The significant length of a text whose blanks and NULs both count as padding.
std::size_t significantLength(const char* text, std::size_t length) {
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
    return length;
}
}  // namespace

void EXITS() {
    auto& table = units();
    table.closeEverythingOnExit();
    const auto& settings = table.settings();
    if (settings.pauseOnExit) {
        if (settings.windowedMode) {
            const std::string name(significantPart(settings.simulationName));
            const std::string text = "Premature Exit of " + name + " Simulation " +
                                     std::string(significantPart(settings.simulationTitle)) +
                                     "\r\rPress OK to Close Simulation Window";
            while (platform::messageBox(text, name, platform::MessageButtons::Ok) != platform::MessageAnswer::Ok) {
            }
        } else {
            platform::console().writeLine();
            platform::console().pause("Press Enter to Close");
        }
    }
    platform::endProcess();
}

std::string withContactRequest(std::string_view what, std::string_view joint, std::string_view end) {
    std::string text(what);
    text += joint;
    text += kContactAddress;
    text += end;
    return text;
}

void internalStop(std::string_view what, std::initializer_list<std::string_view> details, bool emptyLineBefore) {
    auto& console = platform::console();
    if (emptyLineBefore) console.writeLine();
    console.writeLine(withContactRequest(what));
    for (const std::string_view line : details) console.writeLine(line);
    EXITS();
}

void PAUSEMSG() {
    const auto& settings = units().settings();
    if (settings.windowedMode) {
        const std::string name(significantPart(settings.simulationName));
        const std::string text = name + " Simulation " + std::string(significantPart(settings.simulationTitle)) +
                                 " paused\r\rRefer to Simulation Window\r\rPress OK to Continue";
        while (platform::messageBox(text, name, platform::MessageButtons::Ok) != platform::MessageAnswer::Ok) {
        }
        return;
    }
    platform::console().writeLine();
    platform::console().pause("Press Enter to Continue");
}

void pauseConsole() { platform::console().pause("Paused - press Enter to continue"); }

void WRITENOADV(std::string_view text, int count) {
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(std::max(count, 0)));
    platform::console().write(text.substr(0, n));
}

int LENSL(char* text, std::size_t length) {
    const std::size_t n = significantLength(text, length);
    if (n > 0 && n < length) text[n] = '\0';
    return static_cast<int>(n);
}

void WRITETRIMNOADV(char* text, std::size_t length) {
    const int n = LENSL(text, length);
    platform::console().write(std::string_view(text, static_cast<std::size_t>(n)));
}

int LENTOBLANK(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == ' ' || text[i] == '\0') {
            text[i] = '\0';
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(length);
}

void READCONSOLELINE(char* text, std::size_t length, int& count) {
    const std::string line = platform::console().readLine().value_or("");
    const std::size_t n = std::min(length, line.size());
    std::memcpy(text, line.data(), n);
    std::memset(text + n, ' ', length - n);
    count = LENSL(text, length);
}

bool ASKINVALIDUNIT(std::string_view question) {
    auto& console = platform::console();
    console.write(std::string(significantPart(question)) + "? ");
    const auto answer = console.readLine();
    return answer && !answer->empty() && ((*answer)[0] == 'y' || (*answer)[0] == 'Y');
}

void ASKFLAGS() {
    auto& console = platform::console();
    console.write("Set flags: ");
    std::string answer = console.readLine().value_or("");
    answer.resize(26, ' ');
    auto& flags = units().settings().flagLetters;
    for (char c : answer) {
        int k = static_cast<unsigned char>(c) - 64;
        if (k > 26) k = static_cast<unsigned char>(c) - 96;
        if (k >= 1 && k <= 26) flags[static_cast<std::size_t>(k - 1)] = true;
    }
}

bool SAMESIGN(float a, float b) { return (a >= 0) == (b >= 0); }

void CHECKALLOCATION(int status) {
    if (status == 0) return;
    platform::console().writeLine();
    platform::console().writeLine("ERROR - Could not allocate enough memory (RAM).");
    EXITS();
}

}  // namespace zx
