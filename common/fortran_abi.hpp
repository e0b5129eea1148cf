// common/fortran_abi.hpp: how the exported routines meet their callers. Every argument comes by
// address; a text is blank-padded characters without a NUL whose length arrives as a hidden
// size_t after the explicit arguments; a text result is filled into a caller's buffer given as
// two leading arguments; a logical is a 4-byte integer, true = -1, tested on its lowest bit.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#define ZX_EXPORT extern "C" __attribute__((visibility("default")))

namespace zx::abi {

using Logical = std::int32_t;
inline constexpr Logical kTrue = -1;
inline constexpr Logical kFalse = 0;

inline Logical logical(bool value) { return value ? kTrue : kFalse; }
inline bool isTrue(Logical value) { return (value & 1) != 0; }

// The caller's whole text, trailing blanks included (some routines count them).
inline std::string_view text(const char* chars, std::size_t length) {
    return chars == nullptr ? std::string_view{} : std::string_view(chars, length);
}

// Fills the caller's text: cut at its declared length, blank-padded behind a shorter value.
inline void fill(char* out, std::size_t length, std::string_view value) {
    if (out == nullptr) return;
    const std::size_t n = std::min(length, value.size());
    if (n > 0) std::memmove(out, value.data(), n);
    if (length > n) std::memset(out + n, ' ', length - n);
}

}  // namespace zx::abi

// An exported routine whose one text argument gives a text result: NAME(result, path) by the
// library routine of the same name.
#define ZX_TEXT_TO_TEXT_EXPORT(NAME)                                                                     \
    ZX_EXPORT void NAME(char* result, std::size_t resultLength, const char* chars, std::size_t length) { \
        ::zx::abi::fill(result, resultLength, ::zx::NAME(::zx::abi::text(chars, length)));                \
    }
