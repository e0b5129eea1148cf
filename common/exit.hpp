// common/exit.hpp: the end of every run, the pause, and the unit module's small console routines.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zx {

// Closes the open units, waits for Enter ("Press Enter to Close") and ends the process; the exit
// status is 0 only after the main program declared its normal end.
[[noreturn]] void EXITS();

// The maker's contact request after a message: "<what> - please contact <address>." for internal
// stops; software checks join it as a sentence ("  Please contact ").
std::string withContactRequest(std::string_view what, std::string_view joint = " - please contact ",
                               std::string_view end = ".");

// Every internal stop of the library ends here: an empty line (unless told otherwise), the
// message with the contact request, the detail lines, and EXITS.
[[noreturn]] void internalStop(std::string_view what, std::initializer_list<std::string_view> details = {},
                               bool emptyLineBefore = true);

void PAUSEMSG();
void WRITENOADV(std::string_view text, int count);
void WRITETRIMNOADV(char* text, std::size_t length);
int LENSL(char* text, std::size_t length);
int LENTOBLANK(char* text, std::size_t length);
void READCONSOLELINE(char* text, std::size_t length, int& count);
bool ASKINVALIDUNIT(std::string_view question);
void ASKFLAGS();
bool SAMESIGN(float a, float b);
void CHECKALLOCATION(int status);

// The console pause that has no prompt of its own.
void pauseConsole();

}  // namespace zx
