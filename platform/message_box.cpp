// platform/message_box.cpp
#include "platform/message_box.hpp"

#include <cctype>
#include <string>

#include "platform/console.hpp"

namespace zx::platform {

MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageButtons buttons) {
    auto& out = console();
    if (!caption.empty()) out.writeLine(std::string("[") + std::string(caption) + "]");
    // Line breaks inside the texts are carriage returns; each becomes a console line.
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            out.writeLine(line);
            line.clear();
        } else if (c != '\0') {
            line.push_back(c);
        }
    }
    if (!line.empty()) out.writeLine(line);

    struct Choice {
        std::string_view prompt;
        MessageAnswer atEnd;
    };
    const Choice choice = [buttons]() -> Choice {
        switch (buttons) {
            case MessageButtons::Ok: return {"Press Enter for OK", MessageAnswer::Ok};
            case MessageButtons::YesNo: return {"Yes or No? [y/n] ", MessageAnswer::No};
            case MessageButtons::YesNoCancel: return {"Yes, No or Cancel? [y/n/c] ", MessageAnswer::Cancel};
            case MessageButtons::RetryCancel: return {"Retry or Cancel? [r/c] ", MessageAnswer::Cancel};
        }
        return {"", MessageAnswer::Cancel};
    }();
    for (;;) {
        out.write(choice.prompt);
        const auto answer = out.readLine();
        if (!answer) {
            out.writeLine();
            return choice.atEnd;
        }
        const char first = answer->empty() ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>((*answer)[0])));
        switch (buttons) {
            case MessageButtons::Ok: return MessageAnswer::Ok;
            case MessageButtons::YesNo:
                if (first == 'y') return MessageAnswer::Yes;
                if (first == 'n') return MessageAnswer::No;
                break;
            case MessageButtons::YesNoCancel:
                if (first == 'y') return MessageAnswer::Yes;
                if (first == 'n') return MessageAnswer::No;
                if (first == 'c') return MessageAnswer::Cancel;
                break;
            case MessageButtons::RetryCancel:
                if (first == 'r') return MessageAnswer::Retry;
                if (first == 'c') return MessageAnswer::Cancel;
                break;
        }
    }
}

}  // namespace zx::platform
