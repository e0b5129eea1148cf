// common/strings_exports.cpp: the comparison, case and cleaning routines as exported by name.
#include "common/fortran_abi.hpp"
#include "common/strings.hpp"
#include "common/zervanix_text.h"

namespace {
using zx::abi::fill;
using zx::abi::logical;
using zx::abi::text;
}  // namespace

ZX_EXPORT std::int32_t ASAME(const char* a, const char* b, std::size_t aLength, std::size_t bLength) {
    return logical(zx::ASAME(text(a, aLength), text(b, bLength)));
}
ZX_EXPORT std::int32_t ASAMECS(const char* a, const char* b, std::size_t aLength, std::size_t bLength) {
    return logical(zx::ASAMECS(text(a, aLength), text(b, bLength)));
}


ZX_TEXT_TO_TEXT_EXPORT(UPPERCASE)
ZX_TEXT_TO_TEXT_EXPORT(LOWERCASE)
ZX_TEXT_TO_TEXT_EXPORT(REMOVEQUOTES)
ZX_TEXT_TO_TEXT_EXPORT(REMOVESPACES)
ZX_TEXT_TO_TEXT_EXPORT(CLEANATTRIBUTENAME)
ZX_TEXT_TO_TEXT_EXPORT(DOUBLEQUOTE)

// The replacement is the first character of its text; a text of no characters replaces nothing.
ZX_EXPORT void ALPHANUMERICONLY(char* result, std::size_t resultLength, const char* chars, const char* replacement,
                                std::size_t length, std::size_t replacementLength) {
    const char replacementChar = replacementLength > 0 ? replacement[0] : '\0';
    fill(result, resultLength, zx::ALPHANUMERICONLY(text(chars, length), replacementChar));
}

ZX_EXPORT void REPLACE(char* result, std::size_t resultLength, const char* chars, const char* search,
                       const char* replacement, std::size_t length, std::size_t searchLength,
                       std::size_t replacementLength) {
    fill(result, resultLength,
         zx::REPLACE(text(chars, length), text(search, searchLength), text(replacement, replacementLength)));
}
ZX_EXPORT void REPLACEALL(char* result, std::size_t resultLength, const char* chars, const char* search,
                          const char* replacement, std::size_t length, std::size_t searchLength,
                          std::size_t replacementLength) {
    fill(result, resultLength,
         zx::REPLACEALL(text(chars, length), text(search, searchLength), text(replacement, replacementLength)));
}

ZX_EXPORT std::int32_t CSVCOLUMN(const char* header, const char* name, const std::int32_t* defaultValue,
                                 std::size_t headerLength, std::size_t nameLength) {
    return zx::CSVCOLUMN(text(header, headerLength), text(name, nameLength), *defaultValue);
}
