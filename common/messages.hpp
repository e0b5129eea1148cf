// common/messages.hpp: the message block DMESSAGES and the routines that issue its pending
// message. The block is exported data: its fields lie one after the other without gaps, in the
// order that programs loading the library read and write them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zx {

inline constexpr std::size_t kMessageLineLength = 10000;

enum class MessageKind : std::int32_t { Unclassified = 0, Error = 1, Warning = 2, Check = 3, Unstable = 4 };

#pragma pack(push, 1)
struct DMessageBlock {
    double X;
    double Y;
    std::int32_t oneLine;  // logical
    std::int32_t logUnit;
    std::int32_t xyMifUnit;
    std::int32_t xyMidUnit;
    std::int32_t checkMifUnit;
    std::int32_t checkMidUnit;
    char line1[kMessageLineLength];
    char line2[kMessageLineLength];
    char line3[kMessageLineLength];
    char line4[kMessageLineLength];
    char prefix[4];
    double labelWidth;
    double labelHeight;
    std::int32_t nError;
    std::int32_t nWarning;
    std::int32_t nCheck;
    std::int32_t nErrorXY;
    std::int32_t nWarningXY;
    std::int32_t nCheckXY;
    std::int32_t number;
    std::int32_t kind;
    char attr1[kMessageLineLength];
    char attr2[kMessageLineLength];
    char attr3[kMessageLineLength];
    std::int32_t msgMidUnit;
};
#pragma pack(pop)

// The one block of the process (the exported DMESSAGES).
DMessageBlock& messageBlock();

// A text field of the block without its trailing blanks, and the field set blank-padded.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
    std::size_t n = N;
    while (n > 0 && field[n - 1] == ' ') --n;
    return std::string_view(field, n);
}
void setField(char* field, std::size_t length, std::string_view value);
template <std::size_t N>
void setField(char (&field)[N], std::string_view value) {
    setField(field, N, value);
}

void DMESSAGE(int blankLines);
void DMESSAGEXY(int blankLines, double x, double y);
void DMESSAGECLEAR();
void DMESSAGERESETCOUNTERS();
// The whole block back to its state at process start (units, counters and lines), for harnesses
// that run several conversions in one process.
void resetMessageBlock();
void DLINE(int unit);

// Composes line 1 (and optionally line 2) and issues the message with DMESSAGE.
void issueMessage(int blankLines, std::string_view line1, std::string_view line2 = {});

}  // namespace zx
