// common/text_lines_exports.cpp: the line tests and cleaners as exported by name.
#include "common/fortran_abi.hpp"
#include "common/text_lines.hpp"
#include "common/zervanix_text.h"

namespace {
using zx::abi::fill;
using zx::abi::text;

// Runs an in-place routine on the caller's text and writes the changed text back, blank-padded.
std::int32_t changedInPlace(char* chars, std::size_t length, bool (*routine)(std::string&)) {
    std::string changed(text(chars, length));
    const bool result = routine(changed);
    fill(chars, length, changed);
    return zx::abi::logical(result);
}
}  // namespace

ZX_EXPORT std::int32_t COMMENTLINE(char* line, std::size_t lineLength) {
    return changedInPlace(line, lineLength, zx::COMMENTLINE);
}
ZX_EXPORT std::int32_t NUMBERLINE(char* line, std::size_t lineLength) {
    return changedInPlace(line, lineLength, zx::NUMBERLINE);
}
ZX_EXPORT std::int32_t POSITIVEINTEGERNUMBER(char* text, std::size_t textLength) {
    return changedInPlace(text, textLength, zx::POSITIVEINTEGERNUMBER);
}
ZX_EXPORT std::int32_t BLANK(char* text, std::size_t textLength) { return changedInPlace(text, textLength, zx::BLANK); }

ZX_EXPORT void REMOVETABS(char* result, std::size_t resultLength, const char* chars, std::size_t length) {
    fill(result, resultLength, zx::REMOVETABS(text(chars, length)));
}
ZX_EXPORT void TRIMF(char* result, std::size_t resultLength, const char* chars, std::size_t length) {
    fill(result, resultLength, zx::TRIMF(text(chars, length)));
}
ZX_EXPORT void SS256(char* result, std::size_t resultLength, const char* chars, std::size_t length) {
    fill(result, resultLength, zx::SS256(text(chars, length)));
}
