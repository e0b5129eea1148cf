// platform/message_box.hpp: the windowed question of the unit module, shown on the console: the
// texts as lines, then the answer read from standard input. End of input answers Cancel (or OK
// when OK is the only button), so a run without input never waits on a question.
#pragma once
#include <string_view>

namespace zx::platform {

enum class MessageButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Yes, No, Retry, Cancel };

MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageButtons buttons);

}  // namespace zx::platform
